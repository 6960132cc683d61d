#include "output/CClipboardOutput.h"
#include "platform/ByteCodec.h"

#include "FileSizeLimit.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Points the system temporary folder at a folder of the test's own.
class TemporaryFolder
{
  public:
    explicit TemporaryFolder(const QString& path)
        : wasSet(qEnvironmentVariableIsSet("TMPDIR")), saved(qgetenv("TMPDIR"))
    {
        qputenv("TMPDIR", path.toLocal8Bit());
    }
    ~TemporaryFolder()
    {
        if (wasSet)
            qputenv("TMPDIR", saved);
        else
            qunsetenv("TMPDIR");
    }

  private:
    bool wasSet;
    QByteArray saved;
};

QString PrivateFolder()
{
    return QDir(QDir::tempPath()).filePath(QStringLiteral("lumvex-%1").arg(::geteuid()));
}

mode_t ModeOf(const QString& path)
{
    struct stat state
    {};
    return ::lstat(QFile::encodeName(path).constData(), &state) == 0 ? state.st_mode & 07777 : 0;
}

class ClipboardTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
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
    CClipboardOutput output;
    QStringList warnings;
    QStringList failures;
};

TEST_F(ClipboardTest, CopyFileOffersTheFileForAFileManager)
{
    const QString path = dir.filePath("20081231_1234.jpg");
    ASSERT_TRUE(output.CopyFile(path));

    const QMimeData* data = Clipboard();
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->hasFormat("text/uri-list"));
    ASSERT_EQ(data->urls().size(), 1);
    EXPECT_EQ(data->urls().first().toLocalFile(), path);
    EXPECT_EQ(data->data("x-special/gnome-copied-files"),
              "copy\n" + QUrl::fromLocalFile(path).toEncoded());
    EXPECT_EQ(data->text(), path);
    EXPECT_TRUE(warnings.isEmpty());
}

TEST_F(ClipboardTest, CopyFileEncodesUnusualCharactersInTheUrl)
{
    const QString path = QStringLiteral("/pics/my pictures/übung/20081231_1234.jpg");
    ASSERT_TRUE(output.CopyFile(path));
    const QByteArray gnome = Clipboard()->data("x-special/gnome-copied-files");
    EXPECT_EQ(gnome, "copy\nfile:///pics/my%20pictures/%C3%BCbung/20081231_1234.jpg");
    EXPECT_EQ(Clipboard()->urls().first().toLocalFile(), path);
}

TEST_F(ClipboardTest, CopyPictureOffersABmpFileAndAnImageAndLeavesAPrivateTemporaryFile)
{
    TemporaryFolder temp(dir.path()); // no final separator
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(Qt::white);
    picture.setPixel(5, 7, qRgb(255, 0, 0));
    ASSERT_TRUE(output.CopyPicture(picture));

    const QString folder = PrivateFolder();
    EXPECT_EQ(CClipboardOutput::TemporaryPicturePath(), folder + "/Lumvex.bmp");
    EXPECT_EQ(ModeOf(folder), 0700u);
    EXPECT_EQ(ModeOf(folder + "/Lumvex.bmp"), 0600u);
    QFile file(folder + "/Lumvex.bmp");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bmp = file.readAll();

    const QMimeData* data = Clipboard();
    ASSERT_NE(data, nullptr);
    // The whole file, header included: what programs here expect as image/bmp.
    EXPECT_EQ(data->data("image/bmp"), bmp);
    ASSERT_GE(bmp.size(), 54);
    EXPECT_TRUE(bmp.startsWith("BM"));
    const auto* p = reinterpret_cast<const uint8_t*>(bmp.constData()) + 14;
    EXPECT_EQ(ByteCodec::GetU32(p), 40u);
    EXPECT_EQ(ByteCodec::GetI32(p + 4), 64);
    EXPECT_EQ(std::abs(ByteCodec::GetI32(p + 8)), 48);
    EXPECT_EQ(QImage::fromData(bmp, "BMP").convertToFormat(QImage::Format_RGB32), picture);

    ASSERT_TRUE(data->hasImage());
    const QImage pasted = qvariant_cast<QImage>(data->imageData());
    EXPECT_EQ(pasted.pixel(5, 7), qRgb(255, 0, 0));
    EXPECT_EQ(pasted.pixel(6, 7), qRgb(255, 255, 255));
    EXPECT_TRUE(warnings.isEmpty());
    EXPECT_TRUE(failures.isEmpty());
}

// Links another user could plant, at the old shared place of the file and at
// the place of the private folder: none is followed and their targets stay.
TEST_F(ClipboardTest, PlantedLinksAreNeverFollowed)
{
    TemporaryFolder temp(dir.path());
    QTemporaryDir victims;
    ASSERT_TRUE(victims.isValid());
    const QString victim = victims.filePath("victim");
    {
        QFile file(victim);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("precious");
    }
    ASSERT_TRUE(QFile::link(victim, dir.filePath("Lumvex.bmp")));
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::black);
    ASSERT_TRUE(output.CopyPicture(picture));
    // A link placed inside the folder is replaced, not written through.
    ASSERT_TRUE(QFile::remove(PrivateFolder() + "/Lumvex.bmp"));
    ASSERT_TRUE(QFile::link(victim, PrivateFolder() + "/Lumvex.bmp"));
    ASSERT_TRUE(output.CopyPicture(picture));
    EXPECT_FALSE(QFileInfo(PrivateFolder() + "/Lumvex.bmp").isSymLink());

    // The private folder's place taken by a link to a folder open to all:
    // nothing is written there, and the copy fails with a reason.
    ASSERT_TRUE(QDir(PrivateFolder()).removeRecursively());
    ASSERT_TRUE(QFile::link(victims.path(), PrivateFolder()));
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    qunsetenv("XDG_RUNTIME_DIR");
    EXPECT_FALSE(output.CopyPicture(picture));
    qputenv("XDG_RUNTIME_DIR", runtime);
    EXPECT_EQ(failures.size(), 1);

    EXPECT_EQ(QDir(victims.path()).entryList(QDir::Files), QStringList{"victim"});
    QFile file(victim);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "precious");
}

TEST_F(ClipboardTest, RefusingClipboardShowsTheWarning)
{
    TemporaryFolder temp(dir.path());
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

// The temporary file cannot be written (here a folder in its place, or a
// write cut short): the clipboard stays empty, the old file stays, and the
// system's reason is reported.
TEST_F(ClipboardTest, UnwritableTemporaryFileLeavesTheClipboardEmptyAndSaysWhy)
{
    TemporaryFolder temp(dir.path());
    QImage picture(40, 40, QImage::Format_RGB32);
    picture.fill(Qt::black);
    ASSERT_TRUE(output.CopyPicture(picture));
    const QString path = PrivateFolder() + "/Lumvex.bmp";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

    ASSERT_TRUE(output.CopyFile("/pics/20081231_1234.jpg"));
    picture.fill(Qt::white);
    {
        FileSizeLimit limit(100);
        EXPECT_FALSE(output.CopyPicture(picture));
    }
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
    file.close();

    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QDir().mkdir(path));
    EXPECT_FALSE(output.CopyPicture(picture));

    const QMimeData* data = Clipboard();
    EXPECT_TRUE(!data || data->formats().isEmpty());
    EXPECT_TRUE(warnings.isEmpty());
    EXPECT_EQ(failures, QStringList({path + "|" + QString::fromLocal8Bit(strerror(EFBIG)),
                                     path + "|" + QString::fromLocal8Bit(strerror(EISDIR))}));
}

} // namespace
