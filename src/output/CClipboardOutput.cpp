#include "output/CClipboardOutput.h"

#include "text/LanguageTable.h"

#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImageWriter>
#include <QMessageBox>
#include <QMimeData>
#include <QSaveFile>
#include <QUrl>

namespace {

constexpr int BmpFileHeaderSize = 14;
const QString DibFormat = QStringLiteral("image/bmp");

} // namespace

QString CClipboardOutput::TemporaryPicturePath() {
    return QDir(QDir::tempPath()).filePath(QStringLiteral("Lumvex.bmp"));
}

QMimeData* CClipboardOutput::FileMimeData(const QString& picturePath) {
    auto* data = new QMimeData;
    const QUrl url = QUrl::fromLocalFile(picturePath);
    data->setUrls({url});
    data->setData(QStringLiteral("x-special/gnome-copied-files"),
                  QByteArrayLiteral("copy\n") + url.toEncoded());
    data->setText(picturePath);
    return data;
}

QMimeData* CClipboardOutput::PictureMimeData(const QImage& picture, const QByteArray& dib) {
    auto* data = new QMimeData;
    data->setImageData(picture);
    data->setData(DibFormat, dib);
    return data;
}

QString CClipboardOutput::WarningCaption(int language) {
    return LanguageTable(language).Text(Texts::ClipboardWarningCaption);
}

QString CClipboardOutput::NotEnoughMemoryText(int language) {
    return LanguageTable(language).Text(Texts::ClipboardNotEnoughMemory);
}

CClipboardOutput::CClipboardOutput(QWidget* parent) : parent(parent) {
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

bool CClipboardOutput::CopyFile(const QString& picturePath) {
    return setClipboard(FileMimeData(picturePath));
}

bool CClipboardOutput::CopyPicture(const QImage& workingPicture) {
    clearClipboard();

    const QString path = TemporaryPicturePath();
    {
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return false;
        QImageWriter writer(&file, "bmp");
        if (!writer.write(workingPicture) || !file.commit())
            return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() < BmpFileHeaderSize)
        return false;
    file.seek(BmpFileHeaderSize);
    const QByteArray dib = file.readAll();
    if (dib.isEmpty())
        return false;

    if (!setClipboard(PictureMimeData(workingPicture, dib))) {
        warn(WarningCaption(language), NotEnoughMemoryText(language));
        return false;
    }
    return true;
}
