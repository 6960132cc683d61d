#include "draw/CDrawMeasure.h"
#include "platform/GdiContext.h"

#include <QImage>

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

QImage& LargeImage()
{
    static QImage image = [] {
        QImage picture(3488, 2616, QImage::Format_RGB32);
        picture.fill(Qt::gray);
        return picture;
    }();
    return image;
}

CDrawMeasure MakeMeasure(MeasureKind kind)
{
    CDrawMeasure m(kind, GdiRect{});
    m.SetPen(MakeColorRef(255, 0, 0), 6, 1);
    LogFont font = LogFont::DefaultTextFont();
    font.height = -40;
    m.SetFont(font, MakeColorRef(0, 0, 255));
    m.magnification = 50.0;
    return m;
}

// One pointer move's drawing, without the picture restore around it.
void DrawLoop(benchmark::State& state, CDrawMeasure& m)
{
    int step = 0;
    for (auto _ : state) {
        m.SetBounds({0, 0}, {2000 + (step & 63), 1500 + (step & 31)});
        ++step;
        GdiContext dc(LargeImage());
        m.Draw(dc);
    }
}

void BM_MeasureLineWithGuides(benchmark::State& state)
{
    CDrawMeasure m = MakeMeasure(MeasureKind::StraightLine);
    m.points[0] = {300, 200};
    m.pointIndex = 1;
    DrawLoop(state, m);
}
BENCHMARK(BM_MeasureLineWithGuides)->Unit(benchmark::kMicrosecond);

void BM_MeasureThreePointArc(benchmark::State& state)
{
    CDrawMeasure m = MakeMeasure(MeasureKind::ThreePointArc);
    m.points[1] = {1000, 1300};
    m.points[2] = {1700, 600};
    m.pointIndex = 2;
    DrawLoop(state, m);
}
BENCHMARK(BM_MeasureThreePointArc)->Unit(benchmark::kMicrosecond);

// Vertices 3 pixels apart along a wave; args: line style, labels placed.
void BM_MeasureContinuousLine1000Vertices(benchmark::State& state)
{
    CDrawMeasure m = MakeMeasure(MeasureKind::ContinuousLine);
    for (uint32_t i = 1; i <= 1000; ++i) {
        m.points[i] = {int(100 + 3 * i), int(1000 + 300 * std::sin(i / 20.0))};
        m.labelPoints[i] = {int(100 + 3 * i), 1000};
    }
    m.pointIndex = 1000;
    m.labelIndex = uint32_t(state.range(1));
    m.phase = PolylinePhase::LabelPlaced;
    DrawLoop(state, m);
}
BENCHMARK(BM_MeasureContinuousLine1000Vertices)
    ->Args({1, 0})
    ->Args({1, 999})
    ->Unit(benchmark::kMillisecond);

} // namespace
