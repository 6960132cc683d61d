#include "ProtocolDriver.h"
#include "ViewTestSupport.h"

#include "platform/GdiContext.h"
#include "view/DisplayScaler.h"
#include "view/TouchedArea.h"

#include <cstring>
#include <limits>
#include <string_view>

namespace {

// What a full restore would give: the snapshot with the object drawn anew.
QImage FullRedraw(const CLumvexImgEdtView& view)
{
    QImage expected = view.History().Top()->copy();
    if (view.CurrentObject()) {
        GdiContext dc(expected);
        view.CurrentObject()->Draw(dc);
    }
    return expected;
}

QImage FullRescale(const CLumvexImgEdtView& view)
{
    return DisplayScaler(view.WorkingPicture().size(), view.size()).ScaleAll(view.WorkingPicture());
}

// Every move restores and rescales only what the object touched; the picture
// and the view must still match a full restore and a full rescale, at scales
// that halve, enlarge and do not divide evenly.
TEST(PartialRedrawTest, EveryMoveMatchesAFullRestoreAndAFullRescale)
{
    const struct
    {
        ToolMode tool;
        QSize picture;
        int clicksBeforeMoves;
    } cases[] = {
        {ToolMode::ToolLine, {1280, 960}, 1},
        {ToolMode::ToolArrow, {1000, 701}, 1},
        {ToolMode::ToolRectangle, {1280, 960}, 0},
        {ToolMode::ToolEllipse, {320, 240}, 0},
        {ToolMode::ToolAnyAngleLine, {1280, 960}, 1},
        {ToolMode::ToolDiameterCircle, {1000, 701}, 1},
        {ToolMode::ToolThreePointArc, {1280, 960}, 2},
        {ToolMode::ToolPolygon, {1280, 960}, 3},
        {ToolMode::ToolFreehand, {1000, 701}, 0},
        // Outline-drawn labels that the pointer's guides cross.
        {ToolMode::ToolContinuousLine, {2560, 1920}, 5},
        {ToolMode::ToolCalibration, {800, 600}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "tool " << int(c.tool));
        ShownView shown;
        ASSERT_TRUE(shown.Load(TexturedPicture(c.picture)));
        CLumvexImgEdtView& view = shown.view;
        AnnotationStyle style;
        style.drawWidth = 3;
        style.drawPenStyle = 1;
        view.SetStyle(&style);
        view.SetToolMode(c.tool);
        QPoint q(200, 150);
        for (int i = 0; i < c.clicksBeforeMoves; ++i) {
            view.PointerMove(q);
            view.LeftButtonDown(q);
            view.LeftButtonUp(q);
            q += QPoint(90, 40 - 30 * i);
        }
        // A stroke grows while the button is held.
        if (c.tool == ToolMode::ToolFreehand)
            view.LeftButtonDown(q);
        for (const QPoint p : {QPoint(320, 260), QPoint(330, 270), QPoint(100, 400),
                               QPoint(600, 20), QPoint(5, 5), QPoint(639, 479), QPoint(340, 240)}) {
            view.PointerMove(p);
            ASSERT_TRUE(view.WorkingPicture() == FullRedraw(view)) << p.x() << "," << p.y();
            view.RedrawNow();
            ASSERT_TRUE(view.DisplayedPicture() == FullRescale(view)) << p.x() << "," << p.y();
        }
        view.CancelOperation();
        EXPECT_TRUE(view.WorkingPicture() == *view.History().Top());
        EXPECT_TRUE(view.DisplayedPicture() == FullRescale(view));
    }
}

TEST(PartialRedrawTest, TypingCommittingAndUndoMatchFullRedraws)
{
    ShownView shown;
    ASSERT_TRUE(shown.Load(TexturedPicture({1000, 701})));
    CLumvexImgEdtView& view = shown.view;
    view.SetToolMode(ToolMode::ToolText);
    view.LeftButtonDown({300, 200});
    view.LeftButtonUp({300, 200});
    for (char16_t c : std::u16string_view(u"Hello, micrometres"))
        view.TypeCodeUnit(c);
    view.TypeRemoveLast();
    ASSERT_TRUE(view.WorkingPicture() == FullRedraw(view));
    view.RedrawNow();
    ASSERT_TRUE(view.DisplayedPicture() == FullRescale(view));
    view.TypeEnter();
    EXPECT_TRUE(view.WorkingPicture() == *view.History().Top());
    view.Undo();
    EXPECT_TRUE(view.WorkingPicture() == FullRedraw(view));
    EXPECT_TRUE(view.DisplayedPicture() == FullRescale(view));
}

// The partial restore copies back only what an object reports as touched, so
// every pixel its drawing changes must lie inside that area: copying the area
// back must give the picture as it was, for every tool, with thin and wide
// pens of every dash.
TEST(TouchedAreaTest, CopyingBackTheTouchedAreaRestoresThePicture)
{
    // clang-format off
    const std::pair<ToolMode, const char*> scenes[] = {
        {ToolMode::ToolLine, "c100,100 m700,500"},
        {ToolMode::ToolArrow, "c300,200 m120,90"},
        {ToolMode::ToolRectangle, "p50,50 m400,300"},
        {ToolMode::ToolEllipse, "p790,590 m400,300"},
        {ToolMode::ToolFreehand, "p10,10 m50,80 m200,30 m220,400 m221,401"},
        {ToolMode::ToolText, "c100,100 tHello"},
        {ToolMode::ToolAnyAngleLine, "c100,100 m500,400"},
        {ToolMode::ToolStraightAngleLine, "c100,100 c300,120 m320,200"},
        {ToolMode::ToolFortyFiveLine, "c100,100 c300,250 m320,200"},
        {ToolMode::ToolRadiusCircle, "c400,300 m500,350"},
        {ToolMode::ToolDiameterCircle, "c400,300 c700,350 m500,100"},
        {ToolMode::ToolThreePointCircle, "c100,300 c300,100 m500,300"},
        {ToolMode::ToolThreePointArc, "c100,300 c300,100 c500,300 m600,500"},
        {ToolMode::ToolThreePointAngle, "c400,300 c600,300 m450,100"},
        {ToolMode::ToolFourPointAngle, "c100,100 c300,100 c100,300 m300,500"},
        {ToolMode::ToolContinuousLine, "c100,100 c300,100 c200,50 c300,300 m100,400"},
        {ToolMode::ToolPolygon, "c100,100 c300,100 c200,50 c300,300 d300,300 c50,500 m60,520"},
        {ToolMode::ToolCalibration, "c100,100 m600,120"},
    };
    // clang-format on
    const QImage texture = TexturedPicture({800, 600});
    for (const auto& [tool, script] : scenes) {
        for (const int width : {1, 5, 9}) {
            for (const int dash : {0, 1, 4}) {
                ProtocolDriver driver({800, 600});
                driver.style.drawWidth = driver.style.measureWidth = width;
                driver.style.drawPenStyle = driver.style.measurePenStyle = dash;
                driver.protocol.SetTool(tool);
                driver.Run(script);
                ASSERT_NE(driver.protocol.Object(), nullptr) << script;
                QImage picture = texture.copy();
                TouchedArea area(picture.rect());
                {
                    GdiContext dc(picture);
                    driver.protocol.Object()->Draw(dc);
                    area.AddDrawn(dc);
                }
                ASSERT_FALSE(picture == texture) << script;
                for (const TouchedArea::Run& run : area.Runs())
                    std::memcpy(picture.scanLine(run.y) + 4 * run.left,
                                texture.constScanLine(run.y) + 4 * run.left,
                                4 * size_t(run.right - run.left + 1));
                ASSERT_TRUE(picture == texture) << script << " width " << width << " dash " << dash;
            }
        }
    }
}

TEST(TouchedAreaTest, SegmentWithNonFiniteEndsTouchesNothing)
{
    TouchedArea area(QRect(0, 0, 10, 10));
    area.AddSegment({0, 0}, {std::numeric_limits<double>::infinity(), 5}, 1);
    area.AddSegment({0, 0}, {5, 5}, std::numeric_limits<double>::quiet_NaN());
    EXPECT_TRUE(area.IsEmpty());
}

} // namespace
