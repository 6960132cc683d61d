#include "output/CClipboardOutput.h"
#include "platform/ByteCodec.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

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

class ClipboardTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        output.warn = [this](const QString& caption, const QString& text) {
            warnings << caption + "|" + text;
        };
        QGuiApplication::clipboard()->clear();
    }

    const QMimeData* Clipboard() const { return QGuiApplication::clipboard()->mimeData(); }

    QTemporaryDir dir;
    CClipboardOutput output;
    QStringList warnings;
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

TEST_F(ClipboardTest, CopyPictureOffersADibAndAnImageAndLeavesTheTemporaryFile)
{
    TemporaryFolder temp(dir.path()); // no final separator
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(Qt::white);
    picture.setPixel(5, 7, qRgb(255, 0, 0));
    ASSERT_TRUE(output.CopyPicture(picture));

    EXPECT_EQ(CClipboardOutput::TemporaryPicturePath(), dir.path() + "/Lumvex.bmp");
    QFile file(dir.path() + "/Lumvex.bmp");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bmp = file.readAll();

    const QMimeData* data = Clipboard();
    ASSERT_NE(data, nullptr);
    const QByteArray dib = data->data("image/bmp");
    EXPECT_EQ(dib, bmp.mid(14));
    ASSERT_GE(dib.size(), 40);
    const auto* p = reinterpret_cast<const uint8_t*>(dib.constData());
    EXPECT_EQ(ByteCodec::GetU32(p), 40u);
    EXPECT_EQ(ByteCodec::GetI32(p + 4), 64);
    EXPECT_EQ(std::abs(ByteCodec::GetI32(p + 8)), 48);

    ASSERT_TRUE(data->hasImage());
    const QImage pasted = qvariant_cast<QImage>(data->imageData());
    EXPECT_EQ(pasted.pixel(5, 7), qRgb(255, 0, 0));
    EXPECT_EQ(pasted.pixel(6, 7), qRgb(255, 255, 255));
    EXPECT_TRUE(warnings.isEmpty());
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

TEST_F(ClipboardTest, UnwritableTemporaryFileLeavesTheClipboardEmpty)
{
    ASSERT_TRUE(output.CopyFile("/pics/20081231_1234.jpg"));
    TemporaryFolder temp(dir.path());
    ASSERT_TRUE(QDir(dir.path()).mkdir("Lumvex.bmp"));
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::black);
    EXPECT_FALSE(output.CopyPicture(picture));
    const QMimeData* data = Clipboard();
    EXPECT_TRUE(!data || data->formats().isEmpty());
    EXPECT_TRUE(warnings.isEmpty());
}

} // namespace
