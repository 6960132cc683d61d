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

TEST(PictureInfoRecordCodecTest, ResolutionTexts)
{
    EXPECT_EQ(ResolutionText(0x05000400), QStringLiteral("1280X1024"));
    EXPECT_EQ(ResolutionText(ResolutionCode(3488, 2616)), QStringLiteral("3488X2616"));
    EXPECT_EQ(ResolutionText(ResolutionCode(160, 120)), QStringLiteral("160X120"));
    EXPECT_EQ(ResolutionText(ResolutionCode(1281, 1024)), QString());
    EXPECT_EQ(ResolutionText(0), QString());
}

} // namespace
