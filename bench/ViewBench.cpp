#include "LargeView.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void BM_RestoreWorkingPicture(benchmark::State& state)
{
    LargeView large;
    for (auto _ : state)
        large.view.RestoreWorkingPicture(false);
    state.counters["snapshot_MB"] = double(large.view.History().SizeInBytes()) / 1e6;
}
BENCHMARK(BM_RestoreWorkingPicture)->Unit(benchmark::kMillisecond);

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
