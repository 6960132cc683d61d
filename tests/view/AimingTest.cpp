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

TEST(LoupePlacement, FlipsAwayFromEachEdgeAndNeverCoversThePointer)
{
    struct Case
    {
        QPoint pointer;
        bool left, above; // of the pointer
    };
    const QSize view(640, 480);
    for (const Case& c : {Case{{0, 240}, false, true}, Case{{639, 240}, true, true},
                          Case{{320, 0}, false, false}, Case{{320, 479}, false, true}}) {
        const QRect box = Loupe::Placement(c.pointer, view);
        EXPECT_EQ(box.right() < c.pointer.x(), c.left) << c.pointer.x() << "," << c.pointer.y();
        EXPECT_EQ(box.bottom() < c.pointer.y(), c.above) << c.pointer.x() << "," << c.pointer.y();
    }
    for (const QSize size : {view, QSize(960, 720), QSize(1920, 1080)})
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
        editor.WindowToPicture(q);
        return q;
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers mods = {}) { QTest::keyClick(&editor, key, mods); }
    CDrawMeasure* Measure() const { return dynamic_cast<CDrawMeasure*>(editor.CurrentObject()); }

    const QImage picture = TexturedPicture({1280, 1024});
};

TEST_F(AimingTest, LoupeShowsThePicturePixelsAroundTheAimedPoint)
{
    editor.SetToolMode(ToolMode::ToolAnyAngleLine);
    for (const QPoint q : {QPoint(300, 200), QPoint(1, 2), QPoint(639, 479)}) {
        Move(q);
        ASSERT_TRUE(editor.LoupeShown());
        const QImage shot = editor.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QRect box = editor.LoupeBox();
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
    EXPECT_EQ(editor.History().Count(), 1);
    Key(Qt::Key_L);
    EXPECT_FALSE(editor.LoupeShown());
    Key(Qt::Key_L);
    editor.SetToolMode(ToolMode::ToolNone);
    EXPECT_FALSE(editor.LoupeShown());
}

TEST_F(AimingTest, NudgedLineEndsGiveTheLabelOfTheirPoints)
{
    // Nudges as one and ten picture pixels; the mapping is not a whole ratio.
    const std::pair<Qt::Key, QPoint> cases[] = {{Qt::Key_Right, {1, 0}}, {Qt::Key_Down, {0, 10}}};
    for (const auto& [key, offset] : cases) {
        editor.SetToolMode(ToolMode::ToolAnyAngleLine);
        Move({101, 101});
        Key(Qt::Key_Return);
        const QPoint start = Mapped({101, 101});
        ASSERT_TRUE(Measure());
        EXPECT_EQ(Measure()->points[0].ToQPoint(), start);

        Move({400, 300});
        Key(key, offset.y() ? Qt::ShiftModifier : Qt::NoModifier);
        const QPoint end = Mapped({400, 300}) + offset;
        // The line follows the pending point before it is placed.
        EXPECT_EQ(Measure()->PointerPoint().ToQPoint(), end);
        Key(Qt::Key_Space);
        EXPECT_EQ(Measure()->points[1].ToQPoint(), end);

        const QPoint d = end - start;
        const double mm = std::hypot(d.x(), d.y()) * editor.Protocol().Scale().pixelSize *
                          editor.Protocol().Scale().resolutionFactor /
                          editor.Protocol().Scale().pictureMagnification;
        EXPECT_EQ(MeasureReadout::Lines(*Measure()), QStringList{QString::asprintf("%f mm", mm)});
        Key(Qt::Key_Enter); // places the label and commits
        EXPECT_EQ(editor.State(), InteractionState::StateIdle);
    }
    EXPECT_EQ(editor.modificationCount, 2);
}

TEST_F(AimingTest, TypingKeepsItsKeys)
{
    editor.SetToolMode(ToolMode::ToolText);
    Click({200, 200});
    for (const Qt::Key key : {Qt::Key_L, Qt::Key_Left, Qt::Key_Right, Qt::Key_Space})
        Key(key);
    EXPECT_EQ(editor.TypedText(), QStringLiteral("l "));
    EXPECT_TRUE(editor.LoupeEnabled());
    EXPECT_EQ(editor.State(), InteractionState::StateTyping);
}
