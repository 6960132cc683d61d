#include "app/WindowPlacement.h"

#include <gtest/gtest.h>

using namespace WindowPlacement;

namespace {

TEST(WindowPlacement, ThreeZoomInsReachTheLargestSizeAndAFourthStaysThere)
{
    const QSize screen(1280, 1024);
    int step = 0;
    EXPECT_EQ(WindowGeometry(step, screen), QRect(310, 232, 660, 560));
    const QSize expected[] = {{817, 678}, {860, 710}, {980, 800}, {980, 800}};
    for (const QSize& size : expected) {
        step = StepAfterZoom(step, +1);
        EXPECT_EQ(WindowGeometry(step, screen).size(), size);
    }
    EXPECT_EQ(step, 3);
    EXPECT_EQ(WindowGeometry(step, screen).topLeft(), QPoint(150, 112));
    EXPECT_EQ(StepAfterZoom(0, -1), 0);
    EXPECT_EQ(StepAfterZoom(3, -1), 2);
}

TEST(WindowPlacement, AnAxisThatDoesNotFitStartsAtZero)
{
    EXPECT_EQ(WindowGeometry(3, {1024, 768}), QRect(22, 0, 980, 800));
    EXPECT_EQ(CentredPosition({980, 800}, {980, 800}), QPoint(0, 0));
    EXPECT_EQ(CentredPosition({660, 560}, {661, 561}), QPoint(0, 0));
    EXPECT_EQ(CentredPosition({660, 560}, {640, 480}), QPoint(0, 0));
}

TEST(WindowPlacement, FullScreenHidesTheTopSixtyRows)
{
    const FullScreenLayout layout = FullScreenGeometry({1280, 1024});
    EXPECT_EQ(layout.window, QRect(QPoint(0, -60), QPoint(1279, 1023)));
    EXPECT_EQ(layout.frame, QRect(0, 60, 1280, 1024));
    EXPECT_EQ(layout.view, QRect(0, 0, 1280, 1024));
    // The frame covers the screen exactly.
    EXPECT_EQ(layout.frame.translated(layout.window.topLeft()), QRect(0, 0, 1280, 1024));
}

} // namespace
