#include "magnification/PictureInfoRecord.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

TEST(PictureInfoRecordCodecTest, ReadsTheSampleRecordFieldByField)
{
    QFile file(QStringLiteral(LUMVEX_SAMPLES_DIR "/Info/20081231_1234"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_EQ(bytes.size(), PictureInfoRecord::ByteSize);
    const PictureInfoRecord record = PictureInfoRecord::FromBytes(bytes);
    EXPECT_EQ(record.pictureMagnification, 50.0);
    EXPECT_EQ(record.adjustedMagnification, 0.0);
    EXPECT_EQ(record.captureTime.year, 2008);
    EXPECT_EQ(record.captureTime.month, 12);
    EXPECT_EQ(record.captureTime.day, 31);
    EXPECT_EQ(record.captureTime.hour, 12);
    EXPECT_EQ(record.captureTime.minute, 34);
    EXPECT_EQ(record.captureTime.second, 5);
    EXPECT_EQ(record.captureResolutionCode, ResolutionCode(640, 480));
    EXPECT_EQ(record.cameraCode, 0x0C456355u);
    EXPECT_EQ(record.Remark(), QStringLiteral("IHC stain, colon mucosa"));
    EXPECT_EQ(record.ToBytes(), bytes) << "a read and a write change no byte";
}

TEST(PictureInfoRecordCodecTest, OffsetsOfTheNumbers)
{
    PictureInfoRecord record;
    record.captureTime.year = 0x07D8;
    record.pictureMagnification = 2.0;
    record.captureResolutionCode = 0x05000400;
    record.reserved = 0xDEADBEEF;
    const QByteArray bytes = record.ToBytes();
    ASSERT_EQ(bytes.size(), 568);
    EXPECT_EQ(uchar(bytes[520]), 0xD8);
    EXPECT_EQ(uchar(bytes[521]), 0x07);
    EXPECT_EQ(uchar(bytes[543]), 0x40) << "2.0 is 0x4000000000000000";
    EXPECT_EQ(uchar(bytes[552]), 0x00);
    EXPECT_EQ(uchar(bytes[554]), 0x00);
    EXPECT_EQ(uchar(bytes[555]), 0x05);
    EXPECT_EQ(uchar(bytes[564]), 0xEF);
}

TEST(PictureInfoRecordCodecTest, ShortInputLeavesTheRestZero)
{
    QByteArray bytes(300, 'a');
    const PictureInfoRecord record = PictureInfoRecord::FromBytes(bytes);
    EXPECT_EQ(record.PathText(), QString(260, u'a')) << "no terminator: the field ends at its end";
    EXPECT_EQ(record.Remark(), QString(40, u'a'));
    EXPECT_EQ(record.pictureMagnification, 0.0);
    EXPECT_EQ(record.cameraCode, 0u);
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
}

TEST(PictureInfoRecordCodecTest, ResolutionTexts)
{
    EXPECT_EQ(ResolutionText(0x05000400), QStringLiteral("1280X1024"));
    EXPECT_EQ(ResolutionText(ResolutionCode(3488, 2616)), QStringLiteral("3488X2616"));
    EXPECT_EQ(ResolutionText(ResolutionCode(160, 120)), QStringLiteral("160X120"));
    EXPECT_EQ(ResolutionText(ResolutionCode(1281, 1024)), QString());
    EXPECT_EQ(ResolutionText(0), QString());
}

} // namespace
