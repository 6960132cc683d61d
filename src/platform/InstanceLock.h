#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

// Keeps a second editor from opening a picture of the same base name. The lock
// file lives in the runtime folder and is freed by the system when the
// process dies; a stale lock left by a crash is taken over.
class InstanceLock
{
  public:
    // The folder of the lock files; LUMVEX_LOCK_DIR overrides it (tests).
    static QString LockFolder();

    explicit InstanceLock(const QString& instanceName);
    ~InstanceLock();

    // False when another running process holds the lock of this name. An empty
    // name takes no lock and always succeeds.
    bool TryLock();

  private:
    QString name;
    std::unique_ptr<QLockFile> lock;
};
