#include "platform/SettingsStore.h"

#include "platform/AtomicFileWriter.h"
#include "platform/FileErrorReason.h"
#include "platform/PrivateTempFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <algorithm>
#include <cerrno>

QString SettingsStore::DefaultPath()
{
    const QByteArray overridePath = qgetenv("LUMVEX_SETTINGS");
    if (!overridePath.isEmpty())
        return QString::fromLocal8Bit(overridePath);
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Lumvex/Lumvex.ini");
}

SettingsStore::SettingsStore(QString path) : path(std::move(path)) {}

bool SettingsStore::IsOpen() const
{
    if (path.isEmpty())
        return false;
    QFileInfo info(path);
    if (info.exists())
        return info.isFile() && info.isReadable();
    // Creating the key means the folder can take the file.
    QFileInfo folder(info.absolutePath());
    return folder.isDir() && folder.isWritable();
}

bool SettingsStore::Read(const QString& name, void* buffer, int size) const
{
    if (!IsOpen())
        return false;
    QSettings settings(path, QSettings::IniFormat);
    if (settings.status() != QSettings::NoError)
        return false;
    const QVariant value = settings.value(name);
    if (!value.isValid())
        return true;
    const QByteArray bytes = value.toByteArray();
    std::memcpy(buffer, bytes.constData(), size_t(std::min<qsizetype>(bytes.size(), size)));
    return true;
}

bool SettingsStore::Write(const QString& name, const void* data, int size)
{
    error.clear();
    if (path.isEmpty())
        return Fail(FileErrorReason::FromCode(ENOENT).text);
    QFileInfo info(path);
    if (!info.exists()) {
        // Create-or-open: make the folder of the key, as the registry would.
        if (!QDir().mkpath(info.absolutePath()))
            return Fail(FileErrorReason::FromCode(EACCES).text);
    }
    if (!IsOpen())
        return Fail(FileErrorReason::FromCode(EACCES).text);

    // The settings class writes its own files without checking every write, so
    // it only composes the new contents, in a private scratch copy; the key is
    // then replaced by the checked writer.
    QByteArray current;
    if (info.exists()) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return Fail(file.errorString());
        current = file.readAll();
        if (file.error() != QFileDevice::NoError)
            return Fail(file.errorString());
    }
    QString reason;
    const QString scratchFolder = PrivateTempFolder::Path(&reason);
    if (scratchFolder.isEmpty())
        return Fail(reason);
    QTemporaryFile scratch(scratchFolder + QStringLiteral("/settings-XXXXXX.ini"));
    if (!scratch.open())
        return Fail(scratch.errorString());
    scratch.close();
    // The copy is padded with blank space for the new value (at most four
    // characters a byte once escaped), so that a folder without room fails
    // here, with the system's reason, rather than inside the settings class.
    {
        const QByteArray padding(4 * qsizetype(size) + 2 * name.size() + 64, ' ');
        AtomicFileWriter copy(scratch.fileName());
        copy.SetNewFileMode(0600);
        copy.SetFlushToDisk(false);
        if (!copy.Write(current + '\n' + padding))
            return Fail(copy.ErrorString());
    }

    const QByteArray value(static_cast<const char*>(data), size);
    QStringList keys;
    {
        QSettings composer(scratch.fileName(), QSettings::IniFormat);
        keys = composer.allKeys();
        composer.setValue(name, value);
        composer.sync();
        if (composer.status() != QSettings::NoError)
            return Fail(FileErrorReason::FromCode(EIO).text);
    }
    QFile composed(scratch.fileName());
    if (!composed.open(QIODevice::ReadOnly))
        return Fail(composed.errorString());
    const QByteArray bytes = composed.readAll();

    // A copy cut short would lose other values: the bytes are read back under a
    // name the settings class has not seen, so that it parses them afresh.
    QTemporaryFile verify(scratchFolder + QStringLiteral("/settings-XXXXXX.ini"));
    if (!verify.open() || verify.write(bytes) != bytes.size() || !verify.flush())
        return Fail(verify.errorString());
    verify.close();
    QSettings check(verify.fileName(), QSettings::IniFormat);
    const QStringList written = check.allKeys();
    const bool complete = check.status() == QSettings::NoError &&
                          check.value(name).toByteArray() == value &&
                          std::all_of(keys.cbegin(), keys.cend(),
                                      [&](const QString& key) { return written.contains(key); });
    if (!complete)
        return Fail(FileErrorReason::FromCode(EIO).text);

    AtomicFileWriter writer(path);
    if (!writer.Write(bytes))
        return Fail(writer.ErrorString());
    return true;
}

bool SettingsStore::Fail(const QString& reason)
{
    error = reason;
    return false;
}
