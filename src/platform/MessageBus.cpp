#include "platform/MessageBus.h"

#include <QAtomicInt>
#include <QDBusMessage>
#include <QMetaObject>

namespace {

QString SessionBusAddress()
{
    const QString address = QString::fromLocal8Bit(qgetenv("DBUS_SESSION_BUS_ADDRESS")).trimmed();
    // Autolaunching would start a daemon (or wait for an X server) at start-up.
    if (address.startsWith(QLatin1String("autolaunch:")))
        return {};
    return address;
}

QString NextConnectionName()
{
    static QAtomicInt counter;
    return QStringLiteral("lumvex-broadcast-%1").arg(counter.fetchAndAddRelaxed(1));
}

} // namespace

MessageBus::MessageBus(QObject* parent) : MessageBus(SessionBusAddress(), parent) {}

MessageBus::MessageBus(const QString& busAddress, QObject* parent) : QObject(parent)
{
    if (!busAddress.isEmpty())
        Join(busAddress);
}

MessageBus::~MessageBus()
{
    if (connection) {
        connection.reset();
        QDBusConnection::disconnectFromBus(connectionName);
    }
}

void MessageBus::Join(const QString& busAddress)
{
    // A private connection per instance, so two buses in one process are two
    // listeners, as two editor processes would be.
    connectionName = NextConnectionName();
    auto bus = std::make_unique<QDBusConnection>(
        QDBusConnection::connectToBus(busAddress, connectionName));
    if (!bus->isConnected()) {
        QDBusConnection::disconnectFromBus(connectionName);
        return;
    }
    const QString path = QLatin1String(ObjectPath);
    const QString iface = QLatin1String(Interface);
    const bool ok = bus->connect(QString(), path, iface, QLatin1String(AdjustMagnificationName),
                                 this, SLOT(OnBusAdjustMagnification(QDBusMessage))) &&
                    bus->connect(QString(), path, iface, QLatin1String(SetMagnificationName), this,
                                 SLOT(OnBusSetMagnification(QDBusMessage))) &&
                    bus->connect(QString(), path, iface, QLatin1String(QuitName), this,
                                 SLOT(OnBusQuit(QDBusMessage)));
    if (!ok) {
        QDBusConnection::disconnectFromBus(connectionName);
        return;
    }
    connection = std::move(bus);
}

bool MessageBus::IsConnected() const
{
    return connection && connection->isConnected();
}

void MessageBus::SendSignal(const char* name, const QVariantList& arguments)
{
    if (!IsConnected())
        return;
    QDBusMessage message = QDBusMessage::createSignal(
        QLatin1String(ObjectPath), QLatin1String(Interface), QLatin1String(name));
    message.setArguments(arguments);
    connection->send(message);
}

bool MessageBus::IsOwnEcho(const QDBusMessage& message) const
{
    return connection && message.service() == connection->baseService();
}

void MessageBus::PostAdjustMagnification(double value)
{
    SendSignal(AdjustMagnificationName, {QVariant(value)});
    QMetaObject::invokeMethod(
        this, [this, value] { emit AdjustMagnificationReceived(value); }, Qt::QueuedConnection);
}

void MessageBus::PostSetMagnification()
{
    SendSignal(SetMagnificationName, {});
    QMetaObject::invokeMethod(
        this, [this] { emit SetMagnificationReceived(); }, Qt::QueuedConnection);
}

void MessageBus::PostQuit()
{
    SendSignal(QuitName, {});
    QMetaObject::invokeMethod(
        this, [this] { emit QuitReceived(); }, Qt::QueuedConnection);
}

void MessageBus::OnBusAdjustMagnification(const QDBusMessage& message)
{
    if (IsOwnEcho(message))
        return;
    const QVariantList arguments = message.arguments();
    if (arguments.isEmpty())
        return;
    bool ok = false;
    const double value = arguments.first().toDouble(&ok);
    if (ok)
        emit AdjustMagnificationReceived(value);
}

void MessageBus::OnBusSetMagnification(const QDBusMessage& message)
{
    if (!IsOwnEcho(message))
        emit SetMagnificationReceived();
}

void MessageBus::OnBusQuit(const QDBusMessage& message)
{
    if (!IsOwnEcho(message))
        emit QuitReceived();
}
