#pragma once

#include "draw/MeasuringScale.h"
#include "magnification/PictureInfoRecord.h"

#include <QSize>
#include <QString>

#include <cstdint>
#include <functional>

class MessageBus;
class SettingsStore;

// What the calibration dialog starts with.
struct CalibrationRequest
{
    int unitIndex = 0;
    double measuredDimension = 0.0;
    double referenceMagnification = 0.0;
    double adjustedMagnification = 0.0;
};

// How the calibration dialog ended.
struct CalibrationAnswer
{
    bool accepted = false;
    double adjustedMagnification = 0.0;
    int useAdjustedAsCapture = 0;
};

// The magnification values of the picture on screen, its info record and the
// capture magnification shared with the capture program. The editor window owns
// one; the scale it keeps is what the picture view measures with.
class MagnificationModel
{
  public:
    static constexpr double DefaultPixelSize = 0.355;
    // The magnification a calibration line is drawn with when none is in force.
    static constexpr double CalibrationFallbackMagnification = MeasuringScale::CalibrationFallback;
    static constexpr uint32_t DefaultResolutionCode = 0x05000400;

    enum class BoxFormat {
        Full,  // "%f": start-up, previous picture, calibration
        Short, // "%0.1f": next picture
    };

    // Runs the set-magnification dialog on value; true on OK with value updated.
    using SetDialogRunner = std::function<bool(double& value)>;
    using CalibrationRunner = std::function<CalibrationAnswer(const CalibrationRequest&)>;

    MagnificationModel(SettingsStore& settings, MessageBus& bus);

    // The info file of a picture: the 13-character base name in the folder Info
    // beside it, by character positions. Empty when the picture's file name is
    // not 13 + 4 characters (no usable path).
    static QString InfoPathForPicture(const QString& picturePath);
    // The same from the path text of a record, which may use '\' as separator.
    static QString InfoPathForRecordPath(const QString& recordPath);
    static double PixelSizeForCamera(uint32_t cameraCode);
    // Sensor pixels per picture pixel; the width quotient wins a tie.
    static double ResolutionFactorFor(uint32_t scaleResolutionCode, QSize pictureSize);
    // The capture resolution for a BMP width, or fallback for other widths.
    static uint32_t ResolutionCodeForBmpWidth(int32_t width, uint32_t fallback);
    static QString FormatBoxValue(double value, BoxFormat format);

    // Start-up: the capture magnification becomes the picture magnification.
    void ReadCaptureMagnification();
    // Fills the record and the values for the picture just loaded, of pictureSize.
    void LoadPictureInfo(const QString& picturePath, QSize pictureSize);
    // Writes the record to its info file when its Info folder exists, then
    // clears it. Never creates the folder; never half-writes; a failed write
    // goes to writeFailed.
    void SavePictureInfo();
    // The box after start-up or browsing: adjusted, else picture, else "NONE".
    void ShowChosenMagnification(BoxFormat format);
    // Choosing a measuring tool takes the values from the record again.
    void RederiveForMeasuringTool();
    bool ShouldPromptCalibration() const;
    bool LengthToolsEnabled() const;

    bool SetPictureMagnification(const SetDialogRunner& runDialog);
    void ApplyPictureMagnification(double value);
    bool SetCaptureMagnification(const SetDialogRunner& runDialog);
    void ResetPictureMagnification();
    void ResetCaptureMagnification();
    // Writes the setting and tells the capture program, even when the write fails.
    void WriteCaptureMagnification(double value);

    // A finished calibration line of the given value. Returns false when the
    // value is ignored (not a positive number); otherwise the dialog has run and
    // the caller takes the calibration line off the picture and leaves the tool,
    // whatever the user chose.
    bool HandleCalibration(double value, int unitIndex, const CalibrationRunner& runDialog);

    double pictureMagnification = 0.0;
    double adjustedMagnification = 0.0;
    double measuringMagnification = 0.0;
    int calibrationPromptFlag = 0;
    PictureInfoRecord record;
    // What new measurements are made with; its magnifications follow the
    // record at load, the set and reset commands and calibration only.
    MeasuringScale scale;

    enum class WriteFailure {
        Settings,
        Info,
    };
    // A settings or info file write failed, with the system's reason; the
    // default tells nobody.
    std::function<void(WriteFailure what, const QString& reason)> writeFailed;

    // The text of the magnification box, and who shows it.
    QString boxText;
    std::function<void(const QString& text)> boxTextChanged;

  private:
    void SetBoxText(const QString& text);

    SettingsStore& settings;
    MessageBus& bus;
};
