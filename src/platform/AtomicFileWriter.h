#pragma once

#include <QByteArray>
#include <QString>

// Replaces a file with new contents in one step. The bytes go to a new file
// beside the target, created exclusively (never through a link someone placed
// there); every write, the flush to disk and the rename are checked. On any
// failure the old file is left as it was and ErrorString() gives the system's
// reason ("No space left on device").
class AtomicFileWriter
{
  public:
    explicit AtomicFileWriter(QString path);

    // Permission bits for a file that does not exist yet (the umask applies);
    // an existing file keeps its own.
    void SetNewFileMode(unsigned mode) { newFileMode = mode; }

    // Whether the new contents reach the disk before they replace the old
    // ones (so a power cut leaves one or the other); scratch files skip it.
    void SetFlushToDisk(bool flush) { flushToDisk = flush; }

    bool Write(const QByteArray& bytes);

    // The reason of the last failure, empty after a success.
    const QString& ErrorString() const { return error; }

  private:
    bool Fail(int code);

    QString path;
    unsigned newFileMode = 0666;
    bool flushToDisk = true;
    QString error;
};
