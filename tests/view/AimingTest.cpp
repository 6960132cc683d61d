#include "draw/CDrawMeasure.h"
#include "draw/MeasureReadout.h"
#include "view/Loupe.h"

#include "ViewTestSupport.h"

#include <QPainter>

#include <cmath>

namespace {

QRgb Texture(int x, int y)
{
    return qRgb((x * 7) & 0xFF, (y * 13) & 0xFF, (x ^ y) & 0xFF);
}

QImage TexturedPicture(QSize size)
{
    QImage picture(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            picture.setPixel(x, y, Texture(x, y));
    return picture;
}

QRgb Expected(const QImage& picture, QPoint p)
{
    return picture.valid(p) ? picture.pixel(p) : Loupe::Outside;
}

} // namespace

// ---------------------------------------------------------------------------
// Placement and magnification, without a view

struct PlacementCase
{
    const char* edge;
    QPoint pointer;
    bool left;  // of the pointer
    bool above; // the pointer
};

TEST(LoupePlacement, FlipsAwayFromEachEdge)
{
    const QSize view(640, 480);
    const PlacementCase cases[] = {
        {"middle", {320, 240}, false, true}, {"left", {0, 240}, false, true},
        {"right", {639, 240}, true, true},   {"top", {320, 0}, false, false},
        {"bottom", {320, 479}, false, true}, {"top right corner", {639, 0}, true, false},
    };
    for (const PlacementCase& c : cases) {
        const QRect box = Loupe::Placement(c.pointer, view);
        EXPECT_EQ(box.right() < c.pointer.x(), c.left) << c.edge;
        EXPECT_EQ(box.bottom() < c.pointer.y(), c.above) << c.edge;
    }
}

TEST(LoupePlacement, InsideTheViewAndClearOfThePointerEverywhere)
{
    for (const QSize view : {QSize(640, 480), QSize(960, 720), QSize(1920, 1080)}) {
        for (int y = 0; y < view.height(); y += 7) {
            for (int x = 0; x < view.width(); x += 7) {
                const QPoint pointer(x, y);
                const QRect box = Loupe::Placement(pointer, view);
                ASSERT_EQ(box.size(), QSize(Loupe::Side, Loupe::Side));
                ASSERT_TRUE(QRect(QPoint(0, 0), view).contains(box)) << x << "," << y;
                // The pointer stays at least the gap away on one axis.
                const int dx = std::max(box.left() - x, x - box.right());
                const int dy = std::max(box.top() - y, y - box.bottom());
                ASSERT_GE(std::max(dx, dy), Loupe::Gap) << x << "," << y;
            }
        }
    }
}

TEST(LoupeMagnify, EveryDevicePixelShowsItsPicturePixel)
{
    const QImage picture = TexturedPicture({40, 30});
    for (const qreal dpr : {1.0, 1.5, 2.0, 3.0}) {
        for (const QPoint centre : {QPoint(20, 15), QPoint(0, 0), QPoint(39, 29), QPoint(-30, 5)}) {
            const QImage magnified = Loupe::Magnify(picture, centre, dpr);
            const int cell = qRound(Loupe::Zoom * dpr);
            ASSERT_EQ(magnified.width(), Loupe::Cells * cell);
            ASSERT_EQ(magnified.deviceIndependentSize(), QSizeF(Loupe::Side, Loupe::Side));
            for (int y = 0; y < magnified.height(); ++y)
                for (int x = 0; x < magnified.width(); ++x) {
                    const QPoint p =
                        centre + QPoint(x / cell, y / cell) - QPoint(Loupe::Reach, Loupe::Reach);
                    ASSERT_EQ(magnified.pixel(x, y), Expected(picture, p))
                        << dpr << " at " << x << "," << y;
                }
        }
    }
}

// ---------------------------------------------------------------------------
// The loupe and the keyboard on a shown view

class AimingTest : public ViewFixture
{
  protected:
    // A 1280 x 1024 picture in a 640 x 480 view: two picture pixels per view
    // pixel across, 2.13 down, so a click cannot reach every pixel.
    void LoadTextured()
    {
        editor.resize(640, 480);
        editor.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
        picture = TexturedPicture({1280, 1024});
        const QString path = folder.filePath(QStringLiteral("20081231_1200.bmp"));
        ASSERT_TRUE(picture.save(path));
        ASSERT_TRUE(editor.LoadPicture(path));
        editor.SetOwner(&owner);
    }

    QPoint Mapped(QPoint q) const
    {
        editor.WindowToPicture(q);
        return q;
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers mods = {}) { QTest::keyClick(&editor, key, mods); }
    CDrawMeasure* Measure() const { return dynamic_cast<CDrawMeasure*>(editor.CurrentObject()); }

