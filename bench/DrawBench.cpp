#include "draw/CDrawPen.h"
#include "draw/CDrawShape.h"
#include "draw/CDrawText.h"
#include "platform/GdiContext.h"

#include <QImage>

#include <cmath>

#include <benchmark/benchmark.h>

namespace {

QImage& LargeWorkingPicture()
{
    static QImage picture = [] {
        QImage p(3488, 2616, QImage::Format_RGB32);
        p.fill(Qt::gray);
        return p;
    }();
    return picture;
}

// One pointer move's worth of drawing: a context on the working picture and
// the object drawn into it.
void DrawOnce(benchmark::State& state, CDrawObject& object)
{
    QImage& picture = LargeWorkingPicture();
    QRect touched;
    for (auto _ : state) {
        GdiContext dc(picture);
        object.Draw(dc);
        touched = dc.TouchedRect();
    }
    state.counters["touched_Mpx"] = double(touched.width()) * touched.height() / 1e6;
}

void BM_ContextOnly(benchmark::State& state)
{
    QImage& picture = LargeWorkingPicture();
    for (auto _ : state) {
        GdiContext dc(picture);
        benchmark::DoNotOptimize(dc.TouchedRect());
    }
}
BENCHMARK(BM_ContextOnly)->Unit(benchmark::kMicrosecond);

void BM_LineWithGuides(benchmark::State& state)
{
    CDrawShape line(CDrawShape::KindLine, {});
    line.SetPen(0x0000FF, 18, int(state.range(0)));
    line.points[0] = {400, 300};
    line.points[1] = {2900, 2100};
    line.pointCount = 1;
    line.SetBounds(line.points[0], line.points[1]);
    DrawOnce(state, line);
}
BENCHMARK(BM_LineWithGuides)->Arg(0)->Arg(4)->Unit(benchmark::kMicrosecond);

void BM_DashedEllipse(benchmark::State& state)
{
    CDrawShape ellipse(CDrawShape::KindEllipse, {});
    ellipse.SetPen(0x00FF00, 18, 1);
    ellipse.SetBounds({300, 200}, {3100, 2400});
    DrawOnce(state, ellipse);
}
BENCHMARK(BM_DashedEllipse)->Unit(benchmark::kMicrosecond);

void BM_FreehandStroke(benchmark::State& state)
{
    CDrawPen stroke;
    stroke.SetPen(0xFF0000, 18, int(state.range(1)));
    // A hand-drawn scribble: a few pixels between successive points.
    for (int i = 0; i < state.range(0); ++i)
        stroke.points.push_back({1700 + int(3 * i * std::cos(i / 20.0) / 4),
                                 1300 + int(3 * i * std::sin(i / 20.0) / 4)});
    stroke.RecalcBounds();
    DrawOnce(state, stroke);
}
BENCHMARK(BM_FreehandStroke)
    ->Args({100, 0})
    ->Args({2000, 0})
    ->Args({2000, 2})
    ->Unit(benchmark::kMicrosecond);

void BM_TypedText(benchmark::State& state)
{
    CDrawText text;
    LogFont log = LogFont::DefaultTextFont();
    log.height = -90;
    text.SetFont(log, 0);
    text.SetText(QStringLiteral("Sample 12 taken at 40x, stained"));
    text.SetBounds({500, 500}, {520, 590});
    DrawOnce(state, text);
}
BENCHMARK(BM_TypedText)->Unit(benchmark::kMicrosecond);

void BM_TextOutOnly(benchmark::State& state)
{
    QImage& picture = LargeWorkingPicture();
    LogFont log = LogFont::DefaultTextFont();
    log.height = -90;
    const GdiFont font(log);
    for (auto _ : state) {
        GdiContext dc(picture);
        dc.SelectFont(font);
        dc.TextOut(500, 500, QStringLiteral("Sample 12 taken at 40x, stained"));
    }
}
BENCHMARK(BM_TextOutOnly)->Unit(benchmark::kMicrosecond);

void BM_HugeAngleArc(benchmark::State& state)
{
    QImage& picture = LargeWorkingPicture();
    for (auto _ : state) {
        GdiContext dc(picture);
        dc.SelectPen(GdiPen::Styled(0, 6, 0));
        dc.MoveTo(1700, 1300);
        dc.AngleArc(1700, 90000, 89000, 90.0f, 360.0f);
    }
}
BENCHMARK(BM_HugeAngleArc)->Unit(benchmark::kMicrosecond);

} // namespace
