#include "draw/CDrawPen.h"
#include "draw/CDrawShape.h"
#include "draw/CDrawText.h"
#include "platform/GdiContext.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr QRgb Paper = 0xFFFFFFFF;
constexpr ColorRef Blue = MakeColorRef(0, 0, 255);
// The complement of blue, the colour of guide lines.
constexpr QRgb Yellow = 0xFFFFFF00;

// Draws the object on a white picture and remembers what changed.
class ObjectDrawing : public ::testing::Test
{
protected:
    QImage picture{300, 200, QImage::Format_RGB32};
    QRect touched;

    void SetUp() override { picture.fill(Paper); }
    void DrawObject(CDrawObject& object)
    {
        GdiContext dc(picture);
        const GdiPen pen = dc.CurrentPen();
        object.Draw(dc);
        EXPECT_EQ(dc.CurrentPen(), pen) << "Draw leaves its pen selected";
        EXPECT_FALSE(dc.CurrentBrush().IsHollow()) << "Draw leaves its brush selected";
        touched = dc.TouchedRect();
    }
    bool Ink(int x, int y) const { return picture.pixel(x, y) != Paper; }
    int CountPixels(QRgb colour) const
    {
        int n = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                n += picture.pixel(x, y) == colour;
        return n;
    }
};

struct BoundsCase
{
    const char* name;
    std::function<std::unique_ptr<CDrawObject>()> make;
    GdiRect expected;
};

class BoundsRuleTest : public ::testing::TestWithParam<BoundsCase>
{
};

// The second point above and left of the first: only line and arrow keep the
// direction.
TEST_P(BoundsRuleTest, SetBoundsNormalisesPerClass)
{
    auto object = GetParam().make();
    object->SetBounds({50, 60}, {10, 20});
    EXPECT_EQ(object->bounds, GetParam().expected);
    object->Offset(5, -5);
    const GdiRect& e = GetParam().expected;
    EXPECT_EQ(object->bounds, (GdiRect{e.left + 5, e.top - 5, e.right + 5, e.bottom - 5}));
}

const GdiRect Normalised{10, 20, 50, 60};
const GdiRect Directed{50, 60, 10, 20};

