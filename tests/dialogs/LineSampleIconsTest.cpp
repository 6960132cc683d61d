#include "dialogs/LineSampleIcons.h"

#include <gtest/gtest.h>

namespace {

bool Opaque(const QImage& image, int x, int y)
{
    return qAlpha(image.pixel(x, y)) == 255;
}

// The rows that hold any drawn pixel.
std::vector<int> DrawnRows(const QImage& image)
{
    std::vector<int> rows;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (Opaque(image, x, y)) {
                rows.push_back(y);
                break;
            }
    return rows;
}

class WidthSample : public ::testing::TestWithParam<int>
{};

TEST_P(WidthSample, IsABlackLineOfThatManyRowsAcrossTheMiddle)
{
    const int width = GetParam();
    const QImage image = LineSampleIcons::WidthSample(width);
    ASSERT_EQ(image.size(), QSize(64, 16));
    const std::vector<int> rows = DrawnRows(image);
    ASSERT_EQ(int(rows.size()), width);
    EXPECT_EQ(rows.back() - rows.front() + 1, width);
    // Centred: the gap above and below differ by at most one row.
    EXPECT_LE(std::abs(rows.front() - (15 - rows.back())), 1);
    for (int x = 0; x < 64; ++x)
        EXPECT_EQ(image.pixel(x, rows.front()), 0xFF000000u) << x;
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
}

INSTANTIATE_TEST_SUITE_P(OneToNine, WidthSample, ::testing::Range(1, 10));

// Drawn columns of the middle row as a string of '#' and '.'.
std::string Columns(const QImage& image)
{
    std::string columns;
    for (int x = 0; x < image.width(); ++x)
        columns += Opaque(image, x, 7) ? '#' : '.';
    return columns;
}

TEST(LineSampleIcons, StylesFollowTheirDashPatterns)
{
    EXPECT_EQ(Columns(LineSampleIcons::StyleSample(0)), std::string(64, '#'));
    EXPECT_EQ(Columns(LineSampleIcons::StyleSample(1)).substr(0, 30),
              "##################......######");
    EXPECT_EQ(Columns(LineSampleIcons::StyleSample(2)).substr(0, 12), "###...###...");
    EXPECT_EQ(Columns(LineSampleIcons::StyleSample(3)).substr(0, 27),
              "#########......###......###");
    EXPECT_EQ(Columns(LineSampleIcons::StyleSample(4)).substr(0, 27),
              "#########...###...###...###");
    EXPECT_EQ(Columns(LineSampleIcons::StyleSample(5)), std::string(64, '.'));
}

TEST(LineSampleIcons, StylesAreTwoRowsInTheMiddle)
{
    for (int style = 0; style < 5; ++style)
        EXPECT_EQ(DrawnRows(LineSampleIcons::StyleSample(style)), (std::vector<int>{7, 8}))
            << style;
}

} // namespace
