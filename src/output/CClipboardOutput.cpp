#include "output/CClipboardOutput.h"

#include "platform/AtomicFileWriter.h"
#include "platform/PrivateTempFolder.h"
#include "platform/SystemClipboard.h"
#include "text/LanguageTable.h"

#include <QBuffer>
#include <QDir>
#include <QImageWriter>
#include <QMessageBox>

QString CClipboardOutput::TemporaryPicturePath(QString* reason)
{
    const QString folder = PrivateTempFolder::Path(reason);
    return folder.isEmpty() ? QString() : QDir(folder).filePath(QStringLiteral("Lumvex.bmp"));
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
    setClipboard = &SystemClipboard::Offer;
    clearClipboard = &SystemClipboard::Clear;
    warn = [this](const QString& caption, const QString& text) {
        QMessageBox::warning(this->parent, caption, text, QMessageBox::Ok);
    };
}

bool CClipboardOutput::CopyFile(const QString& picturePath)
{
    return setClipboard(SystemClipboard::FileCopy(picturePath));
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

    if (!setClipboard(SystemClipboard::Picture(workingPicture, bmp))) {
        warn(WarningCaption(language), NotEnoughMemoryText(language));
        return false;
    }
    return true;
}
