#include "view/PictureLoader.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QObject>

#include <cerrno>
#include <cstdio>
#include <cstring>

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
    unsigned code = 0;
    QString reason;
    if (QFileInfo(path).isDir()) {
        code = EISDIR;
        reason = QString::fromLocal8Bit(std::strerror(EISDIR));
    } else if (!file.open(QIODevice::ReadOnly)) {
        // QFile keeps no errno; opening with the C library tells the real reason.
        errno = 0;
        if (FILE* f = std::fopen(QFile::encodeName(path).constData(), "rb"))
            std::fclose(f);
        code = errno ? unsigned(errno) : ENOENT;
        reason = QString::fromLocal8Bit(std::strerror(int(code)));
    } else {
        QImageReader reader(&file);
        reader.setAutoTransform(false);
        QImage decoded = reader.read();
        if (decoded.isNull()) {
            code = unsigned(reader.error());
            reason = reader.errorString();
        } else {
            picture = decoded.convertToFormat(QImage::Format_RGB32);
            if (picture.isNull()) {
                code = ENOMEM;
                reason = QString::fromLocal8Bit(std::strerror(ENOMEM));
            }
        }
    }
    if (picture.isNull())
        failure = FailureText("Load image failed", code, reason);
    return picture;
}