    QImage picture;
};

TEST_F(AimingTest, LoupeShowsThePicturePixelsAroundTheAimedPoint)
{
    LoadTextured();
    editor.SetToolMode(ToolAnyAngleLine);
    for (const QPoint q : {QPoint(300, 200), QPoint(1, 2), QPoint(639, 479)}) {
        Move(q);
        ASSERT_TRUE(editor.LoupeShown());
        const QImage shot = editor.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QRect box = editor.LoupeBox();
        const QRect band = Loupe::TextBand(1).translated(box.topLeft());
        const QPoint centre = editor.PendingPoint();
        EXPECT_EQ(centre, Mapped(q));
        for (int cy = 0; cy < Loupe::Cells; ++cy)
            for (int cx = 0; cx < Loupe::Cells; ++cx) {
                // One pixel in from the cell's corner: clear of the frame and
                // the crosshair.
                const QPoint at = box.topLeft() + QPoint(cx, cy) * Loupe::Zoom + QPoint(1, 1);
                if (band.contains(at))
                    continue;
                const QPoint p = centre + QPoint(cx - Loupe::Reach, cy - Loupe::Reach);
                ASSERT_EQ(shot.pixel(at), Expected(picture, p)) << cx << "," << cy;
            }
    }
    // Over the picture, never in it.
    EXPECT_TRUE(MatchesTopSnapshot());
    EXPECT_EQ(editor.History().Count(), 1);

    // L hides it; without a tool it does not show either.
    Key(Qt::Key_L);
    EXPECT_FALSE(editor.LoupeShown());
    Key(Qt::Key_L);
    EXPECT_TRUE(editor.LoupeShown());
    editor.SetToolMode(ToolNone);
    EXPECT_FALSE(editor.LoupeShown());
}

struct NudgeCase
{
    const char* name;
    std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> keys;
    QPoint offset;
};

TEST_F(AimingTest, NudgedLineEndsGiveTheLabelOfTheirPoints)
{
    LoadTextured();
    const NudgeCase cases[] = {
        {"+3", {{Qt::Key_Right, {}}, {Qt::Key_Right, {}}, {Qt::Key_Right, {}}}, {3, 0}},
        {"-1", {{Qt::Key_Up, {}}}, {0, -1}},
        {"Shift+1", {{Qt::Key_Down, Qt::ShiftModifier}}, {0, 10}},
        {"there and back", {{Qt::Key_Left, Qt::ShiftModifier}, {Qt::Key_Right, {}}}, {-9, 0}},
    };
    for (const NudgeCase& c : cases) {
        editor.SetToolMode(ToolAnyAngleLine);
        Move({101, 101});
        Key(Qt::Key_Return);
        const QPoint start = Mapped({101, 101});
        ASSERT_TRUE(Measure()) << c.name;
        EXPECT_EQ(Measure()->points[0].ToQPoint(), start) << c.name;

        Move({400, 300});
        for (const auto& [key, mods] : c.keys)
            Key(key, mods);
        const QPoint end = Mapped({400, 300}) + c.offset;
        EXPECT_EQ(editor.PendingPoint(), end) << c.name;
        // The line follows the pending point before it is placed.
        EXPECT_EQ(Measure()->PointerPoint().ToQPoint(), end) << c.name;
        Key(Qt::Key_Space);
        EXPECT_EQ(Measure()->points[1].ToQPoint(), end) << c.name;

        const QPoint d = end - start;
        const double millimetres = std::sqrt(double(d.x()) * d.x() + double(d.y()) * d.y()) *
                                   editor.pixelSize * editor.resolutionFactor /
                                   editor.pictureMagnification;
        EXPECT_EQ(MeasureReadout::Lines(*Measure()),
                  QStringList{QString::asprintf("%f mm", millimetres)})
            << c.name;
        // The third click places the label and commits.
        Key(Qt::Key_Enter);
        EXPECT_EQ(editor.InteractionStateValue(), StateIdle) << c.name;
    }
    EXPECT_EQ(editor.modificationCount, 4);
}

TEST_F(AimingTest, EnterPlacesPointsAndCtrlEnterEndsAContinuousLine)
{
    LoadTextured();
    editor.SetToolMode(ToolContinuousLine);
    const QPoint a(100, 100), b(300, 100), label(200, 150), d(300, 300);
    for (const QPoint q : {a, b, label}) {
        Move(q);
        Key(Qt::Key_Return);
    }
    Move(d);
    Key(Qt::Key_Right);
    Key(Qt::Key_Return, Qt::ControlModifier);
    // As a double click there: vertex D added, the vertex list ended.
    ASSERT_TRUE(Measure());
    EXPECT_EQ(editor.InteractionStateValue(), StatePlacingLabel);
    EXPECT_EQ(Measure()->pointIndex, 3u);
    EXPECT_EQ(Measure()->points[3].ToQPoint(), Mapped(d) + QPoint(1, 0));
    EXPECT_EQ(Measure()->polylinePhase, 3);
    Key(Qt::Key_Space);
    Key(Qt::Key_Space);
    EXPECT_EQ(editor.InteractionStateValue(), StateIdle);
    EXPECT_EQ(editor.modificationCount, 1);
}

TEST_F(AimingTest, MovingTheMouseDropsTheNudge)
{
    LoadTextured();
    editor.SetToolMode(ToolAnyAngleLine);
    Move({200, 200});
    Key(Qt::Key_Left, Qt::ShiftModifier);
    Key(Qt::Key_Up);
    EXPECT_EQ(editor.PendingPoint(), Mapped({200, 200}) + QPoint(-10, -1));
    // Repeating the same position is no move.
    editor.PointerMove({200, 200});
    EXPECT_EQ(editor.PendingPoint(), Mapped({200, 200}) + QPoint(-10, -1));
    Move({201, 200});
    EXPECT_EQ(editor.PendingPoint(), Mapped({201, 200}));
    // The pending point stays on the picture (a null point would mean the
    // window's centre to the test driver).
    Move({0, 1});
    Key(Qt::Key_Left);
    Key(Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(editor.PendingPoint(), QPoint(0, 0));
}

TEST_F(AimingTest, TypingKeepsItsKeys)
{
    LoadTextured();
    editor.SetToolMode(ToolText);
    Click({200, 200});
    for (const Qt::Key key : {Qt::Key_L, Qt::Key_Left, Qt::Key_Right, Qt::Key_Space})
        Key(key);
    EXPECT_EQ(editor.TypedText(), QStringLiteral("l "));
    EXPECT_TRUE(editor.LoupeEnabled());
    EXPECT_EQ(editor.InteractionStateValue(), StateTyping);
    Key(Qt::Key_Return);
    EXPECT_EQ(editor.modificationCount, 1);
}
