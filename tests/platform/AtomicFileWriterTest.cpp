#include "platform/AtomicFileWriter.h"
#include "platform/FileErrorReason.h"
#include "platform/PrivateTempFolder.h"

#include "FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray Contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Put(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

mode_t ModeOf(const QString& path)
{
    struct stat state
    {};
    return ::lstat(QFile::encodeName(path).constData(), &state) == 0 ? state.st_mode & 07777 : 0;
}

class AtomicFileWriterTest : public ::testing::Test
{
  protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString Path(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
};

// A planted link is replaced, never written through.
TEST_F(AtomicFileWriterTest, ReplacesContentsAndKeepsTheOldFilesPermissionsButNotLinks)
{
    const QString path = Path("a.bin");
    Put(path, "old contents, longer than the new ones");
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);
    AtomicFileWriter writer(path);
    writer.SetNewFileMode(0600);
    ASSERT_TRUE(writer.Write("new")) << writer.ErrorString().toStdString();
    EXPECT_EQ(Contents(path), "new");
    EXPECT_EQ(ModeOf(path), 0640u);
    EXPECT_TRUE(writer.ErrorString().isEmpty());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"a.bin"});

    AtomicFileWriter fresh(Path("b.bin"));
    fresh.SetNewFileMode(0600);
    ASSERT_TRUE(fresh.Write(QByteArray(3 << 20, 'x'))); // more than one write call
    EXPECT_EQ(Contents(Path("b.bin")).size(), 3 << 20);
    EXPECT_EQ(ModeOf(Path("b.bin")), 0600u);

    const QString victim = Path("victim");
    Put(victim, "precious");
    const QString link = Path("Lumvex.bmp");
    ASSERT_TRUE(QFile::link(victim, link));
    ASSERT_TRUE(AtomicFileWriter(link).Write("picture"));
    EXPECT_EQ(Contents(victim), "precious");
    EXPECT_FALSE(QFileInfo(link).isSymLink());
    EXPECT_EQ(Contents(link), "picture");
}

// Every refusal gives the system's reason for the cause and leaves the folder
// as it was: the old file whole, no temporary file behind.
TEST_F(AtomicFileWriterTest, FailuresKeepTheOldFileAndSayWhy)
{
    const auto mode = [](const QString& path, mode_t bits) {
        ::chmod(QFile::encodeName(path).constData(), bits);
    };
    const QString tooLong(250, u'x'); // no room for a temporary name beside it
    struct Case
    {
        const char* name;
        std::function<QString(const QDir& folder)> prepare; // returns the target
        int expected;
        rlim_t sizeLimit = RLIM_INFINITY;
    };
    const Case cases[] = {
        {"target is a folder",
         [](const QDir& d) {
             d.mkdir("folder");
             return d.filePath("folder");
         },
         EISDIR},
        {"folder missing", [](const QDir& d) { return d.filePath("none/a.bin"); }, ENOENT},
        {"read-only file",
         [&](const QDir& d) {
             mode(d.filePath("a.bin"), 0444);
             return d.filePath("a.bin");
         },
         EACCES},
        {"read-only folder",
         [&](const QDir& d) {
             mode(d.path(), 0555);
             return d.filePath("a.bin");
         },
         EACCES},
        {"name too long",
         [&](const QDir& d) {
             Put(d.filePath(tooLong), "old");
             return d.filePath(tooLong);
         },
         ENAMETOOLONG},
        {"short write", [](const QDir& d) { return d.filePath("a.bin"); }, EFBIG, 1000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(QDir(dir.path()).mkdir(c.name));
        const QDir folder(Path(c.name));
        Put(folder.filePath("a.bin"), "old");
        AtomicFileWriter writer(c.prepare(folder));
        const auto files = [&] {
            QStringList all;
            for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System))
                all << name.left(8) + "=" + Contents(folder.filePath(name));
            return all;
        };
        const QStringList before = files();
        bool written = true;
        {
            FileSizeLimit limit(c.sizeLimit);
            written = writer.Write(QByteArray(4096, 'n'));
        }
        mode(folder.path(), 0755);
        EXPECT_FALSE(written);
        EXPECT_EQ(writer.ErrorString(), FileErrorReason::FromCode(c.expected).text);
        EXPECT_EQ(files(), before);
    }
}

TEST(PrivateTempFolderTest, IsOwnerOnlyAndRefusesWhatOthersPlaced)
{
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    const QString folder = temp.filePath("private");
    QString reason;

    ASSERT_TRUE(PrivateTempFolder::Prepare(folder, &reason)) << reason.toStdString();
    EXPECT_EQ(ModeOf(folder), 0700u);
    // Our own folder with loose permissions is tightened, not refused.
    ::chmod(QFile::encodeName(folder).constData(), 0777);
    ASSERT_TRUE(PrivateTempFolder::Prepare(folder, &reason));
    EXPECT_EQ(ModeOf(folder), 0700u);

    // A link placed where the folder would be is not followed.
    const QString elsewhere = temp.filePath("elsewhere");
    ASSERT_TRUE(QDir(temp.path()).mkdir("elsewhere"));
    ::chmod(QFile::encodeName(elsewhere).constData(), 0777);
    const QString planted = temp.filePath("planted");
    ASSERT_TRUE(QFile::link(elsewhere, planted));
    EXPECT_FALSE(PrivateTempFolder::Prepare(planted, &reason));
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_EQ(ModeOf(elsewhere), 0777u);

    // So is a file, and a folder that belongs to someone else.
    Put(temp.filePath("file"), "x");
    EXPECT_FALSE(PrivateTempFolder::Prepare(temp.filePath("file"), &reason));
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(QFile::encodeName(elsewhere).constData(), 65534, 65534), 0);
        EXPECT_FALSE(PrivateTempFolder::Prepare(elsewhere, &reason));
        EXPECT_EQ(ModeOf(elsewhere), 0777u);
    }
}

} // namespace
