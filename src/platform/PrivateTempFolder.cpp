#include "platform/PrivateTempFolder.h"

#include "platform/FileErrorReason.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool Refuse(QString* reason, int code)
{
    if (reason)
        *reason = FileErrorReason::FromCode(code).text;
    return false;
}

} // namespace

bool PrivateTempFolder::Prepare(const QString& folder, QString* reason)
{
    const QByteArray name = QFile::encodeName(folder);
    if (::mkdir(name.constData(), 0700) != 0 && errno != EEXIST)
        return Refuse(reason, errno);
    // Opened without following a link, then judged by what was opened, so the
    // folder cannot be swapped between the check and its use.
    const int fd = ::open(name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return Refuse(reason, errno == ELOOP ? EPERM : errno);
    struct stat state
    {};
    bool ok = ::fstat(fd, &state) == 0;
    int code = ok ? 0 : errno;
    if (ok && state.st_uid != ::geteuid()) {
        ok = false;
        code = EPERM;
    }
    if (ok && (state.st_mode & 077) && ::fchmod(fd, 0700) != 0) {
        ok = false;
        code = errno;
    }
    ::close(fd);
    return ok || Refuse(reason, code);
}

QString PrivateTempFolder::Path(QString* reason)
{
    QStringList candidates{
        QDir(QDir::tempPath()).filePath(QStringLiteral("lumvex-%1").arg(::geteuid()))};
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty())
        candidates << QDir(runtime).filePath(QStringLiteral("lumvex"));
    QString firstReason;
    for (const QString& folder : candidates) {
        QString why;
        if (Prepare(folder, &why))
            return folder;
        if (firstReason.isEmpty())
            firstReason = why;
    }
    if (reason)
        *reason = firstReason;
    return {};
}
