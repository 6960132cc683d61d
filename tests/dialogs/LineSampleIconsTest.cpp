#include "dialogs/LineSampleIcons.h"

#include <gtest/gtest.h>

namespace {

// The rows that hold any drawn pixel.
std::vector<int> DrawnRows(const QImage& image)
{
    std::vector<int> rows;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) == 255) {
                rows.push_back(y);
                break;
            }
    return rows;
}

// Width k: a black line of k rows across the middle of a transparent 64 x 16.
TEST(LineSampleIcons, WidthSamplesAreCentredBlackLinesOfTheirWidth)
{
    for (int width = 1; width <= 9; ++width) {
        const QImage image = LineSampleIcons::WidthSample(width);
        ASSERT_EQ(image.size(), QSize(64, 16));
        const std::vector<int> rows = DrawnRows(image);
        ASSERT_EQ(int(rows.size()), width);
        EXPECT_EQ(rows.back() - rows.front() + 1, width);
        EXPECT_LE(std::abs(rows.front() - (15 - rows.back())), 1);
        for (int x = 0; x < 64; ++x)
            EXPECT_EQ(image.pixel(x, rows.front()), 0xFF000000u) << x;
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
    }
}

TEST(LineSampleIcons, StylesAreTwoMiddleRowsInTheirDashPatterns)
{
    const std::string starts[] = {std::string(64, '#'), "##################......######",
                                  "###...###...", "#########......###......###",
                                  "#########...###...###...###"};
    for (int style = 0; style < 5; ++style) {
        const QImage image = LineSampleIcons::StyleSample(style);
        EXPECT_EQ(DrawnRows(image), (std::vector<int>{7, 8})) << style;
        std::string columns;
        for (int x = 0; x < image.width(); ++x)
            columns += qAlpha(image.pixel(x, 7)) == 255 ? '#' : '.';
        EXPECT_EQ(columns.substr(0, starts[style].size()), starts[style]) << style;
    }
    EXPECT_TRUE(DrawnRows(LineSampleIcons::StyleSample(5)).empty());
}

} // namespace
