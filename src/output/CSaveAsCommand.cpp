#include "output/CSaveAsCommand.h"

#include "magnification/PictureInfoRecord.h"
#include "output/BmpWriter.h"
#include "output/SaveRendering.h"
#include "platform/AtomicFileWriter.h"

#include <QBuffer>
#include <QDir>
#include <QImageWriter>
#include <QMessageBox>

namespace {

QString FailureMessage(const QString& path, const QString& reason)
{
    return QStringLiteral("Cannot save %1:\n%2").arg(QDir::toNativeSeparators(path), reason);
}

} // namespace

CSaveAsCommand::CSaveAsCommand(QWidget* parent) : parent(parent)
{
    choose = &CSaveAsDialog::Choose;
    showError = [this](const QString& message) {
        QMessageBox::critical(this->parent, QString(), message, QMessageBox::Ok);
    };
}

QImage CSaveAsCommand::Render(const QImage& picture, QSize outputSize, const QString& picturePath,
                              const PictureInfoRecord& record) const
{
    QImage output(outputSize, QImage::Format_RGB32);
    if (!output.isNull())
        RenderInto(output, picture, picturePath, record);
    return output;
}

void CSaveAsCommand::RenderInto(QImage& output, const QImage& picture, const QString& picturePath,
                                const PictureInfoRecord& record) const
{
    // Every output pixel is written by the resampling, so the buffer needs no clearing.
    SaveRendering::Resample(picture, output, stepProgress);
    SaveRendering::DrawStamp(output, stamp, record, picturePath);
}

CSaveAsCommand::Result CSaveAsCommand::Run(const QImage& picture, const QString& picturePath,
                                           const PictureInfoRecord& record)
{
    if (picture.isNull())
        return Result::OutOfMemory;
    // The buffer is taken before the chooser opens so that a picture too large
    // to save ends quietly without asking for a name.
    QImage buffer(picture.size(), QImage::Format_RGB32);
    if (buffer.isNull())
        return Result::OutOfMemory;

    const SaveStart start = SaveStart::For(language, picturePath);
    const QString& title = start.title;
    const std::optional<SaveChoice> choice = choose(parent, start);
    if (!choice || choice->path.isEmpty())
        return Result::Cancelled;

    const SaveAsRules::SaveTarget target = SaveAsRules::TargetFor(choice->path, choice->jpegType);
    const QSize outputSize = SaveAsRules::OutputSize(picture.size(), choice->keepPictureSize);
    if (buffer.size() != outputSize) {
        buffer = QImage(outputSize, QImage::Format_RGB32);
        if (buffer.isNull())
            return Result::OutOfMemory;
    }

    if (beginProgress)
        beginProgress(title, outputSize.height());
    if (repaintView)
        repaintView();
    RenderInto(buffer, picture, picturePath, record);

    QString error;
    const bool written = Write(buffer, target, &error);
    if (endProgress)
        endProgress();
    if (!written) {
        if (showError)
            showError(error);
        return Result::Failed;
    }
    return Result::Saved;
}

bool CSaveAsCommand::Write(const QImage& output, const SaveAsRules::SaveTarget& target,
                           QString* error)
{
    QByteArray bytes;
    if (target.jpeg) {
        QBuffer device(&bytes);
        device.open(QIODevice::WriteOnly);
        QImageWriter writer(&device, "jpeg");
        // Without an encoder the BMP content goes under the .jpg name.
        if (!writer.write(output))
            bytes.clear();
    }
    if (bytes.isEmpty())
        bytes = BmpWriter::Encode(output);

    AtomicFileWriter file(target.path);
    if (file.Write(bytes))
        return true;
    if (error)
        *error = FailureMessage(target.path, file.ErrorString());
    return false;
}
