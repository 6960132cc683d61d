#include "draw/CDrawMeasure.h"
#include "view/Loupe.h"
#include "view/PointAiming.h"
#include "view/ViewMapping.h"

#include "ViewTestSupport.h"

#include <gtest/gtest.h>

#include <tuple>

using Action = PointAiming::Action;
using KeyAction = PointAiming::KeyAction;
using namespace ViewMapping;

namespace {

QRgb Expected(const QImage& picture, QPoint p)
{
    return picture.valid(p) ? picture.pixel(p) : Loupe::Outside;
}

// The loupe stays inside the view and clear of the pointer wherever it is.
TEST(Loupe, PlacedClearOfThePointerEveryDevicePixelShowsItsPicturePixel)
{
    for (const QSize size : {QSize(640, 480), QSize(960, 720), QSize(1920, 1080)})
        for (int y = 0; y < size.height(); y += 7)
            for (int x = 0; x < size.width(); x += 7) {
                const QRect box = Loupe::Placement({x, y}, size);
                ASSERT_TRUE(QRect(QPoint(0, 0), size).contains(box)) << x << "," << y;
                const int dx = std::max(box.left() - x, x - box.right());
                const int dy = std::max(box.top() - y, y - box.bottom());
                ASSERT_GE(std::max(dx, dy), Loupe::Gap) << x << "," << y;
            }

    // Every device pixel of the magnified picture shows its picture pixel.
    const QImage picture = TexturedPicture({40, 30});
    for (const qreal dpr : {1.0, 1.5, 2.0, 3.0})
        for (const QPoint centre : {QPoint(20, 15), QPoint(0, 0), QPoint(39, 29), QPoint(-30, 5)}) {
            const QImage magnified = Loupe::Magnify(picture, centre, dpr);
            const int cell = qRound(Loupe::Zoom * dpr);
            ASSERT_EQ(magnified.deviceIndependentSize(), QSizeF(Loupe::Side, Loupe::Side));
            for (int y = 0; y < magnified.height(); ++y)
                for (int x = 0; x < magnified.width(); ++x) {
                    const QPoint p =
                        centre + QPoint(x / cell - Loupe::Reach, y / cell - Loupe::Reach);
                    ASSERT_EQ(magnified.pixel(x, y), Expected(picture, p)) << dpr;
                }
        }
}

// A 1280 x 1024 picture in a 640 x 480 view: 2 picture pixels per view pixel
// across and 2.13 down, so a click cannot reach every picture pixel.
class AimingTest : public ViewFixture
{
  protected:
    void SetUp() override { Load(picture); }

    QPoint Mapped(QPoint q) const
    {
        view.WindowToPicture(q);
        return q;
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers mods = {}) { QTest::keyClick(&view, key, mods); }
    CDrawMeasure* Measure() const { return dynamic_cast<CDrawMeasure*>(view.CurrentObject()); }

