#include "output/CClipboardOutput.h"

#include "platform/SystemClipboard.h"
#include "text/LanguageTable.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QMessageBox>
#include <QSaveFile>

namespace {

constexpr int BmpFileHeaderSize = 14;

} // namespace

QString CClipboardOutput::TemporaryPicturePath() {
    return QDir(QDir::tempPath()).filePath(QStringLiteral("Lumvex.bmp"));
}

QString CClipboardOutput::WarningCaption(int language) {
    return LanguageTable(language).Text(Texts::ClipboardWarningCaption);
}

QString CClipboardOutput::NotEnoughMemoryText(int language) {
    return LanguageTable(language).Text(Texts::ClipboardNotEnoughMemory);
}

CClipboardOutput::CClipboardOutput(QWidget* parent) : parent(parent) {
    setClipboard = &SystemClipboard::Offer;
    clearClipboard = &SystemClipboard::Clear;
    warn = [this](const QString& caption, const QString& text) {
        QMessageBox::warning(this->parent, caption, text, QMessageBox::Ok);
    };
}

bool CClipboardOutput::CopyFile(const QString& picturePath) {
    return setClipboard(SystemClipboard::FileCopy(picturePath));
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

    if (!setClipboard(SystemClipboard::Picture(workingPicture, dib))) {
        warn(WarningCaption(language), NotEnoughMemoryText(language));
        return false;
    }
    return true;
}
