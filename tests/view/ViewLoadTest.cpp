#include "magnification/PictureInfoRecord.h"
#include "view/CLumvexImgEdtView.h"
#include "view/InfoOverlay.h"
#include "view/PictureLoader.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class ViewLoadTest : public ::testing::Test
{
  protected:
    QTemporaryDir folder;
    CLumvexImgEdtView view;
    QStringList errors;

    void SetUp() override
    {
        view.showError = [this](const QString& message) {
            errors << message;
        };
    }

    QString WriteFile(const QString& name, const QByteArray& bytes)
    {
        const QString path = folder.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    static QByteArray Sample(const char* name)
    {
        QFile file(QStringLiteral(LUMVEX_SAMPLES_DIR "/") + QLatin1String(name));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }
};

TEST_F(ViewLoadTest, LoadsBmpAndJpegSamples)
{
    ASSERT_TRUE(view.LoadPicture(QStringLiteral(LUMVEX_SAMPLES_DIR "/20081231_1235.bmp")));
    EXPECT_EQ(view.PictureSize(), QSize(1280, 1024));
    EXPECT_EQ(view.History().Count(), 1);
    EXPECT_EQ(view.modificationCount, 0);
    ASSERT_TRUE(view.LoadPicture(QStringLiteral(LUMVEX_SAMPLES_DIR "/20081231_1234.jpg")));
    EXPECT_EQ(view.PictureSize(), QSize(640, 480));
    EXPECT_TRUE(errors.isEmpty());
}

// A 24-bit BMP header claiming the given size, followed by four bytes of pixels.
QByteArray BmpClaiming(uint32_t width, uint32_t height)
{
    QByteArray header(58, '\0');
    auto put32 = [&](int at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            header[at + i] = char(v >> (8 * i));
    };
    header[0] = 'B';
    header[1] = 'M';
    put32(2, 58);
    put32(10, 54);
    put32(14, 40);
    put32(18, width);
    put32(22, height);
    header[26] = 1;
    header[28] = 24;
    return header;
}

TEST_F(ViewLoadTest, BadFilesShowTheReasonAndKeepRunning)
{
    const struct
    {
        const char* name;
        QByteArray bytes;
        const char* reason; // part of the message
    } files[] = {
        {"zero.bmp", QByteArray(), " - "},
        {"text.jpg", QByteArray("these are notes, not a picture\n"), " - "},
        {"huge.bmp", BmpClaiming(60000, 60000), " - "},
        // A few bytes claiming a picture that would take seconds to show.
        {"wide.bmp", BmpClaiming(3407873, 1), "too large"},
        {"tall.bmp", BmpClaiming(1, 2097153), "too large"},
    };
    for (const auto& [name, bytes, reason] : files) {
        errors.clear();
        EXPECT_FALSE(view.LoadPicture(WriteFile(QString::fromLatin1(name), bytes)));
        ASSERT_EQ(errors.size(), 1) << name;
        EXPECT_TRUE(errors[0].startsWith(QStringLiteral("Load image failed:\n")))
            << errors[0].toStdString();
        EXPECT_TRUE(errors[0].contains(QLatin1String(reason), Qt::CaseInsensitive))
            << errors[0].toStdString();
        EXPECT_TRUE(view.WorkingPicture().isNull());
        view.RestoreWorkingPicture(true); // nothing to restore into: does nothing
        view.RedrawNow();
    }
}

TEST(PictureSizeLimit, SidesUpTo65536AndUpTo256Megapixels)
{
    struct Case
    {
        int width, height;
        bool loadable;
    };
    const Case cases[] = {
        {1, 1, true},          {65536, 1, true},    {1, 65536, true},  {65536, 4096, true},
        {16384, 16384, true},  {65537, 1, false},   {1, 65537, false}, {65536, 4097, false},
        {16385, 16384, false}, {0, 10, false},      {10, 0, false},    {-1, 10, false},
        {3407873, 1, false},   {1, 2097153, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PictureLoader::IsLoadableSize({c.width, c.height}), c.loadable)
            << c.width << " x " << c.height;
}

// A failed load empties the view but keeps the flag that a picture was loaded.
TEST_F(ViewLoadTest, MissingFileAndFolderGiveTheSystemReason)
{
    ASSERT_TRUE(view.LoadPicture(QStringLiteral(LUMVEX_SAMPLES_DIR "/20081231_1234.jpg")));
    EXPECT_FALSE(view.LoadPicture(folder.filePath(QStringLiteral("20081231_9999.jpg"))));
    EXPECT_FALSE(view.LoadPicture(folder.path()));
    EXPECT_FALSE(view.LoadPicture(QString()));
    ASSERT_EQ(errors.size(), 3);
    EXPECT_EQ(errors[0], QStringLiteral("Load image failed:\n2 - No such file or directory"));
    EXPECT_EQ(errors[1], QStringLiteral("Load image failed:\n15 - Is a directory"));
    EXPECT_TRUE(view.WorkingPicture().isNull());
    EXPECT_TRUE(view.PictureLoaded());
}

TEST_F(ViewLoadTest, ATruncatedJpegDoesNotCrash)
{
    const QByteArray jpeg = Sample("20081231_1234.jpg");
    const QString path = WriteFile(QStringLiteral("20081231_0001.jpg"), jpeg.left(jpeg.size() / 3));
    // The decoder may give the part it could read; either way nothing breaks.
    if (view.LoadPicture(path))
        EXPECT_EQ(view.PictureSize(), QSize(640, 480));
    else
        EXPECT_EQ(errors.size(), 1);
}

TEST_F(ViewLoadTest, ViewSizeFollowsResizesOnlyOnceAPictureIsLoaded)
{
    view.show();
    view.resize(320, 240);
    EXPECT_EQ(view.ViewSize(), QSize(640, 480));
    ASSERT_TRUE(view.LoadPicture(QStringLiteral(LUMVEX_SAMPLES_DIR "/20081231_1234.jpg")));
    EXPECT_EQ(view.ViewSize(), QSize(320, 240));
    view.resize(980, 720);
    EXPECT_EQ(view.ViewSize(), QSize(980, 720));
}

TEST_F(ViewLoadTest, OverlayTextsComeFromTheRecord)
{
    PictureInfoRecord record;
    record.captureResolutionCode = ResolutionCode(1280, 1024);
    record.captureTime = {2008, 12, 3, 31, 12, 34, 5, 0};
    record.SetPathText(QStringLiteral("D:\\pics\\20081231_1234_extra.jpg"));
    EXPECT_EQ(InfoOverlay::ResolutionText(record), QStringLiteral("1280X1024"));
    EXPECT_EQ(InfoOverlay::TimeText(record), QStringLiteral("2008/12/31 12:34:05") +
                                                 QString(28, u' ') +
                                                 QStringLiteral("20081231_1234"));
    record.SetPathText(QStringLiteral("/home/lab/20081231_1235.bmp"));
    EXPECT_TRUE(InfoOverlay::TimeText(record).endsWith(QStringLiteral(" 20081231_1235")));
    record.SetPathText(QStringLiteral("nofolderatall_long_name"));
    record.captureResolutionCode = ResolutionCode(1000, 1000);
    EXPECT_TRUE(InfoOverlay::TimeText(record).endsWith(QStringLiteral(" nofolderatall")));
    EXPECT_EQ(InfoOverlay::ResolutionText(record), QString());
}

// The picture is stretched over the view, the resolution text drawn in white
// over black at the top left.
TEST_F(ViewLoadTest, PaintsThePictureStretchedWithTheOverlay)
{
    // Four flat quadrants survive smooth downscaling in their centres.
    QImage picture(1280, 1024, QImage::Format_RGB32);
    const QRgb colours[4] = {qRgb(200, 30, 30), qRgb(30, 200, 30), qRgb(30, 30, 200),
                             qRgb(220, 220, 40)};
    for (int q = 0; q < 4; ++q)
        QPainter(&picture).fillRect(QRect((q % 2) * 640, (q / 2) * 512, 640, 512),
                                    QColor(colours[q]));
    const QString path = folder.filePath(QStringLiteral("20081231_0002.bmp"));
    ASSERT_TRUE(picture.save(path));
    PictureInfoRecord record;
    record.captureResolutionCode = ResolutionCode(640, 480);
    view.SetInfoRecord(&record);
    view.resize(640, 512);
    ASSERT_TRUE(view.LoadPicture(path));
    const QImage shown = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), QSize(640, 512));
    EXPECT_EQ(shown.pixel(160, 128), colours[0]);
    EXPECT_EQ(shown.pixel(480, 128), colours[1]);
    EXPECT_EQ(shown.pixel(160, 384), colours[2]);
    EXPECT_EQ(shown.pixel(480, 300), colours[3]);
    bool white = false, black = false;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 80; ++x) {
            white |= shown.pixel(x, y) == qRgb(255, 255, 255);
            black |= qGray(shown.pixel(x, y)) < 40;
        }
    EXPECT_TRUE(white && black) << "resolution text at the top left";
}

} // namespace
