#include "view/ViewMapping.h"

#include <gtest/gtest.h>

namespace {

using namespace ViewMapping;

// Each axis scales by its own single-precision ratio and truncates toward
// zero; a width is doubled and rounded half up before the truncation.
TEST(ViewMappingTest, PointsAndWidthsReachThePicture)
{
    const struct
    {
        QSize picture, view;
        QPoint window, mapped;
        int width, scaled;
    } cases[] = {
        {{1280, 1024}, {640, 512}, {100, 50}, {200, 100}, 2, 4},
        {{1280, 1024}, {641, 512}, {640, 0}, {1278, 0}, 1, 2}, // 640 * 1.9968... is 1278.0...
        {{1280, 1024}, {641, 512}, {641, 0}, {1280, 0}, 0, 0},
        {{1280, 1024}, {640, 512}, {0, 0}, {0, 0}, -18, -35}, // font heights move toward zero
        {{640, 480}, {640, 480}, {0, 0}, {0, 0}, -18, -17},
        {{640, 480}, {640, 480}, {0, 0}, {0, 0}, 18, 18},
        {{1280, 1920}, {640, 480}, {10, 10}, {20, 40}, 10, 30},
        {{1280, 960}, {640, 480}, {-20, -5}, {-40, -10}, 0, 0},
        {{1280, 1024}, {0, 0}, {5, 5}, {5, 5}, 4, 4}, // a view with no size divides by nothing
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WindowToPicture(c.window, c.picture, c.view), c.mapped) << c.window.x();
        EXPECT_EQ(ScaleToPicture(c.width, c.picture, c.view), c.scaled) << c.width;
    }
}

TEST(ViewMappingTest, InsideTestHasNoLowerBound)
{
    EXPECT_TRUE(IsInsideView({640, 480}, {640, 480}));
    EXPECT_FALSE(IsInsideView({641, 10}, {640, 480}));
    EXPECT_FALSE(IsInsideView({10, 481}, {640, 480}));
    EXPECT_TRUE(IsInsideView({-20, -5}, {640, 480}));
}

} // namespace
