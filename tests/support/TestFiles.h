#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <sys/stat.h>

// File helpers the tests share.
namespace TestFiles {

// The whole file, or empty when it cannot be read.
inline QByteArray Read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Creates or truncates the file; false unless all bytes were written.
inline bool Write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The permission bits of the path itself (a link is not followed); 0 if absent.
inline mode_t ModeOf(const QString& path)
{
    struct stat state
    {};
    return ::lstat(QFile::encodeName(path).constData(), &state) == 0 ? state.st_mode & 07777 : 0;
}

} // namespace TestFiles
