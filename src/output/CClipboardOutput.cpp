#include "output/CClipboardOutput.h"

#include "platform/AtomicFileWriter.h"
#include "platform/PrivateTempFolder.h"
#include "text/LanguageTable.h"

#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QImageWriter>
#include <QMessageBox>
#include <QMimeData>
#include <QUrl>

namespace {

const QString BmpFormat = QStringLiteral("image/bmp");

} // namespace

QString CClipboardOutput::TemporaryPicturePath(QString* reason)
{
    const QString folder = PrivateTempFolder::Path(reason);
    return folder.isEmpty() ? QString() : QDir(folder).filePath(QStringLiteral("Lumvex.bmp"));
}

QMimeData* CClipboardOutput::FileMimeData(const QString& picturePath)
{
    auto* data = new QMimeData;
    const QUrl url = QUrl::fromLocalFile(picturePath);
    data->setUrls({url});
    data->setData(QStringLiteral("x-special/gnome-copied-files"),
                  QByteArrayLiteral("copy\n") + url.toEncoded());
    data->setText(picturePath);
    return data;
}

QMimeData* CClipboardOutput::PictureMimeData(const QImage& picture, const QByteArray& bmpFile)
{
    auto* data = new QMimeData;
    data->setImageData(picture);
    data->setData(BmpFormat, bmpFile);
    return data;
}

QString CClipboardOutput::WarningCaption(int language)
{
    return LanguageTable(language).Text(Texts::ClipboardWarningCaption);
}

QString CClipboardOutput::NotEnoughMemoryText(int language)
{
    return LanguageTable(language).Text(Texts::ClipboardNotEnoughMemory);
}

CClipboardOutput::CClipboardOutput(QWidget* parent) : parent(parent)
{
    setClipboard = [](QMimeData* data) {
        QClipboard* clipboard = QGuiApplication::clipboard();
        if (!clipboard) {
            delete data;
            return false;
        }
        const QStringList formats = data->formats();
        clipboard->setMimeData(data);
        // A clipboard that could not take ownership offers someone else's data.
        const QMimeData* now = clipboard->mimeData();
        return now && !formats.isEmpty() && now->hasFormat(formats.last());
    };
    clearClipboard = [] {
        if (QClipboard* clipboard = QGuiApplication::clipboard())
            clipboard->clear();
    };
    warn = [this](const QString& caption, const QString& text) {
        QMessageBox::warning(this->parent, caption, text, QMessageBox::Ok);
    };
}

bool CClipboardOutput::CopyFile(const QString& picturePath)
{
    return setClipboard(FileMimeData(picturePath));
}

bool CClipboardOutput::CopyPicture(const QImage& workingPicture)
{
    clearClipboard();

    QString reason;
    const QString path = TemporaryPicturePath(&reason);
    QByteArray bmp;
    {
        QBuffer buffer(&bmp);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "bmp");
        if (!writer.write(workingPicture))
            return false;
    }
    if (!path.isEmpty()) {
        AtomicFileWriter file(path);
        file.SetNewFileMode(0600);
        if (file.Write(bmp))
            reason.clear();
        else
            reason = file.ErrorString();
    }
    if (!reason.isEmpty()) {
        if (writeFailed)
            writeFailed(path.isEmpty() ? QStringLiteral("Lumvex.bmp") : path, reason);
        return false;
    }

    if (!setClipboard(PictureMimeData(workingPicture, bmp))) {
        warn(WarningCaption(language), NotEnoughMemoryText(language));
        return false;
    }
    return true;
}
