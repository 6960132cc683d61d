#include "output/CClipboardOutput.h"
#include "platform/ByteCodec.h"

#include "FileSizeLimit.h"
#include "ScopedEnv.h"
#include "TestFiles.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {

QString PrivateFolder()
{
    return QDir(QDir::tempPath()).filePath(QStringLiteral("lumvex-%1").arg(::geteuid()));
}

class ClipboardTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        output.warn = [this](const QString& caption, const QString& text) {
            warnings << caption + "|" + text;
        };
        output.writeFailed = [this](const QString& path, const QString& reason) {
            failures << path + "|" + reason;
        };
        QGuiApplication::clipboard()->clear();
    }

    const QMimeData* Clipboard() const { return QGuiApplication::clipboard()->mimeData(); }

    QTemporaryDir dir;
    const ScopedEnv temp{"TMPDIR", dir.path().toLocal8Bit()}; // no final separator
    CClipboardOutput output;
    QStringList warnings;
    QStringList failures;
};

// A file for a file manager, unusual characters percent-encoded in its format.
TEST_F(ClipboardTest, CopyFileAndCopyPictureOfferWhatOtherProgramsRead)
{
    const QString path = QStringLiteral("/pics/my pictures/übung/20081231_1234.jpg");
    ASSERT_TRUE(output.CopyFile(path));
    const QMimeData* data = Clipboard();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->urls(), QList<QUrl>{QUrl::fromLocalFile(path)});
    EXPECT_EQ(data->data("x-special/gnome-copied-files"),
              "copy\nfile:///pics/my%20pictures/%C3%BCbung/20081231_1234.jpg");
    EXPECT_EQ(data->text(), path);

    // A picture: a BMP file and an image, the file left in a private folder.
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(Qt::white);
    picture.setPixel(5, 7, qRgb(255, 0, 0));
    ASSERT_TRUE(output.CopyPicture(picture));

    const QString folder = PrivateFolder();
    EXPECT_EQ(CClipboardOutput::TemporaryPicturePath(), folder + "/Lumvex.bmp");
    EXPECT_EQ(TestFiles::ModeOf(folder + "/Lumvex.bmp"), 0600u);
    const QByteArray bmp = TestFiles::Read(folder + "/Lumvex.bmp");

    data = Clipboard();
    ASSERT_NE(data, nullptr);
    // The whole file, header included: what programs here expect as image/bmp.
    EXPECT_EQ(data->data("image/bmp"), bmp);
    EXPECT_EQ(ByteCodec::GetU32(reinterpret_cast<const uint8_t*>(bmp.constData()) + 14), 40u);
    EXPECT_EQ(QImage::fromData(bmp, "BMP").convertToFormat(QImage::Format_RGB32), picture);

    EXPECT_EQ(qvariant_cast<QImage>(data->imageData()), picture);
    EXPECT_TRUE(warnings.isEmpty());
    EXPECT_TRUE(failures.isEmpty());
}

// The private folder's place taken by a link another user planted, to a
// folder open to all: nothing is written there and the copy fails with a
// reason. (Links inside the folder are the checked writer's test.)
TEST_F(ClipboardTest, PlantedFolderLinkIsNeverFollowed)
{
    QTemporaryDir victims;
    ASSERT_TRUE(QFile::link(victims.path(), PrivateFolder()));
    const ScopedEnv runtime("XDG_RUNTIME_DIR", std::nullopt);
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::black);
    EXPECT_FALSE(output.CopyPicture(picture));
    EXPECT_EQ(failures.size(), 1);
    EXPECT_TRUE(QDir(victims.path()).isEmpty());
}

TEST_F(ClipboardTest, RefusingClipboardShowsTheWarning)
{
    output.setClipboard = [](QMimeData* data) {
        delete data;
        return false;
    };
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::black);
    EXPECT_FALSE(output.CopyPicture(picture));
    output.language = 1;
    EXPECT_FALSE(output.CopyPicture(picture));
    EXPECT_EQ(warnings, QStringList({"Warning|Not enough memory to complete the operation!",
                                     "警告|没有足够的内存完成此项操作!"}));
}

// A write of the temporary file cut short: the clipboard stays empty, the old
// file stays, and the system's reason is reported.
TEST_F(ClipboardTest, UnwritableTemporaryFileLeavesTheClipboardEmptyAndSaysWhy)
{
    QImage picture(40, 40, QImage::Format_RGB32);
    picture.fill(Qt::black);
    ASSERT_TRUE(output.CopyPicture(picture));
    const QString path = PrivateFolder() + "/Lumvex.bmp";
    const QByteArray before = TestFiles::Read(path);
    ASSERT_FALSE(before.isEmpty());

    ASSERT_TRUE(output.CopyFile("/pics/20081231_1234.jpg"));
    picture.fill(Qt::white);
    {
        FileSizeLimit limit(100);
        EXPECT_FALSE(output.CopyPicture(picture));
    }
    EXPECT_EQ(TestFiles::Read(path), before);
    const QMimeData* data = Clipboard();
    EXPECT_TRUE(!data || data->formats().isEmpty());
    EXPECT_TRUE(warnings.isEmpty());
    EXPECT_EQ(failures, QStringList({path + "|" + QString::fromLocal8Bit(strerror(EFBIG))}));
}

} // namespace