    const QImage picture = TexturedPicture({1280, 1024});
};

// Near the corner some of the cells fall outside the picture. The loupe is
// painted over the view, never into the picture.
TEST_F(AimingTest, LoupeShowsThePicturePixelsAroundTheAimedPoint)
{
    view.SetToolMode(ToolMode::ToolAnyAngleLine);
    Move({1, 2});
    ASSERT_TRUE(view.LoupeShown());
    const QImage shot = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect box = view.LoupeBox();
    const QRect band = Loupe::TextBand(1).translated(box.topLeft());
    for (int cy = 0; cy < Loupe::Cells; ++cy)
        for (int cx = 0; cx < Loupe::Cells; ++cx) {
            // Clear of the frame and the crosshair.
            const QPoint at = box.topLeft() + QPoint(cx, cy) * Loupe::Zoom + QPoint(2, 2);
            const QPoint p = Mapped({1, 2}) + QPoint(cx - Loupe::Reach, cy - Loupe::Reach);
            if (!band.contains(at))
                ASSERT_EQ(shot.pixel(at), Expected(picture, p)) << cx << "," << cy;
        }
    EXPECT_TRUE(MatchesTopSnapshot());
    view.SetToolMode(ToolMode::ToolNone);
    EXPECT_FALSE(view.LoupeShown());
}

// Arrow keys move the point the next Return or Space places, by one picture
// pixel or by ten with Shift; the mapping is not a whole ratio.
TEST_F(AimingTest, NudgedLineEndsArePlacedWhereTheKeysPutThem)
{
    const std::pair<Qt::Key, QPoint> cases[] = {{Qt::Key_Right, {1, 0}}, {Qt::Key_Down, {0, 10}}};
    for (const auto& [key, offset] : cases) {
        view.SetToolMode(ToolMode::ToolAnyAngleLine);
        Move({101, 101});
        Key(Qt::Key_Return);
        ASSERT_TRUE(Measure());
        EXPECT_EQ(Measure()->points[0].ToQPoint(), Mapped({101, 101}));
        EXPECT_EQ(Measure()->width, 4) << "twice the width 1, scaled by 2";

        Move({400, 300});
        Key(key, offset.y() ? Qt::ShiftModifier : Qt::NoModifier);
        const QPoint end = Mapped({400, 300}) + offset;
        EXPECT_EQ(Measure()->PointerPoint().ToQPoint(), end) << "the line follows the aim";
        Key(Qt::Key_Space);
        EXPECT_EQ(Measure()->points[1].ToQPoint(), end);
        Key(Qt::Key_Enter); // places the label and commits
    }
    EXPECT_EQ(view.modificationCount, 2);
}

// Keys the view tests do not press: the keypad's, Ctrl+Return for a double
// click, and the window's shortcuts.
TEST(PointAiming, KeysAndANudgeThatStaysOnThePictureUntilThePointerMoves)
{
    const Qt::KeyboardModifiers none, ctrl = Qt::ControlModifier;
    const std::tuple<int, Qt::KeyboardModifiers, bool, KeyAction> cases[] = {
        {Qt::Key_Left, none, true, {Action::Nudge, {-1, 0}}},
        {Qt::Key_Up, Qt::KeypadModifier, true, {Action::Nudge, {0, -1}}},
        {Qt::Key_Return, ctrl, true, {Action::DoubleClick, {}}},
        {Qt::Key_L, ctrl, true, {}},
        {Qt::Key_Return, Qt::AltModifier, true, {}},
        {Qt::Key_PageDown, none, true, {}},
    };
    for (const auto& [key, mods, placing, expected] : cases)
        EXPECT_EQ(PointAiming::ForKey(key, mods, placing), expected)
            << std::hex << key << " " << mods;

    // A nudge stays on the picture until the pointer moves.
    // Picture pixels are 2 view pixels across and 2.13 down.
    const QSize picture(1280, 1024), view(640, 480);
    PointAiming aim;
    aim.PointerAt({100, 100}, true);
    EXPECT_EQ(aim.Pending(picture, view), QPoint(200, 213));
    EXPECT_EQ(aim.Nudge({3, -1}, picture, view), QPoint(203, 212));
    aim.PointerAt({100, 100}, true);
    EXPECT_EQ(aim.Pending(picture, view), QPoint(203, 212));
    aim.PointerAt({101, 100}, true);
    EXPECT_EQ(aim.Pending(picture, view), QPoint(202, 213));

    for (const QPoint step : {QPoint(-500, 0), QPoint(0, -500), QPoint(5000, 5000)})
        aim.Nudge(step, picture, view);
    EXPECT_EQ(aim.Pending(picture, view), QPoint(1279, 1023));
    // Leaving the view drops the nudge as well.
    aim.PointerAt({101, 100}, false);
    aim.PointerAt({101, 100}, true);
    EXPECT_EQ(aim.Pending(picture, view), QPoint(202, 213));
}

// Each axis scales by its own single-precision ratio and truncates toward
// zero; a width is doubled and rounded half up before the truncation. Being
// inside the view has no lower bound.
TEST(ViewMappingTest, PointsAndWidthsReachThePictureInsideHasNoLowerBound)
{
    const std::tuple<QSize, QSize, QPoint, QPoint, int, int> cases[] = {
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
    for (const auto& [picture, view, window, mapped, width, scaled] : cases) {
        EXPECT_EQ(WindowToPicture(window, picture, view), mapped) << window.x();
        EXPECT_EQ(ScaleToPicture(width, picture, view), scaled) << width;
    }
    EXPECT_TRUE(IsInsideView({640, 480}, {640, 480}));
    EXPECT_FALSE(IsInsideView({641, 10}, {640, 480}));
    EXPECT_FALSE(IsInsideView({10, 481}, {640, 480}));
    EXPECT_TRUE(IsInsideView({-20, -5}, {640, 480}));
}

} // namespace
