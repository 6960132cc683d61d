#include "output/SaveAsRules.h"
#include "magnification/PictureInfoRecord.h"
#include "output/SaveRendering.h"
#include "output/StampSettings.h"
#include "platform/SettingsStore.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <limits>

using namespace SaveAsRules;

namespace {

constexpr SaveType Bmp = SaveType::Bmp, Jpeg = SaveType::Jpeg, Tiff = SaveType::Tiff;

struct TargetCase
{
    const char* chosen;
    SaveType selected;
    const char* path;
    SaveType written;
};

class TargetNameTest : public ::testing::TestWithParam<TargetCase>
{};

TEST_P(TargetNameTest, FollowsTheExtensionRules)
{
    const TargetCase& c = GetParam();
    const SaveTarget target = TargetFor(QString::fromUtf8(c.chosen), c.selected);
    EXPECT_EQ(target.path, QString::fromUtf8(c.path));
    EXPECT_EQ(target.type, c.written);
}

INSTANTIATE_TEST_SUITE_P(
    Names, TargetNameTest,
    ::testing::Values(TargetCase{"/d/report", Jpeg, "/d/report.jpg", Jpeg},
                      TargetCase{"/d/report", Bmp, "/d/report.bmp", Bmp},
                      TargetCase{"/d/report", Tiff, "/d/report.tif", Tiff},
                      TargetCase{"/d/report.png", Jpeg, "/d/report.png.bmp", Bmp},
                      TargetCase{"/d/REPORT.JPG", Bmp, "/d/REPORT.JPG", Jpeg},
                      TargetCase{"/d/a.bmp", Jpeg, "/d/a.bmp", Bmp},
                      TargetCase{"/d/a.Bmp", Tiff, "/d/a.Bmp", Bmp},
                      TargetCase{"/d/A.TIF", Bmp, "/d/A.TIF", Tiff},
                      TargetCase{"/d/a.tif", Jpeg, "/d/a.tif", Tiff},
                      TargetCase{"/d/a.tiff", Tiff, "/d/a.tiff.bmp", Bmp},
                      TargetCase{"/d/v1.2/report", Tiff, "/d/v1.2/report.tif", Tiff},
                      TargetCase{"/d/report.jpeg", Jpeg, "/d/report.jpeg.bmp", Bmp}));

TEST(SaveAsRules, RatioIsTheSmallerOneInSinglePrecision)
{
    EXPECT_EQ(ResampleRatio({1280, 1024}, {320, 240}), 4.0f);
    EXPECT_EQ(ResampleRatio({1600, 1200}, {320, 240}), 5.0f);
    EXPECT_EQ(ResampleRatio({100, 80}, {320, 240}), 100.0f / 320.0f);
    EXPECT_EQ(ResampleRatio({3488, 2616}, {3488, 2616}), 1.0f);
    // Every index of the output maps inside the source.
    const float s = ResampleRatio({321, 241}, {320, 240});
    EXPECT_LT(SourceIndex(319, s, 321), 321);
    EXPECT_EQ(SourceIndex(10, 2.5f, 5), 4);
}

TEST(SaveAsRules, StampPositionsForAllFlagsWithTheDefaultFont)
{
    const QSize out(320, 240);
    EXPECT_EQ(StampPosition(StampResolution, out, -21, 7), QPoint(0, 0));
    EXPECT_EQ(StampPosition(StampDateTime, out, -21, 19), QPoint(0, 215));
    EXPECT_EQ(StampPosition(StampFileName, out, -21, 13), QPoint((320 - 13 * 10) / 2, 215));
    EXPECT_EQ(StampPosition(StampMagnification, out, -21, 19), QPoint(320 - 190, 215));
    // A positive height counts the same; odd differences truncate.
    EXPECT_EQ(StampPosition(StampFileName, {1281, 1024}, 21, 13), QPoint(575, 1024 - 25));
}

// Stamp fonts come from the shared settings: any height keeps the positions
// inside what a point holds, the bottom line never below the picture.
TEST(SaveAsRules, StampPositionsForExtremeFontHeights)
{
    const QSize out(320, 240);
    for (const int height : {std::numeric_limits<int>::min(), -2000000000, 2000000000,
                             std::numeric_limits<int>::max()}) {
        for (const StampFlag flag : {StampDateTime, StampFileName, StampMagnification}) {
            const QPoint at = StampPosition(flag, out, height, 100);
            EXPECT_LT(at.y(), 0) << height;
            EXPECT_LE(at.x(), 320) << height;
        }
    }
}

TEST(SaveAsRules, StampTexts)
{
    PictureInfoRecord record;
    record.captureTime = {2008, 12, 3, 31, 9, 4, 5, 0};
    EXPECT_EQ(ResolutionStampText({320, 240}), "320X240");
    EXPECT_EQ(DateTimeStampText(record), "2008-12-31 09:04:05");
    EXPECT_EQ(FileNameStampText("/p/20081231_1234.jpg"), "20081231_1234");
    EXPECT_EQ(FileNameStampText("C:\\p\\20081231_1234.jpg"), "20081231_1234");
}

TEST(SaveAsRules, MagnificationStampOnlyAboveOne)
{
    PictureInfoRecord record;
    EXPECT_TRUE(MagnificationStampText(record).isEmpty());
    record.pictureMagnification = 1.0;
    record.adjustedMagnification = 1.0;
    EXPECT_TRUE(MagnificationStampText(record).isEmpty());
    record.pictureMagnification = 50.0;
    EXPECT_EQ(MagnificationStampText(record), "Magnification: 50.0");
    record.adjustedMagnification = 123.45;
    EXPECT_EQ(MagnificationStampText(record), "Magnification: 123.5");
}

// The columns of one row holding exactly the colour c.
QList<int> ColumnsOf(const QImage& image, int y, QRgb c)
{
    QList<int> columns;
    for (int x = 0; x < image.width(); ++x)
        if (image.pixel(x, y) == c)
            columns << x;
    return columns;
}

// The first row at or after from where any pixel differs from the background.
int FirstChangedRow(const QImage& image, int from, QRgb background)
{
    for (int y = from; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != background)
                return y;
    return -1;
}

TEST(SaveRendering, StampDrawsComplementThenColourOnePixelLowerAndRight)
{
    const QRgb grey = qRgb(128, 128, 128);
    QImage output(320, 240, QImage::Format_RGB32);
    output.fill(grey);
    StampSettings stamp;
    stamp.flags = 0x3C;
    stamp.color = MakeColorRef(0, 0, 255);
    stamp.font.quality = 3; // without antialiasing every text pixel is one of the two colours
    PictureInfoRecord record;
    record.captureTime = {2008, 12, 3, 31, 12, 34, 56, 0};
    record.pictureMagnification = 50.0;
    SaveRendering::DrawStamp(output, stamp, record, "/p/20081231_1234.jpg");

    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x) {
            const QRgb c = output.pixel(x, y);
            ASSERT_TRUE(c == grey || c == qRgb(0, 0, 255) || c == qRgb(255, 255, 0))
                << x << "," << y;
        }
    // Nothing between the resolution line at the top and the line at y = 215.
    const int top = FirstChangedRow(output, 0, grey);
    const int bottom = FirstChangedRow(output, 30, grey);
    ASSERT_GE(top, 0);
    EXPECT_LT(top, 8);
    EXPECT_GE(bottom, 215);
    EXPECT_LT(bottom, 225);
    // The top row of each line is drawn only by the complement pass; the
    // colour pass draws the same glyph row one pixel lower and to the right.
    for (int y : {top, bottom}) {
        const QList<int> complement = ColumnsOf(output, y, qRgb(255, 255, 0));
        ASSERT_FALSE(complement.isEmpty()) << y;
        EXPECT_TRUE(ColumnsOf(output, y, qRgb(0, 0, 255)).isEmpty());
        QList<int> shifted;
        for (int x : complement)
            shifted << x + 1;
        EXPECT_EQ(ColumnsOf(output, y + 1, qRgb(0, 0, 255)), shifted) << y;
    }
    // The magnification text ends near the right edge.
    bool nearRightEdge = false;
    for (int y = 215; y < 240; ++y)
        for (int x = 300; x < 320; ++x)
            nearRightEdge = nearRightEdge || output.pixel(x, y) != grey;
    EXPECT_TRUE(nearRightEdge);
}

