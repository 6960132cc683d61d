#pragma once

#include <vector>

// Count, mean, sample standard deviation, minimum and maximum of a column.
struct ResultsStatistics
{
    int count = 0;
    double mean = 0;
    double deviation = 0; // 0 for fewer than two values
    double minimum = 0;
    double maximum = 0;

    static ResultsStatistics Of(const std::vector<double>& values);
};
