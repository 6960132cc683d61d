#pragma once

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

// A session bus daemon of a test's own, gone with the test. The address is
// empty when no daemon could be started.
class PrivateDbusDaemon
{
  public:
    PrivateDbusDaemon()
    {
        daemon.start(QStringLiteral("dbus-daemon"),
                     {QStringLiteral("--session"), QStringLiteral("--nofork"),
                      QStringLiteral("--print-address"),
                      QStringLiteral("--address=unix:dir=") + folder.path()});
        if (!daemon.waitForStarted(5000))
            return;
        while (!daemon.canReadLine() && daemon.waitForReadyRead(5000)) {
        }
        address = QString::fromLocal8Bit(daemon.readLine()).trimmed();
    }
    ~PrivateDbusDaemon()
    {
        daemon.terminate();
        if (!daemon.waitForFinished(3000))
            daemon.kill();
    }

    QTemporaryDir folder;
    QProcess daemon;
    QString address;
};
