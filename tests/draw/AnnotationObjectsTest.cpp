#include "draw/CDrawMeasure.h"
#include "draw/CDrawPen.h"
#include "draw/CDrawShape.h"
#include "draw/CDrawText.h"
#include "platform/GdiContext.h"

#include <gtest/gtest.h>

namespace {

constexpr QRgb Paper = 0xFFFFFFFF;
constexpr ColorRef Blue = MakeColorRef(0, 0, 255);
constexpr QRgb BlueInk = 0xFF0000FF;

// Draws objects on a white picture; Draw must leave the selection as it was.
class ObjectDrawing : public ::testing::Test
{
  protected:
    QImage picture{300, 200, QImage::Format_RGB32};

    void DrawObject(CDrawObject& object)
    {
        picture.fill(Paper);
        GdiContext dc(picture);
        const GdiPen pen = dc.CurrentPen();
        const int fontHeight = dc.CurrentLogFont().height;
        object.Draw(dc);
        EXPECT_EQ(dc.CurrentPen(), pen);
        EXPECT_FALSE(dc.CurrentBrush().IsHollow());
        EXPECT_EQ(dc.CurrentLogFont().height, fontHeight);
    }
    bool Ink(int x, int y) const { return picture.pixel(x, y) != Paper; }
    bool Clean(const QRect& area) const
    {
        QImage paper(area.size(), QImage::Format_RGB32);
        paper.fill(Paper);
        return picture.copy(area) == paper;
    }
};

// A stroke's bounds are its points' grown by 200 on every side.
TEST_F(ObjectDrawing, FreehandStrokeJoinsItsPointsInOrderAndNeedsPoints)
{
    CDrawPen stroke;
    stroke.SetPen(Blue, 4, 0);
    DrawObject(stroke);
    EXPECT_TRUE(Clean(picture.rect()));
    stroke.points = {{50, 60}, {10, 90}, {30, 5}};
    stroke.RecalcBounds();
    EXPECT_EQ(stroke.bounds, (GdiRect{-190, -195, 250, 290}));
    stroke.points = {{20, 20}, {120, 20}, {120, 120}};
    DrawObject(stroke);
    EXPECT_EQ(picture.pixel(70, 20), BlueInk);
    EXPECT_TRUE(Ink(120, 70));
    EXPECT_FALSE(Ink(70, 70)); // not closed back to the start
}

TEST_F(ObjectDrawing, HollowDashedRectangleKeepsItsInsideArrowHasBothBarbs)
{
    CDrawShape shape(2, {});
    shape.SetPen(Blue, 4, 1);
    shape.SetBounds({200, 150}, {40, 30});
    DrawObject(shape);
    EXPECT_TRUE(Ink(40, 30)); // the first dash starts at the corner
    EXPECT_TRUE(Clean({44, 34, 152, 112}));

    // An arrow draws both barbs at its head.
    CDrawShape arrow(5, {});
    arrow.SetPen(Blue, 4, 0);
    arrow.points = {GdiPoint{40, 100}, GdiPoint{240, 100}};
    arrow.pointCount = 2;
    DrawObject(arrow);
    // Barbs of 16 pixels at 22.5 degrees end near (225, 106) and (225, 93).
    EXPECT_TRUE(Ink(227, 105) && Ink(227, 95));
    EXPECT_FALSE(Ink(227, 112) || Ink(40, 106));
}

// The lines cross about 10^9 pixels away: the extension is clipped to the
// picture and the lines themselves still show.
TEST_F(ObjectDrawing, NearlyParallelLinesMeetFarAway)
{
    CDrawMeasure m(MeasureKind::FourPointAngle, GdiRect{});
    m.SetPen(Blue, 4, 1);
    m.SetFont(LogFont::DefaultTextFont(), Blue);
    m.magnification = 50.0;
    const GdiPoint points[] = {{}, {0, 100}, {30000, 101}, {0, 150}, {30001, 151}};
    std::copy(std::begin(points), std::end(points), m.points.begin());
    m.pointIndex = 5;
    m.allPointsPlaced = true;
    m.SetBounds({0, 0}, {10, 10});
    DrawObject(m);
    EXPECT_FALSE(Clean({0, 95, 300, 10}) || Clean({0, 145, 300, 10}));
}

// The caret box is the text's bounds, inverted only while typing; the text
// starts at its top-right corner.
TEST_F(ObjectDrawing, CaretBoxIsInvertedOnlyWhileTyping)
{
    for (const int finished : {0, 1}) {
        CDrawText text;
        LogFont log = LogFont::DefaultTextFont();
        log.height = -30;
        text.SetFont(log, Blue);
        text.SetText(QStringLiteral("HI"));
        text.SetBounds({60, 50}, {70, 80});
        text.finished = finished;
        DrawObject(text);
        const QRgb caret = finished == 0 ? qRgb(0, 0, 0) : Paper;
        EXPECT_EQ(picture.pixel(60, 50), caret);
        EXPECT_EQ(picture.pixel(69, 79), caret);
        EXPECT_FALSE(Clean({70, 50, 230, 40}));
        EXPECT_TRUE(Clean({0, 0, 60, 200}));
    }
}

} // namespace
