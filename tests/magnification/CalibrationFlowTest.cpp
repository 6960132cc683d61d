#include "MagnificationFixture.h"
#include "dialogs/ModalRunner.h"
#include "magnification/CAdjustMagnificationDlg.h"
#include "text/LanguageTable.h"
#include "view/ToolProtocol.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <cmath>
#include <tuple>

using Box = MagnificationModel::BoxFormat;

class CalibrationFlow : public MagnificationFixture
{
  protected:
    // Loads a picture whose record has the given measuring magnification.
    void Prepare(double magnification)
    {
        PictureInfoRecord record;
        record.pictureMagnification = magnification;
        record.scaleResolutionCode = 0x05000400;
        WriteInfo(QStringLiteral("20081231_1500"), record.ToBytes());
        Open(WriteBmp(QStringLiteral("20081231_1500.bmp"), {1280, 1024}), Box::Full);
    }

    // A calibration line from a to b drawn with the tool as the view drives
    // it, over the picture shown at its own size; returns the value it broadcasts.
    double DrawLine(GdiPoint a, GdiPoint b)
    {
        ToolProtocol protocol;
        protocol.SetScale(&model->scale);
        protocol.SetSizes(picture.size(), picture.size());
        protocol.SetTool(ToolMode::ToolCalibration);
        protocol.Press(a);
        protocol.Release(a);
        protocol.Move(b);
        protocol.Press(b);
        return protocol.Release(b).calibration.value_or(-1.0);
    }

    // Runs the real dialog as the window does, answered the way a user would
    // answer it (typing, maybe clearing the check box, then OK or Esc), without
    // a modal loop.
    MagnificationModel::CalibrationRunner Script(const QString& typed, bool clearCheckBox = false,
                                                 bool pressOk = true)
    {
        return [=, this](const CalibrationRequest& request) {
            seen = request;
            ++dialogs;
            ModalRunner::Scope scope([=](QDialog& shown) {
                auto& dialog = static_cast<CAdjustMagnificationDlg&>(shown);
                dialog.show();
                if (!typed.isEmpty())
                    QTest::keyClicks(dialog.ActualEdit(), typed);
                if (clearCheckBox)
                    dialog.CaptureCheckBox()->setChecked(false);
                if (pressOk)
                    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
                else
                    QTest::keyClick(&dialog, Qt::Key_Escape);
                return dialog.result();
            });
            return CAdjustMagnificationDlg::Run(
                request, CAdjustMagnificationDlg::TextsFor(LanguageTable(0), request.unitIndex),
                nullptr);
        };
    }

    CalibrationRequest seen;
    int dialogs = 0;
};

TEST_F(CalibrationFlow, FortyTimesWithATenthOfAMillimetre)
{
    Prepare(40.0);
    QSignalSpy posted(&bus, &MessageBus::SetMagnificationReceived);
    ASSERT_TRUE(model->HandleCalibration(200.0, 0, Script(QStringLiteral("0.1"))));

    EXPECT_DOUBLE_EQ(seen.measuredDimension, 5.0);
    EXPECT_DOUBLE_EQ(seen.referenceMagnification, 40.0);
    EXPECT_DOUBLE_EQ(seen.adjustedMagnification, 40.0);
    for (double value : {model->adjustedMagnification, model->measuringMagnification,
                         model->record.adjustedMagnification, model->scale.adjustedMagnification})
        EXPECT_DOUBLE_EQ(value, 50.0);
    EXPECT_DOUBLE_EQ(model->pictureMagnification, 40.0);
    EXPECT_EQ(model->scale.useAdjustedMagnification, 1);
    EXPECT_EQ(model->boxText, QStringLiteral("50.000000"));
    EXPECT_DOUBLE_EQ(CaptureSetting(), 50.0);
    EXPECT_EQ(Broadcasts(posted), 1);
}

