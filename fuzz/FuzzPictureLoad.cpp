// A picture file of any content, loaded by the view and stretched over view
// sizes of the window's four steps and a thin one.
#include "FuzzSupport.h"

#include "view/CLumvexImgEdtView.h"
#include "view/DisplayScaler.h"
#include "view/PictureLoader.h"

#include <QFile>
#include <QTemporaryDir>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    FuzzSupport::StartApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using FuzzSupport::Require;
    static QTemporaryDir folder;
    // The decoder is chosen by content; the name only has to look like a picture.
    const QString path = folder.filePath(QStringLiteral("20081231_1234.bmp"));
    {
        QFile file(path);
        Require(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(reinterpret_cast<const char*>(data), qsizetype(size));
    }
    static CLumvexImgEdtView* view = [] {
        auto* v = new CLumvexImgEdtView;
        v->showError = [](const QString&) {
        };
        return v;
    }();
    if (!view->LoadPicture(path))
        return 0;
    const QImage& picture = view->WorkingPicture();
    Require(PictureLoader::IsLoadableSize(picture.size()));
    for (const QSize viewSize : {QSize(797, 598), QSize(320, 240), QSize(1, 600)}) {
        const DisplayScaler scaler(picture.size(), viewSize);
        const QImage shown = scaler.ScaleAll(picture);
        Require(shown.size() == viewSize);
    }
    return 0;
}
