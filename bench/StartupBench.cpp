#include "LargeView.h"

#include <QProcess>

namespace {

// The editor started on a camera-sized JPEG, from process start until the
// picture view has painted once (the process ends itself there).
void StartToFirstPaint(benchmark::State& state, QSize size)
{
    QTemporaryDir folder;
    const QString path = CameraJpeg(folder, size);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LUMVEX_EXIT_AFTER_FIRST_PAINT"), QStringLiteral("1"));
    environment.insert(QStringLiteral("LUMVEX_SETTINGS"),
                       folder.filePath(QStringLiteral("settings.ini")));
    environment.insert(QStringLiteral("LUMVEX_LOCK_DIR"), folder.path());
    for (auto _ : state) {
        QProcess editor;
        editor.setProcessEnvironment(environment);
        editor.start(QStringLiteral(LUMVEX_EXECUTABLE), {path});
        if (!editor.waitForFinished(10000) ||
            !editor.readAllStandardOutput().contains("first paint")) {
            state.SkipWithError("the editor did not paint");
            break;
        }
    }
}

const bool registered = [] {
    for (QSize size : BenchSizes)
        benchmark::RegisterBenchmark(("BM_StartToFirstPaint/" + SizeName(size)).c_str(),
                                     StartToFirstPaint, size)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    return true;
}();

} // namespace