TEST(SaveRendering, MagnificationNotSetDrawsNothing)
{
    QImage output(320, 240, QImage::Format_RGB32);
    output.fill(Qt::white);
    const QImage before = output.copy();
    StampSettings stamp;
    stamp.flags = StampMagnification | 0x03; // other bits mean nothing
    PictureInfoRecord record;
    record.pictureMagnification = 1.0;
    SaveRendering::DrawStamp(output, stamp, record, "/p/20081231_1234.jpg");
    EXPECT_EQ(output, before);
}

TEST(StampSettings, ScaleBarChoiceIsKeptApartFromTheSharedValues)
{
    QTemporaryDir dir;
    SettingsStore store(dir.filePath("Lumvex.ini"));
    EXPECT_FALSE(StampSettings::ReadScaleBar(store));
    for (bool on : {true, false}) {
        ASSERT_TRUE(StampSettings::WriteScaleBar(store, on));
        EXPECT_EQ(StampSettings::ReadScaleBar(store), on);
    }
    uint32_t top = 0xEE;
    store.Read("ScaleBar", &top, 4);
    EXPECT_EQ(top, 0xEEu);
    EXPECT_EQ(StampSettings::Read(store).flags, 0);
}

TEST(StampSettings, ReadsTheThreeValuesOverTheirDefaults)
{
    QTemporaryDir dir;
    SettingsStore store(dir.filePath("Lumvex.ini"));
    StampSettings s = StampSettings::Read(store);
    EXPECT_EQ(s.flags, 0);
    EXPECT_EQ(s.color, 0u);
    EXPECT_EQ(s.font, LogFont::DefaultStampFont());

    const uint8_t flags[4] = {0x3C, 0x01, 0, 0};
    const uint8_t color[4] = {0x11, 0x22, 0x33, 0};
    LogFont font = LogFont::DefaultStampFont();
    font.height = -30;
    const QByteArray fontBytes = font.ToBytes();
    ASSERT_TRUE(store.Write("PhotoSavedInfo", flags, 4));
    ASSERT_TRUE(store.Write("PhotoSavedInfoFontColor", color, 4));
    ASSERT_TRUE(store.Write("PhotoSavedInfoFont", fontBytes.constData(), int(fontBytes.size())));
    s = StampSettings::Read(store);
    EXPECT_EQ(s.flags, 0x3C);
    EXPECT_EQ(s.color, 0x00332211u);
    EXPECT_EQ(s.font.height, -30);
}

} // namespace
