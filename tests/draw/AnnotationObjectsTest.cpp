#include "draw/CDrawMeasure.h"
#include "draw/CDrawPen.h"
#include "draw/CDrawShape.h"
#include "draw/CDrawText.h"
#include "platform/GdiContext.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr QRgb Paper = 0xFFFFFFFF;
constexpr ColorRef Blue = MakeColorRef(0, 0, 255);
constexpr QRgb BlueInk = 0xFF0000FF;
constexpr QRgb GuideInk = 0xFFFFFF00; // the complement of blue

// Draws an object on a white picture; Draw must leave the selection as it was.
class ObjectDrawing : public ::testing::Test
{
  protected:
    QImage picture{300, 200, QImage::Format_RGB32};

    void SetUp() override { picture.fill(Paper); }
    void DrawObject(CDrawObject& object)
    {
        GdiContext dc(picture);
        const GdiPen pen = dc.CurrentPen();
        const int fontHeight = dc.CurrentLogFont().height;
        object.Draw(dc);
        EXPECT_EQ(dc.CurrentPen(), pen);
        EXPECT_FALSE(dc.CurrentBrush().IsHollow());
        EXPECT_EQ(dc.CurrentLogFont().height, fontHeight);
    }
    bool Ink(int x, int y) const { return picture.pixel(x, y) != Paper; }
    int Count(QRgb colour) const
    {
        int n = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                n += picture.pixel(x, y) == colour;
        return n;
    }
};

TEST(CDrawPen, RecalcBoundsGrowsThePointsBy200)
{
    CDrawPen stroke;
    stroke.RecalcBounds();
    EXPECT_EQ(stroke.bounds, GdiRect{});
    stroke.points = {{100, 100}};
    stroke.RecalcBounds();
    EXPECT_EQ(stroke.bounds, (GdiRect{-100, -100, 300, 300}));
    stroke.points = {{50, 60}, {10, 90}, {30, 5}};
    stroke.RecalcBounds();
    EXPECT_EQ(stroke.bounds, (GdiRect{-190, -195, 250, 290}));
}

TEST_F(ObjectDrawing, FreehandStrokeJoinsItsPointsInOrderAndNeedsPoints)
{
    CDrawPen stroke;
    stroke.SetPen(Blue, 4, 0);
    DrawObject(stroke);
    EXPECT_EQ(Count(Paper), 300 * 200);
    stroke.points = {{20, 20}, {120, 20}, {120, 120}};
    DrawObject(stroke);
    EXPECT_EQ(picture.pixel(70, 20), BlueInk);
    EXPECT_TRUE(Ink(120, 70));
    EXPECT_FALSE(Ink(70, 70)); // not closed back to the start
}

TEST_F(ObjectDrawing, HollowDashedRectangleLeavesItsInsideUntouched)
{
    CDrawShape shape(2, {});
    shape.SetPen(Blue, 4, 1);
    shape.SetBounds({200, 150}, {40, 30});
    DrawObject(shape);
    EXPECT_TRUE(Ink(40, 30)); // the first dash starts at the corner
    for (int y = 34; y < 146; ++y)
        for (int x = 44; x < 196; ++x)
            ASSERT_FALSE(Ink(x, y)) << x << "," << y;
}

// While the end follows the pointer a line shows guides across the picture
// through both ends; once fixed it is drawn from its points alone.
TEST_F(ObjectDrawing, LineShowsGuidesOnlyWhileItsEndFollowsThePointer)
{
    CDrawShape line(1, {});
    line.SetPen(Blue, 2, 0);
    line.points[0] = {50, 100};
    line.points[1] = {250, 100};
    line.pointCount = 1;
    line.SetBounds(line.points[0], line.points[1]);
    DrawObject(line);
    EXPECT_EQ(picture.pixel(150, 100), BlueInk);
    EXPECT_EQ(picture.pixel(50, 0), GuideInk);
    EXPECT_EQ(picture.pixel(250, 0), GuideInk);

    picture.fill(Paper);
    line.pointCount = 2;
    line.SetBounds({0, 0}, {10, 10});
    DrawObject(line);
    EXPECT_EQ(Count(GuideInk), 0);
    EXPECT_EQ(picture.pixel(150, 100), BlueInk);
    EXPECT_FALSE(Ink(5, 5));
}

TEST_F(ObjectDrawing, ArrowDrawsBothBarbsAtTheHead)
{
    CDrawShape arrow(5, {});
    arrow.SetPen(Blue, 4, 0);
    arrow.points[0] = {40, 100};
    arrow.points[1] = {240, 100};
    arrow.pointCount = 2;
    DrawObject(arrow);
    // Barbs of 16 pixels at 22.5 degrees end near (225, 106) and (225, 93).
    EXPECT_TRUE(Ink(227, 105));
    EXPECT_TRUE(Ink(227, 95));
    EXPECT_FALSE(Ink(227, 112));
    EXPECT_FALSE(Ink(40, 106));
}

// The lines cross about 10^9 pixels away: the extension is clipped to the
// picture and the lines themselves still show.
TEST_F(ObjectDrawing, NearlyParallelLinesMeetFarAway)
{
    CDrawMeasure m(MeasureKind(9), GdiRect{});
    m.SetPen(Blue, 4, 1);
    m.SetFont(LogFont::DefaultTextFont(), Blue);
    m.magnification = 50.0;
    m.points[1] = {0, 100};
    m.points[2] = {30000, 101};
    m.points[3] = {0, 150};
    m.points[4] = {30001, 151};
    m.pointIndex = 5;
    m.allPointsPlaced = true;
    m.SetBounds({0, 0}, {10, 10});
    DrawObject(m);
    int ink = 0;
    for (int x = 0; x < picture.width(); ++x)
        for (int y = 95; y < 105; ++y)
            ink += picture.pixel(x, y) == BlueInk;
    EXPECT_GT(ink, 100);
}

class TextDrawing : public ObjectDrawing, public ::testing::WithParamInterface<int>
{};

// The caret box is the text's bounds; the text starts at its top-right corner.
TEST_P(TextDrawing, CaretBoxIsInvertedOnlyWhileTyping)
{
    CDrawText text;
    LogFont log = LogFont::DefaultTextFont();
    log.height = -30;
    text.SetFont(log, Blue);
    text.SetText(QStringLiteral("HI"));
    text.SetBounds({60, 50}, {70, 80});
    text.finished = GetParam();
    DrawObject(text);
    const QRgb caret = GetParam() == 0 ? qRgb(0, 0, 0) : Paper;
    EXPECT_EQ(picture.pixel(60, 50), caret);
    EXPECT_EQ(picture.pixel(69, 79), caret);
    EXPECT_EQ(picture.pixel(59, 50), Paper);
    EXPECT_GT(Count(BlueInk), 20);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < 60; ++x)
            ASSERT_FALSE(Ink(x, y)) << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(Typing, TextDrawing, ::testing::Values(0, 1));

} // namespace
