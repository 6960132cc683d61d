#include "platform/AtomicFileWriter.h"
#include "platform/FileErrorReason.h"
#include "platform/PrivateTempFolder.h"

#include "FileSizeLimit.h"
#include "TestFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <tuple>
#include <unistd.h>

using TestFiles::ModeOf;
using TestFiles::Read;

namespace {

void Chmod(const QString& path, mode_t mode)
{
    ::chmod(QFile::encodeName(path).constData(), mode);
}

// The old file's permissions stay, a new file gets the mode asked for, a
// planted link is replaced and never written through.
TEST(AtomicFileWriterTest, ReplacesContentsAndKeepsTheOldFilesPermissionsButNotLinks)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.bin");
    ASSERT_TRUE(TestFiles::Write(path, "old contents, longer than the new ones"));
    Chmod(path, 0640);
    AtomicFileWriter writer(path);
    writer.SetNewFileMode(0600);
    ASSERT_TRUE(writer.Write("new")) << writer.ErrorString().toStdString();
    EXPECT_EQ(Read(path), "new");
    EXPECT_EQ(ModeOf(path), 0640u);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"a.bin"});

    AtomicFileWriter fresh(dir.filePath("b.bin"));
    fresh.SetNewFileMode(0600);
    ASSERT_TRUE(fresh.Write(QByteArray(3 << 20, 'x'))); // more than one write call
    EXPECT_EQ(Read(dir.filePath("b.bin")).size(), 3 << 20);
    EXPECT_EQ(ModeOf(dir.filePath("b.bin")), 0600u);

    const QString victim = dir.filePath("victim"), link = dir.filePath("Lumvex.bmp");
    ASSERT_TRUE(TestFiles::Write(victim, "precious"));
    ASSERT_TRUE(QFile::link(victim, link));
    ASSERT_TRUE(AtomicFileWriter(link).Write("picture"));
    EXPECT_EQ(Read(victim), "precious");
    EXPECT_FALSE(QFileInfo(link).isSymLink());
    EXPECT_EQ(Read(link), "picture");
}

// Every refusal gives the system's reason for the cause and leaves the folder
// as it was: the old file whole, no temporary file behind. Each case's folder
// holds a.bin, a folder "sub" and a file whose name leaves no room for a
// temporary name beside it.
TEST(AtomicFileWriterTest, FailuresKeepTheOldFileAndSayWhy)
{
    QTemporaryDir dir;
    const QString tooLong(250, u'x');
    // what, target (none: the long name), what is made read-only, reason, file size limit
    const std::tuple<const char*, const char*, const char*, int, rlim_t> cases[] = {
        {"target is a folder", "sub", nullptr, EISDIR, RLIM_INFINITY},
        {"folder missing", "none/a.bin", nullptr, ENOENT, RLIM_INFINITY},
        {"read-only file", "a.bin", "a.bin", EACCES, RLIM_INFINITY},
        {"read-only folder", "a.bin", ".", EACCES, RLIM_INFINITY},
        {"name too long", nullptr, nullptr, ENAMETOOLONG, RLIM_INFINITY},
        {"short write", "a.bin", nullptr, EFBIG, 1000}};
    for (const auto& [name, target, readOnly, expected, sizeLimit] : cases) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("%1/sub").arg(name)));
        const QDir folder(dir.filePath(name));
        for (const QString& name : {QStringLiteral("a.bin"), tooLong})
            ASSERT_TRUE(TestFiles::Write(folder.filePath(name), "old"));
        const auto files = [&] {
            QStringList all;
            for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System))
                all << name.left(8) + "=" + Read(folder.filePath(name));
            return all;
        };
        const QStringList before = files();
        if (readOnly)
            Chmod(folder.filePath(readOnly), 0555);
        AtomicFileWriter writer(folder.filePath(target ? QString(target) : tooLong));
        bool written = true;
        {
            FileSizeLimit limit(sizeLimit);
            written = writer.Write(QByteArray(4096, 'n'));
        }
        if (readOnly)
            Chmod(folder.filePath(readOnly), 0755);
        EXPECT_FALSE(written);
        EXPECT_EQ(writer.ErrorString(), FileErrorReason::FromCode(expected).text);
        EXPECT_EQ(files(), before);
    }
}

// Owner only; our own loose folder is tightened; a link, a file or a folder
// of someone else's in its place is refused and left as it was.
TEST(PrivateTempFolderTest, IsOwnerOnlyAndRefusesWhatOthersPlaced)
{
    QTemporaryDir temp;
    const QString folder = temp.filePath("private");
    QString reason;
    ASSERT_TRUE(PrivateTempFolder::Prepare(folder, &reason)) << reason.toStdString();
    EXPECT_EQ(ModeOf(folder), 0700u);
    Chmod(folder, 0777);
    ASSERT_TRUE(PrivateTempFolder::Prepare(folder, &reason));
    EXPECT_EQ(ModeOf(folder), 0700u);

    const QString elsewhere = temp.filePath("elsewhere"), planted = temp.filePath("planted");
    ASSERT_TRUE(QDir(temp.path()).mkdir("elsewhere"));
    Chmod(elsewhere, 0777);
    ASSERT_TRUE(QFile::link(elsewhere, planted));
    EXPECT_FALSE(PrivateTempFolder::Prepare(planted, &reason));
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_EQ(ModeOf(elsewhere), 0777u);

    ASSERT_TRUE(TestFiles::Write(temp.filePath("file"), "x"));
    EXPECT_FALSE(PrivateTempFolder::Prepare(temp.filePath("file"), &reason));
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(QFile::encodeName(elsewhere).constData(), 65534, 65534), 0);
        EXPECT_FALSE(PrivateTempFolder::Prepare(elsewhere, &reason));
        EXPECT_EQ(ModeOf(elsewhere), 0777u);
    }
}

} // namespace
