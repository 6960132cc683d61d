#include "draw/CDrawMeasure.h"
#include "draw/MeasureReadout.h"
#include "view/Loupe.h"

#include "ViewTestSupport.h"

#include <cmath>

namespace {

QRgb Expected(const QImage& picture, QPoint p)
{
    return picture.valid(p) ? picture.pixel(p) : Loupe::Outside;
}

} // namespace

// The loupe stays inside the view and clear of the pointer wherever it is.
TEST(LoupePlacement, InsideTheViewAndNeverCoveringThePointer)
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
}

TEST(LoupeMagnify, EveryDevicePixelShowsItsPicturePixel)
{
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

TEST_F(AimingTest, LoupeShowsThePicturePixelsAroundTheAimedPoint)
{
    view.SetToolMode(ToolMode::ToolAnyAngleLine);
    for (const QPoint q : {QPoint(300, 200), QPoint(1, 2)}) {
        Move(q);
        ASSERT_TRUE(view.LoupeShown());
        const QImage shot = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QRect box = view.LoupeBox();
        const QRect band = Loupe::TextBand(1).translated(box.topLeft());
        for (int cy = 0; cy < Loupe::Cells; ++cy)
            for (int cx = 0; cx < Loupe::Cells; ++cx) {
                // Clear of the frame and the crosshair.
                const QPoint at = box.topLeft() + QPoint(cx, cy) * Loupe::Zoom + QPoint(2, 2);
                const QPoint p = Mapped(q) + QPoint(cx - Loupe::Reach, cy - Loupe::Reach);
                if (!band.contains(at))
                    ASSERT_EQ(shot.pixel(at), Expected(picture, p)) << cx << "," << cy;
            }
    }
    // Over the picture, never in it.
    EXPECT_TRUE(MatchesTopSnapshot());
    view.SetToolMode(ToolMode::ToolNone);
    EXPECT_FALSE(view.LoupeShown());
}

TEST_F(AimingTest, NudgedLineEndsGiveTheLabelOfTheirPoints)
{
    // Nudges as one and ten picture pixels; the mapping is not a whole ratio.
    const std::pair<Qt::Key, QPoint> cases[] = {{Qt::Key_Right, {1, 0}}, {Qt::Key_Down, {0, 10}}};
    for (const auto& [key, offset] : cases) {
        view.SetToolMode(ToolMode::ToolAnyAngleLine);
        Move({101, 101});
        Key(Qt::Key_Return);
        const QPoint start = Mapped({101, 101});
        ASSERT_TRUE(Measure());
        EXPECT_EQ(Measure()->points[0].ToQPoint(), start);
        EXPECT_EQ(Measure()->width, 4) << "twice the width 1, scaled by 2";

        Move({400, 300});
        Key(key, offset.y() ? Qt::ShiftModifier : Qt::NoModifier);
        const QPoint end = Mapped({400, 300}) + offset;
        // The line follows the pending point before it is placed.
        EXPECT_EQ(Measure()->PointerPoint().ToQPoint(), end);
        Key(Qt::Key_Space);
        EXPECT_EQ(Measure()->points[1].ToQPoint(), end);

        const QPoint d = end - start;
        const double mm = std::hypot(d.x(), d.y()) * view.Protocol().Scale().pixelSize *
                          view.Protocol().Scale().resolutionFactor /
                          view.Protocol().Scale().pictureMagnification;
        EXPECT_EQ(MeasureReadout::Lines(*Measure()), QStringList{QString::asprintf("%f mm", mm)});
        Key(Qt::Key_Enter); // places the label and commits
        EXPECT_EQ(view.State(), InteractionState::StateIdle);
    }
    EXPECT_EQ(view.modificationCount, 2);
}

TEST_F(AimingTest, TypingKeepsItsKeys)
{
    view.SetToolMode(ToolMode::ToolText);
    Click({200, 200});
    for (const Qt::Key key : {Qt::Key_L, Qt::Key_Left, Qt::Key_Right, Qt::Key_Space})
        Key(key);
    EXPECT_EQ(view.TypedText(), QStringLiteral("l "));
    EXPECT_TRUE(view.LoupeEnabled());
    EXPECT_EQ(view.State(), InteractionState::StateTyping);
}
