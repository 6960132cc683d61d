#include "output/CSaveAsCommand.h"

#include "magnification/PictureInfoRecord.h"
#include "output/BmpWriter.h"
#include "output/JpegScaleRecord.h"
#include "output/PixelScale.h"
#include "output/SaveRendering.h"
#include "output/ScaleBar.h"
#include "platform/AtomicFileWriter.h"
#include "platform/FileErrorReason.h"

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
    if (!scaleBar)
        return;
    if (const auto perPixel = PixelScale::UnitPerPixel(labelScale, picture.size(), output.size()))
        ScaleBar::For(*perPixel, labelScale.unit, output.width())
            .Draw(output, stamp, StampBottomLineUsed(record));
}

bool CSaveAsCommand::StampBottomLineUsed(const PictureInfoRecord& record) const
{
    using namespace SaveAsRules;
    return (stamp.flags & (StampDateTime | StampFileName)) ||
           ((stamp.flags & StampMagnification) && !MagnificationStampText(record).isEmpty());
}

TiffWriter::Tags CSaveAsCommand::FileTags(QSize pictureSize, QSize outputSize,
                                          const PictureInfoRecord& record) const
{
    TiffWriter::Tags tags;
    if (const auto mm = PixelScale::MillimetresPerPixel(labelScale, pictureSize, outputSize))
        tags.pixelsPerCentimetre = PixelScale::PixelsPerCentimetre(*mm);
    const SystemTime& t = record.captureTime;
    tags.dateTime = QString::asprintf("%04d:%02d:%02d %02d:%02d:%02d", t.year, t.month, t.day,
                                      t.hour, t.minute, t.second);
    tags.software = QStringLiteral("LumvexImgEdt");
    tags.documentName = record.Remark().toUtf8();
    return tags;
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

    SaveStart start = SaveStart::For(language, picturePath);
    start.calibrated = PixelScale::IsCalibrated(labelScale);
    start.scaleBar = scaleBar;
    const QString& title = start.title;
    const std::optional<SaveChoice> choice = choose(parent, start);
    if (!choice || choice->path.isEmpty())
        return Result::Cancelled;
    scaleBar = choice->scaleBar;

    const SaveAsRules::SaveTarget target = SaveAsRules::TargetFor(choice->path, choice->type);
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
    const bool written =
        Write(buffer, target, FileTags(picture.size(), outputSize, record), &error);
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
                           const TiffWriter::Tags& tags, QString* error)
{
    auto fail = [&](const QString& reason) {
        if (error)
            *error = FailureMessage(target.path, reason);
        return false;
    };

    QByteArray encoded;
    if (target.type == SaveAsRules::SaveType::Jpeg) {
        QBuffer device(&encoded);
        device.open(QIODevice::WriteOnly);
        QImageWriter writer(&device, "jpeg");
        // Without an encoder the BMP content goes under the .jpg name.
        if (!writer.write(output))
            encoded.clear();
        else if (tags.pixelsPerCentimetre)
            encoded = JpegScaleRecord::WithScale(encoded, *tags.pixelsPerCentimetre);
    } else if (target.type == SaveAsRules::SaveType::Tiff) {
        encoded = TiffWriter::Encode(output, tags);
        if (encoded.isEmpty())
            return fail(FileErrorReason::NoMemory().text);
    }
    // BMP is also what a .jpg gets when there is no encoder.
    if (encoded.isEmpty())
        encoded = BmpWriter::Encode(output);

    AtomicFileWriter file(target.path);
    if (file.Write(encoded))
        return true;
    return fail(file.ErrorString());
}
