#include "LargeView.h"
#include "draw/CDrawShape.h"
#include "platform/GdiContext.h"
#include "view/CLumvexImgEdtView.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// A line of the drawing tools: its aiming guides cross the whole picture.
void BM_PointerMoveLine(benchmark::State& state)
{
    LargeView().MoveFreeEnd(state, ToolMode::ToolLine);
}
BENCHMARK(BM_PointerMoveLine)->Unit(benchmark::kMillisecond);

// Typing one character into a text: the caret box and the text redrawn.
void BM_TypeCharacter(benchmark::State& state)
{
    LargeView large;
    large.view.SetToolMode(ToolMode::ToolText);
    large.Click({200, 200});
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

} // namespace
