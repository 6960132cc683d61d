#include "view/PictureLoader.h"

#include "platform/FileErrorReason.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QObject>

namespace {

QString FailureText(const char* what, unsigned code, const QString& reason)
{
    return QStringLiteral("%1:\n%2 - %3")
        .arg(QLatin1String(what), QString::number(code, 16), reason);
}

} // namespace

bool PictureLoader::IsLoadableSize(QSize size)
{
    constexpr int64_t MaxSide = int64_t(1) << 16;
    constexpr int64_t MaxPixels = int64_t(256) << 20;
    return size.width() > 0 && size.height() > 0 && size.width() <= MaxSide &&
           size.height() <= MaxSide && int64_t(size.width()) * size.height() <= MaxPixels;
}

QImage PictureLoader::Load(const QString& path, QString& failure)
{
    if (QImageReader::supportedImageFormats().isEmpty()) {
        failure = FailureText("GetExporterFilter failed", 1,
                              QObject::tr("No image decoders are available."));
        return QImage();
    }

    QImage picture;
    QFile file(path);
    FileErrorReason reason;
    if (QFileInfo(path).isDir()) {
        reason = FileErrorReason::IsFolder();
    } else if (!file.open(QIODevice::ReadOnly)) {
        reason = FileErrorReason::OpeningForReading(path);
    } else {
        QImageReader reader(&file);
        reader.setAutoTransform(false);
        // The size comes from the header: a few bytes may claim a picture that
        // would take minutes to show, so it is judged before decoding.
        const QSize claimed = reader.size();
        const bool tooLarge = claimed.isValid() && !IsLoadableSize(claimed);
        QImage decoded = tooLarge ? QImage() : reader.read();
        if (tooLarge || (!decoded.isNull() && !IsLoadableSize(decoded.size()))) {
            reason = {unsigned(QImageReader::InvalidDataError),
                      QObject::tr("The picture is too large.")};
        } else if (decoded.isNull()) {
            reason = {unsigned(reader.error()), reader.errorString()};
        } else {
            picture = decoded.convertToFormat(QImage::Format_RGB32);
            if (picture.isNull())
                reason = FileErrorReason::NoMemory();
        }
    }
    if (picture.isNull())
        failure = FailureText("Load image failed", reason.code, reason.text);
    return picture;
}
