#include "LargeView.h"
#include "view/Loupe.h"

#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

// A pointer move with a measuring tool chosen and nothing placed yet: all the
// move costs is the loupe leaving its old place and painting at the new one.
void BM_LoupeMove(benchmark::State& state)
{
    LargeView large;
    large.view.SetLoupeEnabled(state.range(0) != 0);
    large.view.SetToolMode(ToolMode::ToolAnyAngleLine);
    int i = 0;
    for (auto _ : state) {
        large.view.PointerMove({300 + (i % 50), 260 + (i % 30)});
        ++i;
    }
}
BENCHMARK(BM_LoupeMove)->Name("BM_LoupeMove/3488x2616")->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoupeMove)->Name("BM_LoupeOffMove/3488x2616")->Arg(0)->Unit(benchmark::kMillisecond);

// A line measurement following the pointer, with the loupe on and off: the
// difference is what the loupe adds to the move the picture needs anyway.
void BM_LoupeLineMeasurementMove(benchmark::State& state)
{
    LargeView large;
    large.view.SetLoupeEnabled(state.range(0) != 0);
    large.MoveFreeEnd(state, ToolMode::ToolAnyAngleLine);
}
BENCHMARK(BM_LoupeLineMeasurementMove)
    ->Name("BM_LoupeLineMeasurementMove/3488x2616")
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoupeLineMeasurementMove)
    ->Name("BM_LoupeOffLineMeasurementMove/3488x2616")
    ->Arg(0)
    ->Unit(benchmark::kMillisecond);

// The loupe alone, painted into an image of its size at a scale of 2.
void BM_LoupePaint(benchmark::State& state)
{
    QImage picture(3488, 2616, QImage::Format_RGB32);
    picture.fill(qRgb(90, 120, 150));
    QImage target(2 * Loupe::Side, 2 * Loupe::Side, QImage::Format_RGB32);
    target.setDevicePixelRatio(2.0);
    const QStringList readout{QStringLiteral("R=0.710000 mm"), QStringLiteral("C=4.461061 mm"),
                              QStringLiteral("A=1.583677 mm^2")};
    for (auto _ : state) {
        QPainter painter(&target);
        Loupe::Paint(painter, QRect(0, 0, Loupe::Side, Loupe::Side), picture, {1700, 1300},
                     readout);
    }
}
BENCHMARK(BM_LoupePaint)->Unit(benchmark::kMicrosecond);

} // namespace
