#include "FileSizeLimit.h"
#include "MagnificationFixture.h"
#include "magnification/PictureInfoRecord.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <tuple>
#include <unistd.h>

using Box = MagnificationModel::BoxFormat;

// The record's path may be a Windows one; a picture's never is.
TEST(InfoPath, DerivesByPositionsResolutionCodesGiveFactorAndText)
{
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"/pics/20081231_1234.jpg", "/pics/Info/20081231_1234", "/pics/Info/20081231_1234"},
        {"/20081231_1234.jpg", "/Info/20081231_1234", "/Info/20081231_1234"},
        {"D:\\pics\\20081231_1234.jpg", "", "D:/pics/Info/20081231_1234"},
        // Not a capture name: no usable info path.
        {"/pics/abc.jpg", "", ""},
        {"20081231_1234.jpg", "", ""},
        {"/pics/x20081231_1234.jpg", "", ""},
        {"", "", ""},
    };
    for (const auto& [given, forPicture, forRecord] : cases) {
        const QString path = QString::fromUtf8(given);
        EXPECT_EQ(MagnificationModel::InfoPathForPicture(path), QString::fromUtf8(forPicture))
            << given;
        EXPECT_EQ(MagnificationModel::InfoPathForRecordPath(path), QString::fromUtf8(forRecord))
            << given;
    }

    // The resolution factor (the sample tests give 1.0 and 0.5) of a picture
    // smaller than its code and of one of no size; texts only for known codes.
    EXPECT_DOUBLE_EQ(MagnificationModel::ResolutionFactorFor(0x064004B0, {800, 500}), 2.0);
    EXPECT_DOUBLE_EQ(MagnificationModel::ResolutionFactorFor(0x05000400, {0, 0}), 1.0);
    EXPECT_EQ(ResolutionText(0x05000400), QStringLiteral("1280X1024"));
    EXPECT_EQ(ResolutionText(ResolutionCode(3488, 2616)), QStringLiteral("3488X2616"));
    EXPECT_EQ(ResolutionText(ResolutionCode(160, 120)), QStringLiteral("160X120"));
    EXPECT_EQ(ResolutionText(ResolutionCode(1281, 1024)), QString());
    EXPECT_EQ(ResolutionText(0), QString());
}

class PictureInfo : public MagnificationFixture
{};

// The samples: a JPEG and a BMP with their records, a JPEG of 2560 x 1920
// without one (the default code, so a resolution factor of 0.5).
TEST_F(PictureInfo, ReadsTheSampleRecords)
{
    const QString jpg = CopySample(QStringLiteral("20081231_1234.jpg"));
    ASSERT_TRUE(Open(jpg, Box::Full));
    EXPECT_EQ(model->record.captureResolutionCode, 0x028001E0u);
    EXPECT_DOUBLE_EQ(model->measuringMagnification, 50.0);
    EXPECT_DOUBLE_EQ(model->scale.pixelSize, 0.2);
    EXPECT_DOUBLE_EQ(model->scale.resolutionFactor, 1.0);
    EXPECT_EQ(model->record.PathText(), jpg);

    ASSERT_TRUE(Open(CopySample(QStringLiteral("20081231_1235.bmp")), Box::Full));
    EXPECT_DOUBLE_EQ(model->scale.pictureMagnification, 200.0);
    EXPECT_DOUBLE_EQ(model->scale.pixelSize, 0.38093);

    ASSERT_TRUE(Open(CopySample(QStringLiteral("20081231_1237.jpg")), Box::Full));
    EXPECT_EQ(model->record.captureResolutionCode, 0x05000400u);
    EXPECT_EQ(model->record.scaleResolutionCode, 0x05000400u);
    EXPECT_DOUBLE_EQ(model->scale.resolutionFactor, 0.5);
}

TEST_F(PictureInfo, ShortFileReplacesOnlyTheFirstBytes)
{
    PictureInfoRecord written;
    written.SetPathText(QStringLiteral("/elsewhere/20081231_1299.bmp"));
    written.SetRemark(QStringLiteral("Schnitt 3"));
    written.pictureMagnification = 80.0;
    written.scaleResolutionCode = 0x05000400;
    written.cameraCode = 0x0C456355;
    WriteInfo(QStringLiteral("20081231_1240"), written.ToBytes().left(300));
    const QString picture = WriteBmp(QStringLiteral("20081231_1240.bmp"), {1280, 4});

    model->pictureMagnification = 30.0;
    model->LoadPictureInfo(picture, {1280, 4});
    EXPECT_EQ(model->record.Remark(), QStringLiteral("Schnitt 3"));
    EXPECT_EQ(model->record.captureTime, SystemTime{});
    EXPECT_EQ(model->record.scaleResolutionCode, 0u);
    EXPECT_EQ(model->record.cameraCode, 0u);
    EXPECT_DOUBLE_EQ(model->scale.pixelSize, 0.355);
    // The magnification lies past the bytes read: the one in force stays.
    EXPECT_DOUBLE_EQ(model->pictureMagnification, 30.0);
    EXPECT_DOUBLE_EQ(model->adjustedMagnification, 0.0);
    EXPECT_DOUBLE_EQ(model->scale.resolutionFactor, 0.0);
    EXPECT_EQ(model->record.PathText(), picture);
}

