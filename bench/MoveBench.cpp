#include "LargeView.h"
#include "draw/CDrawMeasure.h"
#include "platform/GdiContext.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <functional>
#include <string>

namespace {

// Puts the view into the middle of making an object, ready for pointer moves.
using Preparation = std::function<void(LargeView&)>;

void LineMeasure(LargeView& large)
{
    large.view.SetToolMode(ToolMode::ToolAnyAngleLine);
    large.Click({200, 200});
}

void Rectangle(LargeView& large)
{
    large.view.SetToolMode(ToolMode::ToolRectangle);
    large.view.LeftButtonDown({200, 200});
}

void Freehand(LargeView& large)
{
    large.view.SetToolMode(ToolMode::ToolFreehand);
    large.view.LeftButtonDown({100, 100});
    // A stroke of 199 points wandering over the picture; the move adds the 200th.
    for (int i = 1; i < 199; ++i)
        large.view.PointerMove({100 + (i * 7) % 400, 100 + i});
}

// A continuous line measurement with its vertices and segment labels placed
// along rows of the view, the pointer making the next vertex.
Preparation Polyline(int vertices)
{
    return [vertices](LargeView& large) {
        large.view.SetToolMode(ToolMode::ToolContinuousLine);
        large.Click({20, 20});
        auto* measure = dynamic_cast<CDrawMeasure*>(large.view.CurrentObject());
        if (!measure)
            return;
        const int columns = 30;
        auto vertexAt = [&](int i) {
            QPoint q(20 + (i % columns) * 20, 20 + (i / columns) * 400 / (vertices / columns + 1));
            large.view.WindowToPicture(q);
            return GdiPoint{q.x(), q.y()};
        };
        for (int i = 1; i < vertices; ++i) {
            measure->points[uint32_t(i + 1)] = vertexAt(i);
            const GdiPoint a = vertexAt(i - 1), b = vertexAt(i);
            measure->labelPoints[uint32_t(i)] = {(a.x + b.x) / 2, (a.y + b.y) / 2 - 20};
        }
        measure->pointIndex = uint32_t(vertices);
        measure->labelIndex = uint32_t(vertices - 1);
        measure->phase = PolylinePhase::LabelPlaced;
        large.view.PointerMove({300, 300});
    };
}

// One pointer move with an object in progress: restore, draw, repaint.
void Move(benchmark::State& state, QSize size, const Preparation& prepare)
{
    LargeView large(size);
    prepare(large);
    int i = 0;
    // A stroke grows by a point with each move, as it does under the hand.
    for (auto _ : state) {
        large.view.PointerMove({300 + (i % 50), 260 + (i % 30)});
        ++i;
    }
}

// Placing a vertex of a continuous line, then its segment's label, each
// click followed by a move: what redrawing the placed parts costs.
void Place(benchmark::State& state, QSize size, const Preparation& prepare)
{
    LargeView large(size);
    prepare(large);
    int i = 0;
    for (auto _ : state) {
        const QPoint vertex(300 + (i % 5) * 40, 300 + (i / 5) * 30);
        large.Click(vertex);
        large.view.PointerMove(vertex + QPoint(10, -20));
        large.Click(vertex + QPoint(10, -20));
        large.view.PointerMove(vertex + QPoint(20, 10));
        ++i;
    }
}

// The same move done the plain way, for comparison in one run: copy the whole
// snapshot, draw a line measurement, rescale the whole picture smoothly.
void OriginalMove(benchmark::State& state, QSize size)
{
    QImage snapshot = TexturedPicture(size);
    QImage working = snapshot.copy();
    CDrawMeasure measure(MeasureKind::StraightLine, GdiRect{});
    measure.SetPen(0, 11, 0);
    measure.SetFont(LogFont::DefaultTextFont(), 0);
    measure.magnification = 50.0;
    measure.pointIndex = 1;
    const double scale = size.width() / 640.0;
    measure.points[0] = {int(200 * scale), int(200 * scale)};
    int i = 0;
    for (auto _ : state) {
        measure.SetBounds(measure.points[0],
                          {int((300 + i % 50) * scale), int((260 + i % 30) * scale)});
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

const bool registered = [] {
    const std::pair<const char*, Preparation> tools[] = {
        {"LineMeasure", LineMeasure},   {"Rectangle", Rectangle},         {"Freehand200", Freehand},
        {"Polyline100", Polyline(100)}, {"Polyline1000", Polyline(1000)},
    };
    for (const auto& [tool, prepare] : tools) {
        for (QSize size : BenchSizes) {
            const std::string name = std::string("BM_Move/") + tool + "/" + SizeName(size);
            benchmark::RegisterBenchmark(name.c_str(), Move, size, prepare)
                ->Unit(benchmark::kMillisecond);
        }
    }
    for (const auto& [tool, prepare] : {tools[3], tools[4]}) {
        for (QSize size : BenchSizes) {
            const std::string name = std::string("BM_Place/") + tool + "/" + SizeName(size);
            // A line holds at most 1024 vertices.
            benchmark::RegisterBenchmark(name.c_str(), Place, size, prepare)
                ->Unit(benchmark::kMillisecond)
                ->Iterations(16);
        }
    }
    for (QSize size : BenchSizes)
        benchmark::RegisterBenchmark(("BM_OriginalMove/" + SizeName(size)).c_str(), OriginalMove,
                                     size)
            ->Unit(benchmark::kMillisecond);
    return true;
}();

} // namespace
