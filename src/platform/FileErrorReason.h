#pragma once

#include <QString>

// Why a file could not be used: the system's error code and its own wording.
class FileErrorReason
{
  public:
    unsigned code = 0;
    QString text;

    static FileErrorReason FromCode(int code);
    static FileErrorReason IsFolder();
    static FileErrorReason NoAccess();
    static FileErrorReason NoMemory();

    // Why the file at path cannot be opened for reading ("not found" when the
    // system gives no reason).
    static FileErrorReason OpeningForReading(const QString& path);
};