// A line value not above 0 opens no dialog; Cancel keeps everything; OK with
// the check box cleared keeps the capture setting and broadcasts nothing.
TEST_F(CalibrationFlow, OtherAnswersKeepWhatTheyShould)
{
    WriteCaptureSetting(30.0);
    Prepare(40.0);
    QSignalSpy posted(&bus, &MessageBus::SetMagnificationReceived);
    for (double value : {0.0, -5.0, std::nan("")})
        EXPECT_FALSE(model->HandleCalibration(value, 0, Script({})));
    EXPECT_EQ(dialogs, 0);
    EXPECT_TRUE(model->HandleCalibration(200.0, 0, Script(QStringLiteral("0.1"), false, false)));
    EXPECT_DOUBLE_EQ(model->adjustedMagnification, 0.0);
    EXPECT_DOUBLE_EQ(model->measuringMagnification, 40.0);
    EXPECT_EQ(model->boxText, QStringLiteral("40.000000"));
    model->HandleCalibration(200.0, 1, Script(QStringLiteral("100"), true));
    EXPECT_DOUBLE_EQ(model->adjustedMagnification, 50.0);
    EXPECT_DOUBLE_EQ(CaptureSetting(), 30.0);
    EXPECT_EQ(Broadcasts(posted), 0);
}

// A stage micrometer photographed at a true magnification of 52; its record
// claims 50. A line over whole millimetres calibrates the picture; a longer
// line suffers less from the pixel rounding of its ends.
TEST_F(CalibrationFlow, StageMicrometerCalibratesToTheTrueMagnification)
{
    const std::tuple<int, int, const char*, double> spans[] = {{0, 1, "1", 0.2}, {0, 7, "7", 0.05}};
    for (const auto& [fromTick, toTick, typed, tolerance] : spans) {
        ASSERT_TRUE(Open(CopySample(QStringLiteral("20081231_1236.bmp")), Box::Full));

        // Only the long millimetre ticks cross this row; find their centres.
        const int row = 480;
        QList<double> ticks;
        for (int x = 0; x < picture.width(); ++x) {
            const int start = x;
            while (x < picture.width() && qGray(picture.pixel(x, row)) < 100)
                ++x;
            if (x > start)
                ticks << (start + x - 1) / 2.0;
        }
        ASSERT_EQ(ticks.size(), 8) << "millimetre ticks 0 to 7";
        const GdiPoint from{int(std::lround(ticks[fromTick])), row};
        const GdiPoint to{int(std::lround(ticks[toTick])), row};
        const int pixels = to.x - from.x;
        const int millimetres = toTick - fromTick;
        EXPECT_NEAR(double(pixels) / millimetres, 146.48, 0.6);

        const double value = DrawLine(from, to);
        EXPECT_DOUBLE_EQ(value, pixels * 0.355 * 50.0);
        ASSERT_TRUE(model->HandleCalibration(value, 0, Script(QString::fromLatin1(typed))));
        EXPECT_NEAR(model->adjustedMagnification, 52.0, tolerance);
        EXPECT_DOUBLE_EQ(model->adjustedMagnification, pixels * 0.355 / millimetres);
        EXPECT_EQ(model->boxText, QString::asprintf("%f", model->adjustedMagnification));
        EXPECT_EQ(model->scale.useAdjustedMagnification, 1);

        // The calibration reaches the info file when the picture is left.
        model->SavePictureInfo();
        const auto saved = PictureInfoRecord::FromBytes(ReadInfo(QStringLiteral("20081231_1236")));
        EXPECT_DOUBLE_EQ(saved.adjustedMagnification, pixels * 0.355 / millimetres);
        EXPECT_DOUBLE_EQ(saved.pictureMagnification, 50.0);
    }
}

class MagnificationCommands : public MagnificationFixture
{
  protected:
    void SetUp() override
    {
        MagnificationFixture::SetUp();
        PictureInfoRecord record;
        record.pictureMagnification = 50.0;
        record.adjustedMagnification = 2.5;
        record.scaleResolutionCode = 0x05000400;
        WriteInfo(QStringLiteral("20081231_1400"), record.ToBytes());
        Open(WriteBmp(QStringLiteral("20081231_1400.bmp"), {1280, 2}), Box::Full);
        WriteCaptureSetting(30.0);
    }

    // A dialog that answers OK with a fixed value, remembering its start value.
    MagnificationModel::SetDialogRunner Answer(double value)
    {
        return [this, value](double& v) {
            started = v;
            v = value;
            return true;
        };
    }

    double started = -1.0;
};

