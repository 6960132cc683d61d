#include "output/SaveAsRules.h"

#include "magnification/PictureInfoRecord.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace SaveAsRules {

namespace {

bool EndsWithExtension(const QString& path, QLatin1String ext)
{
    return path.size() >= 4 && path.right(4).toLower() == ext;
}

bool HasExtension(const QString& path)
{
    return FileNameOf(path).contains(QLatin1Char('.'));
}

} // namespace

QString FileNameOf(const QString& path)
{
    const qsizetype cut =
        std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return path.mid(cut + 1);
}

QString FolderOf(const QString& path)
{
    const qsizetype cut =
        std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    // The root keeps its separator; a bare name has no folder.
    return path.left(cut == 0 ? 1 : std::max<qsizetype>(0, cut));
}

QString StartFileName(const QString& picturePath)
{
    const QString name = FileNameOf(picturePath);
    return name.left(std::max<qsizetype>(0, name.size() - 4));
}

SaveTarget TargetFor(const QString& chosenPath, SaveType selectedType)
{
    static const QLatin1String extensions[] = {QLatin1String(".bmp"), QLatin1String(".jpg"),
                                               QLatin1String(".tif")};
    SaveTarget target{chosenPath, SaveType::Bmp};
    if (!HasExtension(target.path))
        target.path += extensions[int(selectedType)];
    for (SaveType type : {SaveType::Bmp, SaveType::Jpeg, SaveType::Tiff}) {
        if (EndsWithExtension(target.path, extensions[int(type)])) {
            target.type = type;
            return target;
        }
    }
    target.path += extensions[int(SaveType::Bmp)];
    return target;
}

QSize OutputSize(QSize pictureSize, bool keepPictureSize)
{
    return keepPictureSize ? pictureSize : QSize(SmallWidth, SmallHeight);
}

float ResampleRatio(QSize pictureSize, QSize outputSize)
{
    const float sx = float(pictureSize.width()) / float(outputSize.width());
    const float sy = float(pictureSize.height()) / float(outputSize.height());
    return sx < sy ? sx : sy;
}

QString ResolutionStampText(QSize outputSize)
{
    return QString::asprintf("%dX%d", outputSize.width(), outputSize.height());
}

QString DateTimeStampText(const PictureInfoRecord& record)
{
    const SystemTime& t = record.captureTime;
    return QString::asprintf("%4d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour,
                             t.minute, t.second);
}

QString FileNameStampText(const QString& picturePath)
{
    return FileNameOf(picturePath).left(13);
}

QString MagnificationStampText(const PictureInfoRecord& record)
{
    const double value = record.adjustedMagnification > 1.0 ? record.adjustedMagnification
                                                            : record.pictureMagnification;
    if (!(value > 1.0))
        return {};
    return QString::asprintf("Magnification: %.1f", value);
}

QPoint StampPosition(StampFlag flag, QSize outputSize, int fontHeight, int n)
{
    // Font heights come from the shared settings and may be anything: the
    // arithmetic is done wide and the result kept to what a point can hold.
    const int64_t w = outputSize.width();
    const int64_t h = std::abs(int64_t(fontHeight));
    const auto narrow = [](int64_t v) {
        return int(std::clamp<int64_t>(v, std::numeric_limits<int>::min(),
                                       std::numeric_limits<int>::max()));
    };
    const int bottomLine = narrow(outputSize.height() - h - h / 5);
    switch (flag) {
    case StampResolution:
        return {0, 0};
    case StampDateTime:
        return {0, bottomLine};
    case StampFileName:
        return {narrow((w - n * (h / 2)) / 2), bottomLine};
    case StampMagnification:
        return {narrow(w - n * (h / 2)), bottomLine};
    }
    return {0, 0};
}

} // namespace SaveAsRules
