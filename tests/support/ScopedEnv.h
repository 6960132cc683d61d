#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <optional>

// Sets an environment variable, or removes it when given no value, for one
// scope; the old state comes back at its end.
class ScopedEnv
{
  public:
    ScopedEnv(const char* name, const std::optional<QByteArray>& value) : name(name)
    {
        if (qEnvironmentVariableIsSet(name))
            saved = qgetenv(name);
        Set(value);
    }
    ~ScopedEnv() { Set(saved); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

  private:
    void Set(const std::optional<QByteArray>& value)
    {
        if (value)
            qputenv(name, *value);
        else
            qunsetenv(name);
    }

    const char* name;
    std::optional<QByteArray> saved;
};
