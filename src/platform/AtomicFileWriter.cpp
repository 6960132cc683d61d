#include "platform/AtomicFileWriter.h"
#include "platform/FileErrorReason.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr mode_t AnyWrite = S_IWUSR | S_IWGRP | S_IWOTH;
// Large writes go in slices so that one call never asks for more than the
// system hands out at once.
constexpr size_t WriteSlice = size_t(1) << 20;

QByteArray TemporaryName(const QByteArray& target)
{
    const quint64 tag = QRandomGenerator::global()->generate64();
    return target + ".tmp-" + QByteArray::number(tag, 36);
}

} // namespace

AtomicFileWriter::AtomicFileWriter(QString path) : path(std::move(path)) {}

bool AtomicFileWriter::Fail(int code)
{
    error = FileErrorReason::FromCode(code).text;
    return false;
}

bool AtomicFileWriter::Write(const QByteArray& bytes)
{
    error.clear();
    if (path.isEmpty())
        return Fail(ENOENT);
    const QByteArray target = QFile::encodeName(path);
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());

    // Write bits are honoured even where the process could ignore them, so a
    // read-only file or folder is never replaced.
    struct stat folderState
    {};
    if (::stat(folder.constData(), &folderState) != 0)
        return Fail(errno);
    if (!S_ISDIR(folderState.st_mode))
        return Fail(ENOTDIR);
    if (!(folderState.st_mode & AnyWrite))
        return Fail(EACCES);

    mode_t mode = newFileMode;
    bool keepMode = false;
    struct stat old
    {};
    if (::lstat(target.constData(), &old) == 0) {
        if (S_ISDIR(old.st_mode))
            return Fail(EISDIR);
        if (S_ISREG(old.st_mode)) {
            if (!(old.st_mode & AnyWrite))
                return Fail(EACCES);
            mode = old.st_mode & 07777;
            keepMode = true;
        }
    }

    QByteArray temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 16; ++attempt) {
        temporary = TemporaryName(target);
        fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                    mode);
        if (fd < 0 && errno != EEXIST)
            return Fail(errno);
    }
    if (fd < 0)
        return Fail(EEXIST);

    auto abandon = [&](int code) {
        ::close(fd);
        ::unlink(temporary.constData());
        return Fail(code);
    };
    if (keepMode && ::fchmod(fd, mode) != 0)
        return abandon(errno);

    const char* data = bytes.constData();
    size_t left = size_t(bytes.size());
    while (left > 0) {
        const ssize_t written = ::write(fd, data, std::min(left, WriteSlice));
        if (written < 0 && errno == EINTR)
            continue;
        // A write that stores nothing without an error means the device is full.
        if (written <= 0)
            return abandon(written < 0 ? errno : ENOSPC);
        data += written;
        left -= size_t(written);
    }
    if (flushToDisk && ::fdatasync(fd) != 0)
        return abandon(errno);
    if (::close(fd) != 0) {
        const int code = errno;
        ::unlink(temporary.constData());
        return Fail(code);
    }
    if (::rename(temporary.constData(), target.constData()) != 0) {
        const int code = errno;
        ::unlink(temporary.constData());
        return Fail(code);
    }
    return true;
}
