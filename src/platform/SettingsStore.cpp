#include "platform/SettingsStore.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <algorithm>

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
    if (path.isEmpty())
        return false;
    QFileInfo info(path);
    if (!info.exists()) {
        // Create-or-open: make the folder of the key, as the registry would.
        if (!QDir().mkpath(info.absolutePath()))
            return false;
    }
    if (!IsOpen())
        return false;
    QSettings settings(path, QSettings::IniFormat);
    settings.setValue(name, QByteArray(static_cast<const char*>(data), size));
    // QSettings writes through a temporary file and renames it into place.
    settings.sync();
    return settings.status() == QSettings::NoError;
}
