#include "view/CLumvexImgEdtView.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// A view holding a loaded picture of the camera's largest size.
struct LargePicture
{
    QTemporaryDir folder;
    CLumvexImgEdtView view;

    LargePicture()
    {
        QImage picture(3488, 2616, QImage::Format_RGB32);
        for (int y = 0; y < picture.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
            for (int x = 0; x < picture.width(); ++x)
                row[x] = qRgb(x & 0xFF, y & 0xFF, (x ^ y) & 0xFF);
        }
        const QString path = folder.filePath(QStringLiteral("20081231_1200.bmp"));
        picture.save(path);
        view.LoadPicture(path);
    }
};

void BM_RestoreWorkingPicture(benchmark::State& state)
{
    LargePicture large;
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
