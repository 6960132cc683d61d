#include "results/ResultsStatistics.h"

#include <algorithm>
#include <cmath>

ResultsStatistics ResultsStatistics::Of(const std::vector<double>& values)
{
    ResultsStatistics s;
    s.count = int(values.size());
    if (values.empty())
        return s;
    double sum = 0;
    for (double v : values)
        sum += v;
    s.mean = sum / double(values.size());
    // Two passes: the squares of deviations, not of values, so nearly equal
    // large values keep their spread.
    double squares = 0;
    for (double v : values)
        squares += (v - s.mean) * (v - s.mean);
    if (values.size() > 1)
        s.deviation = std::sqrt(squares / double(values.size() - 1));
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    s.minimum = *low;
    s.maximum = *high;
    return s;
}