// Without an info file the BMP header's width picks the resolution code.
TEST_F(PictureInfo, DefaultsFromBmpHeaderWithoutInfoFile)
{
    const std::pair<int, uint32_t> cases[] = {
        {1600, 0x064004B0}, {1280, 0x05000400}, {640, 0x028001E0}, {800, 0x05000400}};
    const QDateTime written(QDate(2009, 3, 14), QTime(15, 9, 26));
    for (const auto& [width, code] : cases) {
        const QString picture = WriteBmp(QStringLiteral("20081231_1300.bmp"), {width, 2});
        {
            QFile file(picture);
            ASSERT_TRUE(file.open(QIODevice::ReadWrite));
            ASSERT_TRUE(file.setFileTime(written, QFileDevice::FileModificationTime));
        }
        model->pictureMagnification = 60.0;
        model->LoadPictureInfo(picture, {width, 2});

        EXPECT_EQ(model->record.captureResolutionCode, code) << width;
        EXPECT_EQ(model->record.scaleResolutionCode, code) << width;
        EXPECT_EQ(model->record.captureTime, SystemTime::FromDateTime(written));
        EXPECT_EQ(model->record.captureTime.dayOfWeek, 6); // a Saturday
        EXPECT_DOUBLE_EQ(model->scale.pixelSize, 0.355);
        EXPECT_DOUBLE_EQ(model->record.pictureMagnification, 60.0);
        EXPECT_DOUBLE_EQ(model->record.adjustedMagnification, 0.0);
        EXPECT_EQ(model->record.Remark(), QString());
    }
}

TEST_F(PictureInfo, SecondPictureWithoutInfoInheritsTheFirstsMagnification)
{
    WriteCaptureSetting(30.0);
    model->ReadCaptureMagnification();
    const QString first = WriteBmp(QStringLiteral("20081231_1310.bmp"), {1280, 2});
    const QString second = WriteBmp(QStringLiteral("20081231_1311.bmp"), {1280, 2});

    Open(first, Box::Full);
    EXPECT_EQ(model->boxText, QStringLiteral("30.000000"));
    model->ApplyPictureMagnification(75.0);
    model->SavePictureInfo();

    Open(second, Box::Short);
    EXPECT_DOUBLE_EQ(model->pictureMagnification, 75.0);
    EXPECT_DOUBLE_EQ(model->scale.pictureMagnification, 75.0);
    EXPECT_EQ(model->boxText, QStringLiteral("75.0"));
    // The first picture got its info file on leaving.
    EXPECT_DOUBLE_EQ(PictureInfoRecord::FromBytes(ReadInfo(QStringLiteral("20081231_1310")))
                         .pictureMagnification,
                     75.0);
}

// An adjusted magnification above 1 is the one measurements use; exactly 1
// counts only once a measuring tool is chosen. Without either, the box says
// NONE, the length tools are off and the calibration prompt shows, once per
// picture.
TEST_F(PictureInfo, BoxAndMeasuringMagnificationFollowTheRecord)
{
    const std::tuple<double, double, Box, const char*, double, int> cases[] = {
        {50.0, 2.5, Box::Full, "2.500000", 2.5, 1},
        {50.0, 2.5, Box::Short, "2.5", 2.5, 1},
        {50.0, 1.0, Box::Full, "50.000000", 50.0, 0},
        {0.0, 0.0, Box::Full, "NONE", 0.0, 0}};
    const QString picture = WriteBmp(QStringLiteral("20081231_1320.bmp"), {1280, 2});
    for (const auto& [recorded, adjusted, format, box, measuring, useAdjusted] : cases) {
        PictureInfoRecord record;
        record.pictureMagnification = recorded;
        record.adjustedMagnification = adjusted;
        WriteInfo(QStringLiteral("20081231_1320"), record.ToBytes());
        Open(picture, format);
        EXPECT_EQ(model->boxText, QString::fromLatin1(box));
        EXPECT_DOUBLE_EQ(model->measuringMagnification, measuring);
        EXPECT_EQ(model->scale.useAdjustedMagnification, useAdjusted);
        EXPECT_DOUBLE_EQ(model->scale.pictureMagnification, recorded);
        EXPECT_EQ(model->LengthToolsEnabled(), measuring >= 1.0);
        if (adjusted == 1.0) {
            model->RederiveForMeasuringTool();
            EXPECT_DOUBLE_EQ(model->measuringMagnification, 1.0);
            EXPECT_EQ(model->boxText, QStringLiteral("50.000000"));
            EXPECT_TRUE(model->LengthToolsEnabled());
        }
    }
    EXPECT_TRUE(model->ShouldPromptCalibration());
    model->calibrationPromptFlag = 1;
    EXPECT_FALSE(model->ShouldPromptCalibration());
    Open(picture, Box::Full);
    EXPECT_EQ(model->calibrationPromptFlag, 0);
}

