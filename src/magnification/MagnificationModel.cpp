#include "magnification/MagnificationModel.h"

#include "platform/AtomicFileWriter.h"
#include "platform/ByteCodec.h"
#include "platform/MessageBus.h"
#include "platform/SettingsStore.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

const QString CaptureMagnificationName = QStringLiteral("InputMaginification");
constexpr qsizetype BaseNameLength = 13;
constexpr qsizetype ExtensionLength = 4;
constexpr qsizetype NameLength = BaseNameLength + ExtensionLength;

// The positional rules only find the Info folder for the capture program's
// names: a separator, then 13 characters and a 4-character extension. Any other
// name would point the info file at some unrelated place.
bool HasCaptureName(const QString& path, QChar separator)
{
    const qsizetype n = path.size();
    return n > NameLength && path[n - NameLength - 1] == separator &&
           !path.right(NameLength).contains(separator);
}

QString LeftClamped(const QString& text, qsizetype count)
{
    return text.left(std::max<qsizetype>(count, 0));
}

} // namespace

MagnificationModel::MagnificationModel(SettingsStore& settings, MessageBus& bus)
    : settings(settings), bus(bus)
{}

QString MagnificationModel::InfoPathForPicture(const QString& picturePath)
{
    if (!HasCaptureName(picturePath, u'/'))
        return {};
    const qsizetype n = picturePath.size();
    return LeftClamped(picturePath, n - NameLength - 1) + QStringLiteral("/Info/") +
           picturePath.right(NameLength).left(BaseNameLength);
}

QString MagnificationModel::InfoPathForRecordPath(const QString& recordPath)
{
    QString path = recordPath;
    if (path.contains(u'\\') && !path.contains(u'/'))
        path.replace(u'\\', u'/');
    if (!HasCaptureName(path, u'/'))
        return {};
    const QString withoutExtension = LeftClamped(path, path.size() - ExtensionLength);
    const QString base = withoutExtension.right(BaseNameLength);
    const QString folder = LeftClamped(withoutExtension, withoutExtension.size() - BaseNameLength);
    return folder + QStringLiteral("Info/") + base;
}

double MagnificationModel::PixelSizeForCamera(uint32_t cameraCode)
{
    switch (cameraCode) {
    case 0x0C456355:
        return 0.2;
    case 0x0C4562C0:
    case 0x0C456320:
        return 0.38093;
    case 0x0C456563:
        return 0.237725;
    default:
        return DefaultPixelSize;
    }
}

double MagnificationModel::ResolutionFactorFor(uint32_t scaleResolutionCode, QSize pictureSize)
{
    // Without a picture there is nothing to measure; avoid a division by zero.
    if (pictureSize.width() <= 0 || pictureSize.height() <= 0)
        return 1.0;
    const double byWidth = double(scaleResolutionCode >> 16) / pictureSize.width();
    const double byHeight = double(scaleResolutionCode & 0xFFFF) / pictureSize.height();
    return byHeight < byWidth ? byHeight : byWidth;
}

uint32_t MagnificationModel::ResolutionCodeForBmpWidth(int32_t width, uint32_t fallback)
{
    switch (width) {
    case 1600:
        return 0x064004B0;
    case 1280:
        return 0x05000400;
    case 640:
        return 0x028001E0;
    default:
        return fallback;
    }
}

QString MagnificationModel::FormatBoxValue(double value, BoxFormat format)
{
    return QString::asprintf(format == BoxFormat::Full ? "%f" : "%0.1f", value);
}

void MagnificationModel::ReadCaptureMagnification()
{
    pictureMagnification = settings.ReadValue<double>(CaptureMagnificationName, 0.0);
    record.pictureMagnification = pictureMagnification;
}

void MagnificationModel::LoadPictureInfo(const QString& picturePath, QSize pictureSize)
{
    // The record keeps the path for the next save, so it must not depend on the
    // working folder.
    const QString path =
        QDir::isRelativePath(picturePath) ? QFileInfo(picturePath).absoluteFilePath() : picturePath;

    calibrationPromptFlag = 0;
    record = PictureInfoRecord{};
    record.pictureMagnification = pictureMagnification;

    bool haveInfo = false;
    const QString infoPath = InfoPathForPicture(path);
    if (!infoPath.isEmpty() && QFileInfo(infoPath).isFile()) {
        QFile file(infoPath);
        if (file.open(QIODevice::ReadOnly)) {
            const QByteArray bytes = file.read(PictureInfoRecord::ByteSize);
            if (file.error() == QFileDevice::NoError) {
                // A short file replaces only the first bytes of the record.
                QByteArray current = record.ToBytes();
                std::memcpy(current.data(), bytes.constData(), size_t(bytes.size()));
                record = PictureInfoRecord::FromBytes(current);
                haveInfo = true;
            }
        }
    }

    if (haveInfo) {
        pictureMagnification = record.pictureMagnification;
        adjustedMagnification = record.adjustedMagnification;
        scale.pixelSize = PixelSizeForCamera(record.cameraCode);
    } else {
        record.captureTime = SystemTime::FromDateTime(QDateTime::currentDateTime());
        record.captureResolutionCode = DefaultResolutionCode;
        record.adjustedMagnification = 0.0;
        record.pictureMagnification = pictureMagnification;
        record.remark = {};
        scale.pixelSize = DefaultPixelSize;
        QFile picture(path);
        if (picture.open(QIODevice::ReadOnly)) {
            const QDateTime written = QFileInfo(path).lastModified();
            if (written.isValid())
                record.captureTime = SystemTime::FromDateTime(written.toLocalTime());
            // File header (14 bytes), then the information header with the width at 4.
            QByteArray header = picture.read(54);
            header.resize(54, '\0');
            const int32_t width =
                ByteCodec::GetI32(reinterpret_cast<const uint8_t*>(header.constData()) + 18);
            record.captureResolutionCode =
                ResolutionCodeForBmpWidth(width, record.captureResolutionCode);
            record.scaleResolutionCode = record.captureResolutionCode;
        }
    }

    record.SetPathText(path);

    pictureMagnification = record.pictureMagnification;
    scale.pictureMagnification = pictureMagnification;
    adjustedMagnification = record.adjustedMagnification;
    scale.adjustedMagnification = adjustedMagnification;
    scale.useAdjustedMagnification = 0;

    if (adjustedMagnification > 1.0) {
        measuringMagnification = adjustedMagnification;
        scale.useAdjustedMagnification = 1;
    } else {
        measuringMagnification = pictureMagnification;
    }

    scale.resolutionFactor = ResolutionFactorFor(record.scaleResolutionCode, pictureSize);
}

