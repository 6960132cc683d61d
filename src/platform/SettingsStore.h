#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstring>

// The key shared with the capture program, kept as an INI file. Each value is
// a byte array holding exactly the bytes of its binary layout, at the top
// level of the file under its own name.
class SettingsStore
{
  public:
    // The file named by LUMVEX_SETTINGS, else <config>/Lumvex/Lumvex.ini.
    static QString DefaultPath();

    explicit SettingsStore(QString path = DefaultPath());

    const QString& Path() const { return path; }

    // Whether the key can be opened: the file exists and reads, or can be created.
    bool IsOpen() const;

    // Reads a value over a buffer that already holds its default: a missing value
    // leaves the buffer alone, a shorter one replaces only the bytes it covers, a
    // longer one is cut to the buffer. Returns false when the key cannot be opened.
    bool Read(const QString& name, void* buffer, int size) const;

    template <typename T> T ReadValue(const QString& name, T defaultValue) const
    {
        T value = defaultValue;
        Read(name, &value, int(sizeof(T)));
        return value;
    }

    // Writes the bytes as the value. The file is replaced atomically, every
    // write checked; on failure the file stays as it was and ErrorString() says
    // why.
    bool Write(const QString& name, const void* data, int size);
    const QString& ErrorString() const { return error; }

    template <typename T> bool WriteValue(const QString& name, const T& value)
    {
        return Write(name, &value, int(sizeof(T)));
    }

  private:
    bool Fail(const QString& reason);

    QString path;
    QString error;
};
