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
        QImage decoded = reader.read();
        if (decoded.isNull()) {
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
