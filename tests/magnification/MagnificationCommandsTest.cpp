#include "MagnificationFixture.h"

using Box = MagnificationModel::BoxFormat;

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
TEST_F(MagnificationCommands, CaptureMagnificationOnlyWritesTheSetting)
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
}

TEST_F(MagnificationCommands, ResetPictureMagnificationClearsEverything)
{
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
    QFile blocker(temp.filePath(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
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
