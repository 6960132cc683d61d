#pragma once

#include "view/CLumvexImgEdtView.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

// The camera's picture sizes the benchmarks run at, largest last.
inline constexpr QSize BenchSizes[] = {{1280, 1024}, {2560, 1920}, {3488, 2616}};

inline std::string SizeName(QSize size)
{
    return std::to_string(size.width()) + "x" + std::to_string(size.height());
}

// A picture where every pixel differs from its neighbours.
inline QImage TexturedPicture(QSize size)
{
    QImage picture(size, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            row[x] = qRgb(x & 0xFF, y & 0xFF, (x ^ y) & 0xFF);
    }
    return picture;
}

// A JPEG of the camera's size in folder, made from a sample micrograph;
// returns its path.
inline QString CameraJpeg(const QTemporaryDir& folder, QSize size)
{
    const QString path = folder.filePath(QStringLiteral("20081231_1201.jpg"));
    QImage sample(QStringLiteral(LUMVEX_SAMPLES_DIR "/20081231_1237.jpg"));
    if (sample.isNull())
        sample = TexturedPicture(size);
    sample.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).save(path, "JPEG", 90);
    return path;
}

// A shown 640 x 480 view over a textured picture, by default of the camera's
// largest size.
struct LargeView
{
    QTemporaryDir folder;
    CLumvexImgEdtView view;

    explicit LargeView(QSize size = {3488, 2616})
    {
        const QString path = folder.filePath(QStringLiteral("20081231_1200.bmp"));
        TexturedPicture(size).save(path);
        view.resize(640, 480);
        view.show();
        view.LoadPicture(path);
        // Paints happen only once the offscreen window is exposed.
        for (int i = 0; i < 10; ++i)
            QCoreApplication::processEvents();
        view.repaint();
    }

    // A press and release at a point of the view.
    void Click(QPoint q)
    {
        view.LeftButtonDown(q);
        view.LeftButtonUp(q);
    }

    // Places the first point of a tool at (200, 200), then measures the pointer
    // moving its free end nearby.
    void MoveFreeEnd(benchmark::State& state, ToolMode tool)
    {
        view.SetToolMode(tool);
        Click({200, 200});
        int i = 0;
        for (auto _ : state) {
            view.PointerMove({300 + (i % 50), 260 + (i % 30)});
            ++i;
        }
    }
};
