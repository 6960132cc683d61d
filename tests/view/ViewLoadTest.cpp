#include "magnification/PictureInfoRecord.h"
#include "view/CLumvexImgEdtView.h"
#include "view/InfoOverlay.h"
#include "view/PictureLoader.h"

#include "TestFiles.h"

#include <QDataStream>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>
#include <tuple>

namespace {

QString Sample(const char* name)
{
    return QStringLiteral(LUMVEX_SAMPLES_DIR "/") + QLatin1String(name);
}

// A 24-bit BMP header claiming the given size, followed by four bytes of pixels.
QByteArray BmpClaiming(quint32 width, quint32 height)
{
    QByteArray bmp;
    QDataStream out(&bmp, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0x4D42) << quint32(58) << quint32(0) << quint32(54) << quint32(40) << width
        << height << quint16(1) << quint16(24);
    bmp.resize(58, '\0');
    return bmp;
}

class ViewLoadTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        view.showError = [this](const QString& message) {
            errors << message;
        };
    }

    QTemporaryDir folder;
    CLumvexImgEdtView view;
    QStringList errors;
};

// Each bad file shows the message with its reason and empties the view, which
// keeps the flag that a picture was loaded.
TEST_F(ViewLoadTest, BadFilesShowTheReasonAndKeepRunning)
{
    ASSERT_TRUE(view.LoadPicture(Sample("20081231_1234.jpg")));
    EXPECT_EQ(view.PictureSize(), QSize(640, 480));
    // name, bytes (none: no such file), part of the message
    const std::tuple<const char*, std::optional<QByteArray>, const char*> files[] = {
        {"zero.bmp", QByteArray(), " - "},
        {"text.jpg", QByteArray("these are notes, not a picture\n"), " - "},
        {"huge.bmp", BmpClaiming(60000, 60000), " - "},
        // A few bytes claiming a picture that would take seconds to show.
        {"wide.bmp", BmpClaiming(3407873, 1), "too large"},
        {"tall.bmp", BmpClaiming(1, 2097153), "too large"},
        {"20081231_9999.jpg", std::nullopt, "\n2 - No such file or directory"},
        {"", std::nullopt, "\n15 - Is a directory"},
    };
    for (const auto& [name, bytes, reason] : files) {
        errors.clear();
        const QString path = folder.filePath(QString::fromLatin1(name));
        if (bytes)
            ASSERT_TRUE(TestFiles::Write(path, *bytes));
        EXPECT_FALSE(view.LoadPicture(path));
        ASSERT_EQ(errors.size(), 1) << name;
        EXPECT_TRUE(errors[0].startsWith(QStringLiteral("Load image failed:\n")) &&
                    errors[0].contains(QLatin1String(reason), Qt::CaseInsensitive))
            << errors[0].toStdString();
        EXPECT_TRUE(view.WorkingPicture().isNull());
        EXPECT_TRUE(view.PictureLoaded());
        view.RestoreWorkingPicture(true); // nothing to restore into: does nothing
        view.RedrawNow();
    }
}

TEST(PictureSizeLimit, SidesUpTo65536AndUpTo256Megapixels)
{
    const std::tuple<int, int, bool> cases[] = {
        {1, 65536, true},     {1, 65537, false},     {65536, 4096, true}, {65536, 4097, false},
        {16384, 16384, true}, {16385, 16384, false}, {0, 10, false},
    };
    for (const auto& [width, height, loadable] : cases)
        EXPECT_EQ(PictureLoader::IsLoadableSize({width, height}), loadable)
            << width << " x " << height;
}

// The time line ends with the picture's base name, taken from the record's
// path with or without a folder.
TEST(InfoOverlayTest, TimeTextEndsWithTheBaseName)
{
    PictureInfoRecord record;
    record.captureTime = {2008, 12, 3, 31, 12, 34, 5, 0};
    record.SetPathText(QStringLiteral("D:\\pics\\20081231_1234_extra.jpg"));
    EXPECT_EQ(InfoOverlay::TimeText(record), QStringLiteral("2008/12/31 12:34:05") +
                                                 QString(28, u' ') +
                                                 QStringLiteral("20081231_1234"));
    record.SetPathText(QStringLiteral("nofolderatall_long_name"));
    EXPECT_TRUE(InfoOverlay::TimeText(record).endsWith(QStringLiteral(" nofolderatall")));
}

// The view takes its size from resizes once a picture is loaded, and paints
// the displayed picture with the resolution text in white at the top left.
TEST_F(ViewLoadTest, PaintsTheDisplayedPictureWithTheOverlay)
{
    PictureInfoRecord record;
    record.captureResolutionCode = ResolutionCode(640, 480);
    view.SetInfoRecord(&record);
    view.show();
    view.resize(640, 512);
    EXPECT_EQ(view.ViewSize(), QSize(640, 480));
    ASSERT_TRUE(view.LoadPicture(Sample("20081231_1235.bmp")));
    EXPECT_EQ(view.ViewSize(), QSize(640, 512));
    EXPECT_EQ(view.PictureSize(), QSize(1280, 1024));
    EXPECT_EQ(view.History().Count(), 1);
    const QImage shown = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage displayed = view.DisplayedPicture().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), QSize(640, 512));
    EXPECT_TRUE(shown.copy(0, 40, 640, 432) == displayed.copy(0, 40, 640, 432));
    int text = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 80; ++x)
            text += shown.pixel(x, y) == qRgb(255, 255, 255) &&
                    displayed.pixel(x, y) != shown.pixel(x, y);
    EXPECT_GT(text, 0) << "resolution text at the top left";
    view.resize(980, 720);
    EXPECT_EQ(view.ViewSize(), QSize(980, 720));
}

} // namespace