TEST_F(PictureInfo, SaveWritesTheRecordAndClearsItOnlyForCaptureNames)
{
    const QString picture = CopySample(QStringLiteral("20081231_1236.bmp"));
    Open(picture, Box::Full);
    model->record.SetRemark(QStringLiteral("Objektmikrometer µm"));
    const QByteArray expected = model->record.ToBytes();
    model->SavePictureInfo();

    EXPECT_EQ(ReadInfo(QStringLiteral("20081231_1236")), expected);
    PictureInfoRecord cleared;
    cleared.pictureMagnification = 50.0;
    EXPECT_EQ(model->record, cleared);

    // A name that is not a capture name gets defaults and writes nothing.
    const QString other = WriteBmp(QStringLiteral("abc.bmp"), {640, 2});
    model->pictureMagnification = 20.0;
    model->LoadPictureInfo(other, QImage(other).size());
    EXPECT_EQ(model->record.captureResolutionCode, 0x028001E0u);
    EXPECT_DOUBLE_EQ(model->pictureMagnification, 20.0);
    model->SavePictureInfo();
    EXPECT_EQ(QDir(folder + QStringLiteral("/Info")).entryList(QDir::Files | QDir::Hidden),
              QStringList{"20081231_1236"});
}

// A write that fails (a read-only Info folder, even for the super-user, or a
// write cut short) is reported and keeps the old file whole; a missing Info
// folder is never created and one that is a file is skipped, both silently.
TEST_F(PictureInfo, InfoFileThatCannotBeWrittenKeepsWhatIsThere)
{
    const QString info = folder + QStringLiteral("/Info");
    const QString picture = CopySample(QStringLiteral("20081231_1236.bmp"));
    const QByteArray before = ReadInfo(QStringLiteral("20081231_1236"));
    const auto save = [&](rlim_t sizeLimit) {
        Open(picture, Box::Full);
        model->record.adjustedMagnification = 9.0;
        FileSizeLimit limit(sizeLimit);
        model->SavePictureInfo();
    };
    const auto permissions = QFile::permissions(info);
    ASSERT_TRUE(QFile::setPermissions(info, QFile::ReadOwner | QFile::ExeOwner));
    save(RLIM_INFINITY);
    QFile::setPermissions(info, permissions);
    save(100);
    EXPECT_EQ(ReadInfo(QStringLiteral("20081231_1236")), before);
    EXPECT_EQ(QDir(info).entryList(QDir::Files | QDir::Hidden).size(), 1);
    EXPECT_EQ(writeFailures, QStringList({"info: " + QString::fromLocal8Bit(strerror(EACCES)),
                                          "info: " + QString::fromLocal8Bit(strerror(EFBIG))}));

    writeFailures.clear();
    ASSERT_TRUE(QDir(info).removeRecursively());
    save(RLIM_INFINITY);
    EXPECT_FALSE(QFileInfo::exists(info));
    ASSERT_TRUE(TestFiles::Write(info, "not a folder"));
    save(RLIM_INFINITY);
    EXPECT_EQ(TestFiles::Read(info), "not a folder");
    EXPECT_TRUE(writeFailures.isEmpty());
}

TEST(PictureInfoRecordCodecTest, ReadsTheSampleRecordFieldByField)
{
    const QByteArray bytes =
        TestFiles::Read(QStringLiteral(LUMVEX_SAMPLES_DIR "/Info/20081231_1234"));
    ASSERT_EQ(bytes.size(), PictureInfoRecord::ByteSize);
    const PictureInfoRecord record = PictureInfoRecord::FromBytes(bytes);
    EXPECT_EQ(record.pictureMagnification, 50.0);
    EXPECT_EQ(record.adjustedMagnification, 0.0);
    const SystemTime& t = record.captureTime;
    EXPECT_EQ(QList<int>({t.year, t.month, t.day, t.hour, t.minute, t.second}),
              QList<int>({2008, 12, 31, 12, 34, 5}));
    EXPECT_EQ(record.captureResolutionCode, ResolutionCode(640, 480));
    EXPECT_EQ(record.cameraCode, 0x0C456355u);
    EXPECT_EQ(record.Remark(), QStringLiteral("IHC stain, colon mucosa"));
    EXPECT_EQ(record.ToBytes(), bytes) << "a read and a write change no byte";
}

TEST(PictureInfoRecordCodecTest, TextIsCutWithoutSplittingACharacter)
{
    PictureInfoRecord record;
    record.SetRemark(QString(300, u'x'));
    EXPECT_EQ(record.Remark().size(), 259);
    EXPECT_EQ(record.remark[259], 0);
    // 258 ASCII bytes, then a 3-byte character that would not fit whole.
    record.SetRemark(QString(258, u'x') + QStringLiteral("中"));
    EXPECT_EQ(record.Remark(), QString(258, u'x'));
    record.SetRemark(QString(256, u'x') + QStringLiteral("中"));
    EXPECT_EQ(record.Remark(), QString(256, u'x') + QStringLiteral("中"));
    // A field read without a terminator ends at the field's end.
    EXPECT_EQ(PictureInfoRecord::FromBytes(QByteArray(300, 'a')).PathText(), QString(260, u'a'));
}
