#include "platform/FileErrorReason.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstring>

FileErrorReason FileErrorReason::FromCode(int code)
{
    return {unsigned(code), QString::fromLocal8Bit(std::strerror(code))};
}

FileErrorReason FileErrorReason::IsFolder()
{
    return FromCode(EISDIR);
}

FileErrorReason FileErrorReason::NoAccess()
{
    return FromCode(EACCES);
}

FileErrorReason FileErrorReason::NoMemory()
{
    return FromCode(ENOMEM);
}

FileErrorReason FileErrorReason::OpeningForReading(const QString& path)
{
    // QFile keeps no errno; opening with the C library tells the real reason.
    errno = 0;
    if (FILE* f = std::fopen(QFile::encodeName(path).constData(), "rb"))
        std::fclose(f);
    return FromCode(errno ? errno : ENOENT);
}
