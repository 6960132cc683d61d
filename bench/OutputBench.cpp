#include "magnification/PictureInfoRecord.h"
#include "output/CSaveAsCommand.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

QImage LargestCapture()
{
    QImage picture(3488, 2616, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            row[x] = qRgb(x & 0xFF, y & 0xFF, (x ^ y) & 0xFF);
    }
    return picture;
}

// A whole save without the chooser: resample, stamp, encode, write, rename.
void BM_SaveAs(benchmark::State& state)
{
    const bool keep = state.range(0) != 0;
    // 0 BMP, 1 JPEG, 2 TIFF; the JPEG and the TIFF carry a scale and a scale bar.
    const auto type = SaveAsRules::SaveType(state.range(1));
    const QImage picture = LargestCapture();
    QTemporaryDir folder;
    PictureInfoRecord record;
    record.pictureMagnification = 50.0;
    CSaveAsCommand command;
    command.stamp.flags = 0x3C;
    if (type != SaveAsRules::SaveType::Bmp)
        command.labelScale = {0.355, 1.0, 52.0, 1};
    const QString target = SaveAsRules::TargetFor(folder.filePath("out"), type).path;
    command.choose = [&](QWidget*, const SaveStart&) {
        return std::optional<SaveChoice>(SaveChoice{target, type, keep, true});
    };
    int rows = 0;
    command.stepProgress = [&](int) {
        ++rows;
    };
    for (auto _ : state) {
        if (command.Run(picture, "/p/20081231_1234.bmp", record) != CSaveAsCommand::Result::Saved)
            state.SkipWithError("save failed");
    }
    state.counters["rows"] = double(rows) / double(state.iterations());
}
BENCHMARK(BM_SaveAs)
    ->Args({1, 0})
    ->Args({1, 1})
    ->Args({1, 2})
    ->Args({0, 0})
    ->ArgNames({"keep", "type"})
    ->Unit(benchmark::kMillisecond);

} // namespace