INSTANTIATE_TEST_SUITE_P(
    Classes, BoundsRuleTest,
    ::testing::Values(
        BoundsCase{"Line", [] { return std::make_unique<CDrawShape>(1, GdiRect{}); }, Directed},
        BoundsCase{"Rectangle", [] { return std::make_unique<CDrawShape>(2, GdiRect{}); },
                   Normalised},
        BoundsCase{"Ellipse", [] { return std::make_unique<CDrawShape>(3, GdiRect{}); },
                   Normalised},
        BoundsCase{"Arrow", [] { return std::make_unique<CDrawShape>(5, GdiRect{}); }, Directed},
        BoundsCase{"Text", [] { return std::make_unique<CDrawText>(); }, Normalised},
        BoundsCase{"Freehand", [] { return std::make_unique<CDrawPen>(); }, Normalised}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CDrawShape, ConstructorNormalisesUnlessLineOrArrow)
{
    const GdiRect r{50, 60, 10, 20};
    EXPECT_EQ(CDrawShape(1, r).bounds, r);
    EXPECT_EQ(CDrawShape(5, r).bounds, r);
    EXPECT_EQ(CDrawShape(2, r).bounds, Normalised);
    EXPECT_EQ(CDrawShape(3, r).bounds, Normalised);
}

TEST(CDrawShape, SetPenStoresColourAndWidthAndAHollowBrush)
{
    CDrawShape shape(2, {});
    shape.SetPen(Blue, 6, 3);
    EXPECT_EQ(shape.colour, Blue);
    EXPECT_EQ(shape.width, 6);
    EXPECT_EQ(shape.pen, GdiPen::Styled(Blue, 6, 3));
    EXPECT_TRUE(shape.brush.IsHollow());
}

TEST(CDrawPen, RecalcBoundsCoversThePointsWith200Pixels)
{
    CDrawPen stroke;
    stroke.RecalcBounds();
    EXPECT_EQ(stroke.bounds, GdiRect{});
    stroke.points = {{100, 100}};
    stroke.RecalcBounds();
    EXPECT_EQ(stroke.bounds, (GdiRect{-100, -100, 300, 300}));
}

TEST_F(ObjectDrawing, FreehandStrokeWithoutPointsDrawsNothing)
{
    CDrawPen stroke;
    stroke.SetPen(Blue, 4, 0);
    DrawObject(stroke);
    EXPECT_EQ(CountPixels(Paper), 300 * 200);
    EXPECT_TRUE(touched.isEmpty());
}

TEST_F(ObjectDrawing, FreehandStrokeJoinsItsPointsInOrder)
{
    CDrawPen stroke;
    stroke.SetPen(Blue, 4, 0);
    stroke.points = {{20, 20}, {120, 20}, {120, 120}};
    DrawObject(stroke);
    EXPECT_EQ(picture.pixel(70, 20), ToQColor(Blue).rgb());
    EXPECT_TRUE(Ink(120, 70));
    EXPECT_FALSE(Ink(70, 70)); // not closed back to the start
    EXPECT_TRUE(touched.contains(QRect(18, 18, 105, 105)));
}

TEST_F(ObjectDrawing, HollowRectangleLeavesItsInsideUntouched)
{
    CDrawShape shape(2, {});
    shape.SetPen(Blue, 4, 1);
    shape.SetBounds({200, 150}, {40, 30});
    DrawObject(shape);
    EXPECT_TRUE(Ink(40, 30)); // the first dash starts at the corner
    EXPECT_TRUE(Ink(50, 31));
    EXPECT_FALSE(Ink(50, 35));
    for (int y = 34; y < 146; ++y)
        for (int x = 44; x < 196; ++x)
            ASSERT_FALSE(Ink(x, y)) << x << "," << y;
}

TEST_F(ObjectDrawing, EllipseStaysInsideItsBounds)
{
    CDrawShape shape(3, {});
    shape.SetPen(Blue, 2, 0);
    shape.SetBounds({40, 30}, {241, 151});
    DrawObject(shape);
    EXPECT_TRUE(Ink(140, 30));
    EXPECT_TRUE(Ink(40, 90));
    EXPECT_FALSE(Ink(140, 90));
    EXPECT_FALSE(Ink(45, 35));
}

TEST_F(ObjectDrawing, LineFollowingThePointerShowsGuidesInTheComplementaryColour)
{
    CDrawShape line(1, {});
    line.SetPen(Blue, 2, 0);
    line.points[0] = {50, 100};
    line.points[1] = {250, 100};
    line.pointCount = 1;
    line.SetBounds(line.points[0], line.points[1]);
    DrawObject(line);
    EXPECT_EQ(picture.pixel(150, 100), ToQColor(Blue).rgb());
    // Vertical guides through both ends, across the whole picture.
    EXPECT_EQ(picture.pixel(50, 0), Yellow);
    EXPECT_EQ(picture.pixel(250, 0), Yellow);
    EXPECT_EQ(picture.pixel(250, 198) == Yellow || picture.pixel(250, 197) == Yellow, true);
    EXPECT_EQ(touched.top(), 0);
    EXPECT_EQ(touched.bottom(), 199);
}

TEST_F(ObjectDrawing, FixedLineHasNoGuides)
{
    CDrawShape line(1, {});
    line.SetPen(Blue, 2, 0);
    line.points[0] = {50, 100};
    line.points[1] = {250, 100};
    line.pointCount = 2;
    line.SetBounds({0, 0}, {10, 10}); // ignored once both points are fixed
    DrawObject(line);
    EXPECT_EQ(CountPixels(Yellow), 0);
    EXPECT_TRUE(Ink(150, 100));
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
    // Barbs 16 pixels long at 22.5 degrees: tips near (225, 106) and (225, 93).
    EXPECT_TRUE(Ink(227, 105));
    EXPECT_TRUE(Ink(227, 95));
    EXPECT_FALSE(Ink(227, 112));
    EXPECT_FALSE(Ink(40, 106));
    EXPECT_EQ(CountPixels(Yellow), 0);
}

TEST_F(ObjectDrawing, ArrowFollowingThePointerShowsGuides)
{
    CDrawShape arrow(5, {});
    arrow.SetPen(Blue, 4, 0);
    arrow.points[0] = {40, 100};
    arrow.points[1] = {240, 100};
    arrow.pointCount = 1;
    arrow.SetBounds(arrow.points[0], arrow.points[1]);
    DrawObject(arrow);
    EXPECT_TRUE(Ink(227, 105));
    EXPECT_EQ(picture.pixel(40, 0), Yellow);
}

class TextDrawing : public ObjectDrawing
{
protected:
    CDrawText text;
    void SetUp() override
    {
        ObjectDrawing::SetUp();
        LogFont log = LogFont::DefaultTextFont();
        log.height = -30;
        text.SetFont(log, Blue);
        text.SetText(QStringLiteral("HI"));
        text.SetBounds({60, 50}, {70, 80}); // the text starts at (70, 50)
    }
};

TEST_F(TextDrawing, CaretBoxIsInvertedWhileTyping)
{
    text.finished = 0;
    DrawObject(text);
    EXPECT_EQ(picture.pixel(60, 50), qRgb(0, 0, 0));
    EXPECT_EQ(picture.pixel(69, 79), qRgb(0, 0, 0));
    EXPECT_EQ(picture.pixel(70, 79), Paper);
    EXPECT_EQ(picture.pixel(59, 50), Paper);
    EXPECT_GT(CountPixels(ToQColor(Blue).rgb()), 20);
}

TEST_F(TextDrawing, FinishedTextHasNoCaretBox)
{
    text.finished = 1;
    DrawObject(text);
    EXPECT_EQ(picture.pixel(65, 60), Paper);
    EXPECT_GT(CountPixels(ToQColor(Blue).rgb()), 20);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < 70; ++x)
            ASSERT_FALSE(Ink(x, y)) << "text begins at the caret box's right edge";
    EXPECT_TRUE(touched.contains(70, 50));
}

TEST_F(TextDrawing, DrawSelectsTheFontOnlyForItsOwnText)
{
    QImage other(10, 10, QImage::Format_RGB32);
    GdiContext dc(other);
    const int before = dc.CurrentLogFont().height;
    text.Draw(dc);
    EXPECT_EQ(dc.CurrentLogFont().height, before);
    EXPECT_EQ(dc.TextColor(), Blue);
    EXPECT_EQ(dc.BkMode(), int(GdiContext::Transparent));
}

} // namespace
