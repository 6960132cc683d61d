#include "LargeView.h"
#include "platform/GdiContext.h"
#include "view/DisplayScaler.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

void BM_RestoreWorkingPicture(benchmark::State& state)
{
    LargeView large;
    for (auto _ : state)
        large.view.RestoreWorkingPicture(false);
}
BENCHMARK(BM_RestoreWorkingPicture)->Unit(benchmark::kMillisecond);

// Resident memory of the process in megabytes.
double ResidentMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return 0;
}

// Sixteen committed edits of the kinds a user makes: rectangles, a text and
// measurements, each over its own part of the picture.
void UndoHistory16(benchmark::State& state, QSize size)
{
#ifdef __GLIBC__
    // What the benchmarks before this one freed goes back to the system, so
    // that the resident memory is this editor's.
    malloc_trim(0);
#endif
    LargeView large(size);
    const QString path = large.folder.filePath(QStringLiteral("20081231_1200.bmp"));
    for (auto _ : state) {
        state.PauseTiming();
        large.view.LoadPicture(path);
        state.ResumeTiming();
        for (int i = 0; i < 10; ++i) {
            large.view.SetToolMode(ToolMode::ToolRectangle);
            const QPoint from(20 + i * 50, 30 + i * 20);
            large.view.LeftButtonDown(from);
            large.view.PointerMove(from + QPoint(80, 60));
            large.view.LeftButtonUp(from + QPoint(80, 60));
        }
        large.view.SetToolMode(ToolMode::ToolText);
        large.Click({100, 400});
        for (char16_t c : u"Sample 12")
            if (c)
                large.view.TypeCodeUnit(c);
        // Choosing the next tool commits the text.
        large.view.SetToolMode(ToolMode::ToolAnyAngleLine);
        for (int i = 0; i < 5; ++i) {
            large.Click({40 + i * 100, 300});
            large.Click({90 + i * 100, 380});
            large.Click({60 + i * 100, 440});
        }
    }
    state.counters["history_bytes"] = double(large.view.History().SizeInBytes());
    state.counters["edits"] = large.view.modificationCount;
    state.counters["rss_MB"] = ResidentMegabytes();
}

// The whole view image rebuilt, as after a load, an undo or a resize.
void FullRescale(benchmark::State& state, QSize size)
{
    const QImage picture = TexturedPicture(size);
    for (auto _ : state) {
        DisplayScaler scaler(size, {640, 480});
        benchmark::DoNotOptimize(scaler.ScaleAll(picture));
    }
}

// A JPEG of the camera's size, loaded into a shown view and painted once.
void Open(benchmark::State& state, QSize size)
{
    QTemporaryDir folder;
    const QString path = CameraJpeg(folder, size);
    CLumvexImgEdtView view;
    view.resize(640, 480);
    view.show();
    for (int i = 0; i < 10; ++i)
        QCoreApplication::processEvents();
    for (auto _ : state) {
        view.LoadPicture(path);
        view.repaint();
    }
}

// One redraw of a 1000-vertex zigzag across the picture with a wide pen
// (argument 0) and a dashed one (argument 1).
void BM_ZigzagPolyline1000(benchmark::State& state)
{
    QImage picture(3488, 2616, QImage::Format_RGB32);
    picture.fill(Qt::white);
    std::vector<GdiPoint> points;
    for (int i = 0; i < 1000; ++i)
        points.push_back({100 + i * 3, i % 2 == 0 ? 200 : 2400});
    const GdiPen pen = state.range(0) == 0 ? GdiPen::Solid(0, 22) : GdiPen::Styled(0, 8, 1);
    for (auto _ : state) {
        GdiContext dc(picture);
        dc.SelectPen(pen);
        dc.Polyline(points.data(), points.size());
    }
}
// Long polylines are drawn on several threads: wall time, and the CPU time of
// all of them.
BENCHMARK(BM_ZigzagPolyline1000)
    ->Arg(0)
    ->Arg(1)
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);

const bool registered = [] {
    for (QSize size : BenchSizes) {
        const std::string name = SizeName(size);
        benchmark::RegisterBenchmark(("BM_UndoHistory16/" + name).c_str(), UndoHistory16, size)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(3);
        benchmark::RegisterBenchmark(("BM_FullRescale/" + name).c_str(), FullRescale, size)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("BM_Open/" + name).c_str(), Open, size)
            ->Unit(benchmark::kMillisecond);
    }
    return true;
}();

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
