#include "LargeView.h"
#include "draw/CDrawMeasure.h"
#include "draw/CDrawShape.h"
#include "platform/GdiContext.h"
#include "view/CLumvexImgEdtView.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstring>

namespace {

// The pointer moving while a straight line measurement follows it: restore,
// draw the object, repaint the view.
void BM_PointerMoveLineMeasurement(benchmark::State& state)
{
    LargeView large;
    large.view.SetToolMode(ToolMode::ToolAnyAngleLine);
    large.view.LeftButtonDown({200, 200});
    large.view.LeftButtonUp({200, 200});
    int i = 0;
    for (auto _ : state) {
        large.view.PointerMove({300 + (i % 50), 260 + (i % 30)});
        ++i;
    }
}
BENCHMARK(BM_PointerMoveLineMeasurement)->Unit(benchmark::kMillisecond);

// The same with a rectangle being dragged: no guides, a small touched area.
void BM_PointerMoveRectangle(benchmark::State& state)
{
    LargeView large;
    large.view.SetToolMode(ToolMode::ToolRectangle);
    large.view.LeftButtonDown({200, 200});
    int i = 0;
    for (auto _ : state) {
        large.view.PointerMove({260 + (i % 50), 240 + (i % 30)});
        ++i;
    }
}
BENCHMARK(BM_PointerMoveRectangle)->Unit(benchmark::kMillisecond);

// A line of the drawing tools: its aiming guides cross the whole picture.
void BM_PointerMoveLine(benchmark::State& state)
{
    LargeView large;
    large.view.SetToolMode(ToolMode::ToolLine);
    large.view.LeftButtonDown({200, 200});
    large.view.LeftButtonUp({200, 200});
    int i = 0;
    for (auto _ : state) {
        large.view.PointerMove({300 + (i % 50), 260 + (i % 30)});
        ++i;
    }
}
BENCHMARK(BM_PointerMoveLine)->Unit(benchmark::kMillisecond);

// Typing one character into a text: the caret box and the text redrawn.
void BM_TypeCharacter(benchmark::State& state)
{
    LargeView large;
    large.view.SetToolMode(ToolMode::ToolText);
    large.view.LeftButtonDown({200, 200});
    large.view.LeftButtonUp({200, 200});
    for (auto _ : state) {
        large.view.TypeCodeUnit(U'x');
        large.view.TypeRemoveLast();
    }
}
BENCHMARK(BM_TypeCharacter)->Unit(benchmark::kMillisecond);

} // namespace

namespace {

// The object alone: a line still following the pointer, guides and all.
void BM_DrawLineWithGuides(benchmark::State& state)
{
    QImage picture(3488, 2616, QImage::Format_RGB32);
    picture.fill(Qt::white);
    CDrawShape shape(CDrawShape::KindLine, GdiRect{});
    shape.SetPen(0, 4, 0);
    shape.points[0] = {1000, 1000};
    shape.pointCount = 1;
    shape.points[1] = {1500, 1300};
    shape.SetBounds({1000, 1000}, {1500, 1300});
    for (auto _ : state) {
        GdiContext dc(picture);
        shape.Draw(dc);
    }
}
BENCHMARK(BM_DrawLineWithGuides)->Unit(benchmark::kMillisecond);

// The same move done the plain way, for comparison with
// BM_PointerMoveLineMeasurement: copy the whole snapshot, draw the
// measurement, rescale the whole picture for the view.
void BM_WholePictureMoveLineMeasurement(benchmark::State& state)
{
    QImage snapshot(3488, 2616, QImage::Format_RGB32);
    snapshot.fill(qRgb(90, 120, 150));
    QImage working = snapshot.copy();
    CDrawMeasure measure(MeasureKind::StraightLine, GdiRect{});
    measure.SetPen(0, 11, 0);
    measure.SetFont(LogFont::DefaultTextFont(), 0);
    measure.magnification = 50.0;
    measure.pointIndex = 1;
    measure.points[0] = {1090, 1090};
    int i = 0;
    for (auto _ : state) {
        measure.SetBounds({1090, 1090}, {1635 + (i % 50), 1417 + (i % 30)});
        std::memcpy(working.bits(), snapshot.constBits(), size_t(snapshot.sizeInBytes()));
        {
            GdiContext dc(working);
            measure.Draw(dc);
        }
        benchmark::DoNotOptimize(
            working.scaled(640, 480, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        ++i;
    }
}
BENCHMARK(BM_WholePictureMoveLineMeasurement)->Unit(benchmark::kMillisecond);

} // namespace