void MagnificationModel::SavePictureInfo()
{
    const QString infoPath = InfoPathForRecordPath(record.PathText());
    if (!infoPath.isEmpty() && QDir::isAbsolutePath(infoPath) &&
        QFileInfo(QFileInfo(infoPath).absolutePath()).isDir()) {
        AtomicFileWriter file(infoPath);
        if (!file.Write(record.ToBytes()) && writeFailed)
            writeFailed(WriteFailure::Info, file.ErrorString());
    }
    record = PictureInfoRecord{};
    record.pictureMagnification = pictureMagnification;
}

void MagnificationModel::ShowChosenMagnification(BoxFormat format)
{
    if (adjustedMagnification > 1.0) {
        measuringMagnification = adjustedMagnification;
        SetBoxText(FormatBoxValue(adjustedMagnification, format));
    } else if (pictureMagnification > 1.0) {
        measuringMagnification = pictureMagnification;
        SetBoxText(FormatBoxValue(pictureMagnification, format));
    } else {
        SetBoxText(QStringLiteral("NONE"));
    }
}

void MagnificationModel::RederiveForMeasuringTool()
{
    pictureMagnification = record.pictureMagnification;
    adjustedMagnification = record.adjustedMagnification;
    if (adjustedMagnification != 0.0)
        measuringMagnification = adjustedMagnification;
    else if (pictureMagnification != 0.0)
        measuringMagnification = pictureMagnification;
    else
        measuringMagnification = 0.0;
}

bool MagnificationModel::ShouldPromptCalibration() const
{
    return measuringMagnification < 1.0 && calibrationPromptFlag == 0;
}

bool MagnificationModel::LengthToolsEnabled() const
{
    return measuringMagnification >= 1.0;
}

bool MagnificationModel::SetPictureMagnification(const SetDialogRunner& runDialog)
{
    double value = measuringMagnification;
    if (!runDialog(value))
        return false;
    ApplyPictureMagnification(value);
    return true;
}

void MagnificationModel::ApplyPictureMagnification(double value)
{
    if (!std::isfinite(value))
        return;
    pictureMagnification = value;
    record.pictureMagnification = value;
    measuringMagnification = value;
    scale.pictureMagnification = value;
    record.adjustedMagnification = 0.0;
    adjustedMagnification = 0.0;
    scale.useAdjustedMagnification = 0;
    SetBoxText(value > 1.0 ? FormatBoxValue(value, BoxFormat::Short) : QString());
}

bool MagnificationModel::SetCaptureMagnification(const SetDialogRunner& runDialog)
{
    double value = measuringMagnification;
    if (!runDialog(value) || !std::isfinite(value))
        return false;
    WriteCaptureMagnification(value);
    return true;
}

void MagnificationModel::ResetPictureMagnification()
{
    pictureMagnification = 0.0;
    record.pictureMagnification = 0.0;
    measuringMagnification = 0.0;
    scale.pictureMagnification = 0.0;
    record.adjustedMagnification = 0.0;
    adjustedMagnification = 0.0;
    scale.useAdjustedMagnification = 0;
    SetBoxText(QStringLiteral("NONE"));
}

void MagnificationModel::ResetCaptureMagnification()
{
    WriteCaptureMagnification(0.0);
}

void MagnificationModel::WriteCaptureMagnification(double value)
{
    if (!settings.WriteValue(CaptureMagnificationName, value) && writeFailed)
        writeFailed(WriteFailure::Settings, settings.ErrorString());
    bus.PostSetMagnification();
}

bool MagnificationModel::HandleCalibration(double value, int unitIndex,
                                           const CalibrationRunner& runDialog)
{
    if (!(value > 0.0) || !std::isfinite(value))
        return false;

    const double reference =
        measuringMagnification > 1.0 ? measuringMagnification : CalibrationFallbackMagnification;
    CalibrationRequest request;
    request.unitIndex = unitIndex;
    request.measuredDimension = value / reference;
    request.referenceMagnification = measuringMagnification;
    request.adjustedMagnification = measuringMagnification;

    const CalibrationAnswer answer = runDialog(request);
    if (answer.accepted && std::isfinite(answer.adjustedMagnification)) {
        const double adjusted = answer.adjustedMagnification;
        adjustedMagnification = adjusted;
        scale.adjustedMagnification = adjusted;
        record.adjustedMagnification = adjusted;
        scale.useAdjustedMagnification = 1;
        measuringMagnification = record.adjustedMagnification;
        SetBoxText(FormatBoxValue(measuringMagnification, BoxFormat::Full));
        if (answer.useAdjustedAsCapture != 0)
            WriteCaptureMagnification(measuringMagnification);
    }
    return true;
}

void MagnificationModel::SetBoxText(const QString& text)
{
    boxText = text;
    if (boxTextChanged)
        boxTextChanged(text);
}
