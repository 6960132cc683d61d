#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>

#include <memory>

class QDBusMessage;

// The three messages the editor shares with the capture program and with other
// editor instances, broadcast to every listener.
//
// On a D-Bus session bus they are signals of org.lumvex.Broadcast at
// /org/lumvex/Broadcast; every instance on the bus receives them. Without a
// bus they still reach this instance, so a single editor works the same.
class MessageBus : public QObject
{
    Q_OBJECT

  public:
    static constexpr const char* ObjectPath = "/org/lumvex/Broadcast";
    static constexpr const char* Interface = "org.lumvex.Broadcast";
    static constexpr const char* AdjustMagnificationName = "LumvexAdjustMagnificaton";
    static constexpr const char* SetMagnificationName = "LumvexSetMagnificaton";
    static constexpr const char* QuitName = "MessageInfoImgEditQuit";

    // Joins the session bus named by DBUS_SESSION_BUS_ADDRESS, if there is one.
    explicit MessageBus(QObject* parent = nullptr);
    // Joins the bus at this address; an empty address means no bus.
    explicit MessageBus(const QString& busAddress, QObject* parent = nullptr);
    ~MessageBus() override;

    // "LumvexAdjustMagnificaton" with the measured length of a calibration line.
    // This bus always receives its own post exactly once, after the caller returns.
    void PostAdjustMagnification(double value);
    // "LumvexSetMagnificaton": the capture magnification changed.
    void PostSetMagnification();
    // "MessageInfoImgEditQuit": asks editors without unsaved changes to close.
    void PostQuit();

    // True while the messages also travel over a D-Bus bus.
    bool IsConnected() const;

  signals:
    void AdjustMagnificationReceived(double value);
    void SetMagnificationReceived();
    void QuitReceived();

  private slots:
    void OnBusAdjustMagnification(const QDBusMessage& message);
    void OnBusSetMagnification(const QDBusMessage& message);
    void OnBusQuit(const QDBusMessage& message);

  private:
    void Join(const QString& busAddress);
    void SendSignal(const char* name, const QVariantList& arguments);
    // The bus hands our own signals back to us; they were already delivered locally.
    bool IsOwnEcho(const QDBusMessage& message) const;

    QString connectionName;
    std::unique_ptr<QDBusConnection> connection;
};
