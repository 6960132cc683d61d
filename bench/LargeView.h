#pragma once

#include "view/CLumvexImgEdtView.h"

#include <QCoreApplication>
#include <QTemporaryDir>

// A shown view over a picture of the camera's largest size.
struct LargeView
{
    QTemporaryDir folder;
    CLumvexImgEdtView view;

    LargeView()
    {
        QImage picture(3488, 2616, QImage::Format_RGB32);
        for (int y = 0; y < picture.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
            for (int x = 0; x < picture.width(); ++x)
                row[x] = qRgb(x & 0xFF, y & 0xFF, (x ^ y) & 0xFF);
        }
        const QString path = folder.filePath(QStringLiteral("20081231_1200.bmp"));
        picture.save(path);
        view.resize(640, 480);
        view.show();
        view.LoadPicture(path);
        // Paints happen only once the offscreen window is exposed.
        for (int i = 0; i < 10; ++i)
            QCoreApplication::processEvents();
        view.repaint();
    }
};
