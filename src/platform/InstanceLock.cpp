#include "platform/InstanceLock.h"

#include <QCryptographicHash>
#include <QDir>
#include <QStandardPaths>

QString InstanceLock::LockFolder()
{
    const QByteArray overridePath = qgetenv("LUMVEX_LOCK_DIR");
    if (!overridePath.isEmpty())
        return QString::fromLocal8Bit(overridePath);
    // Without a session's runtime folder the temporary folder serves; asking
    // Qt for the runtime location would only print a warning and pick /tmp.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return QDir::tempPath();
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
}

InstanceLock::InstanceLock(const QString& instanceName) : name(instanceName) {}

InstanceLock::~InstanceLock() = default;

bool InstanceLock::TryLock()
{
    if (name.isEmpty())
        return true;
    QDir().mkpath(LockFolder());
    // The name comes from a command line and may hold any character; a hash
    // keeps the file name valid while staying one lock per name.
    const QByteArray digest =
        QCryptographicHash::hash(name.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    lock = std::make_unique<QLockFile>(LockFolder() + QStringLiteral("/lumveximgedt-") +
                                       QString::fromLatin1(digest) + QStringLiteral(".lock"));
    lock->setStaleLockTime(0);
    if (lock->tryLock(0))
        return true;
    lock.reset();
    return false;
}
