#include "view/ViewMapping.h"

#include <gtest/gtest.h>

namespace {

using namespace ViewMapping;

TEST(ViewMappingTest, HalfSizeViewDoublesCoordinates)
{
    EXPECT_EQ(WindowToPicture({100, 50}, {1280, 1024}, {640, 512}), QPoint(200, 100));
    // Twice the chosen width 1, scaled by 2.0, plus a half, truncated.
    EXPECT_EQ(ScaleToPicture(2 * 1, {1280, 1024}, {640, 512}), 4);
}

TEST(ViewMappingTest, SinglePrecisionRatiosTruncate)
{
    // 640 * 1.9968... is 1278.0..., not 1280.
    EXPECT_EQ(WindowToPicture({640, 0}, {1280, 1024}, {641, 512}).x(), 1278);
    EXPECT_EQ(WindowToPicture({641, 0}, {1280, 1024}, {641, 512}).x(), 1280);
}

TEST(ViewMappingTest, NegativeFontHeightsMoveTowardZero)
{
    EXPECT_EQ(ScaleToPicture(-18, {1280, 1024}, {640, 512}), -35);
    EXPECT_EQ(ScaleToPicture(-18, {640, 480}, {640, 480}), -17);
    EXPECT_EQ(ScaleToPicture(18, {640, 480}, {640, 480}), 18);
}

TEST(ViewMappingTest, AxesScaleIndependently)
{
    // 2560 x 1920 in 640 x 480 is 4.0 both ways; 1280 x 1920 mixes 2.0 and 4.0.
    EXPECT_EQ(WindowToPicture({10, 10}, {1280, 1920}, {640, 480}), QPoint(20, 40));
    EXPECT_EQ(ScaleToPicture(10, {1280, 1920}, {640, 480}), 30);
}

TEST(ViewMappingTest, InsideTestHasNoLowerBound)
{
    EXPECT_TRUE(IsInsideView({640, 480}, {640, 480}));
    EXPECT_FALSE(IsInsideView({641, 10}, {640, 480}));
    EXPECT_FALSE(IsInsideView({10, 481}, {640, 480}));
    EXPECT_TRUE(IsInsideView({-20, -5}, {640, 480}));
    EXPECT_EQ(WindowToPicture({-20, -5}, {1280, 960}, {640, 480}), QPoint(-40, -10));
}

TEST(ViewMappingTest, AViewWithNoSizeDoesNotDivideByZero)
{
    EXPECT_EQ(WindowToPicture({5, 5}, {1280, 1024}, {0, 0}), QPoint(5, 5));
    EXPECT_EQ(ScaleToPicture(4, {1280, 1024}, {0, 0}), 4);
}

} // namespace