// Cancel changes nothing; OK starts from the measuring value and replaces
// both magnifications.
TEST_F(MagnificationCommands, SetPictureMagnificationStartsFromTheMeasuringValue)
{
    const PictureInfoRecord before = model->record;
    EXPECT_FALSE(model->SetPictureMagnification([](double& v) {
        v = 99.0;
        return false;
    }));
    EXPECT_EQ(model->record, before);
    EXPECT_EQ(model->boxText, QStringLiteral("2.500000"));
    ASSERT_TRUE(model->SetPictureMagnification(Answer(75.0)));
    EXPECT_DOUBLE_EQ(started, 2.5);
    for (double value : {model->pictureMagnification, model->record.pictureMagnification,
                         model->measuringMagnification, model->scale.pictureMagnification})
        EXPECT_DOUBLE_EQ(value, 75.0);
    EXPECT_DOUBLE_EQ(model->adjustedMagnification, 0.0);
    EXPECT_DOUBLE_EQ(model->record.adjustedMagnification, 0.0);
    EXPECT_EQ(model->scale.useAdjustedMagnification, 0);
    EXPECT_EQ(model->boxText, QStringLiteral("75.0"));
    EXPECT_DOUBLE_EQ(CaptureSetting(), 30.0);
    // A value of 1 empties the box but enables the length tools.
    ASSERT_TRUE(model->SetPictureMagnification(Answer(1.0)));
    EXPECT_EQ(model->boxText, QString());
    EXPECT_TRUE(model->LengthToolsEnabled());
}

// Setting or resetting the capture magnification writes the setting and
// broadcasts it; the picture keeps its own.
TEST_F(MagnificationCommands, CaptureMagnificationOnlyWritesTheSettingResetClearsThePictures)
{
    QSignalSpy posted(&bus, &MessageBus::SetMagnificationReceived);
    ASSERT_TRUE(model->SetCaptureMagnification(Answer(120.0)));
    EXPECT_DOUBLE_EQ(started, 2.5);
    EXPECT_DOUBLE_EQ(CaptureSetting(), 120.0);
    EXPECT_EQ(Broadcasts(posted), 1);
    model->ResetCaptureMagnification();
    EXPECT_DOUBLE_EQ(CaptureSetting(), 0.0);
    EXPECT_EQ(Broadcasts(posted), 2);
    EXPECT_DOUBLE_EQ(model->pictureMagnification, 50.0);
    EXPECT_DOUBLE_EQ(model->measuringMagnification, 2.5);
    EXPECT_EQ(model->boxText, QStringLiteral("2.500000"));

    // Resetting the picture magnification clears everything.
    model->ResetPictureMagnification();
    for (double value : {model->pictureMagnification, model->adjustedMagnification,
                         model->measuringMagnification, model->record.pictureMagnification,
                         model->record.adjustedMagnification, model->scale.pictureMagnification})
        EXPECT_DOUBLE_EQ(value, 0.0);
    EXPECT_EQ(model->scale.useAdjustedMagnification, 0);
    EXPECT_EQ(model->boxText, QStringLiteral("NONE"));
    EXPECT_TRUE(model->ShouldPromptCalibration());
}

TEST_F(MagnificationCommands, UnwritableSettingIsReportedAndStillBroadcast)
{
    // The settings "folder" is a regular file: the key cannot be created.
    ASSERT_TRUE(TestFiles::Write(temp.filePath(QStringLiteral("blocker")), {}));
    SettingsStore unwritable(temp.filePath(QStringLiteral("blocker/Lumvex.ini")));
    MagnificationModel other(unwritable, bus);
    int reported = 0;
    other.writeFailed = [&](MagnificationModel::WriteFailure what, const QString& reason) {
        reported += what == MagnificationModel::WriteFailure::Settings && !reason.isEmpty();
    };
    QSignalSpy posted(&bus, &MessageBus::SetMagnificationReceived);
    other.WriteCaptureMagnification(80.0);
    EXPECT_EQ(Broadcasts(posted), 1);
    EXPECT_EQ(reported, 1);
    EXPECT_FALSE(QFileInfo::exists(temp.filePath(QStringLiteral("blocker/Lumvex.ini"))));
}
