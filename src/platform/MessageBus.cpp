#include "platform/MessageBus.h"

#include <QMetaObject>

MessageBus::MessageBus(QObject* parent) : QObject(parent) {}

MessageBus::~MessageBus() = default;

void MessageBus::PostAdjustMagnification(double value)
{
    QMetaObject::invokeMethod(
        this, [this, value] { emit AdjustMagnificationReceived(value); }, Qt::QueuedConnection);
}

void MessageBus::PostSetMagnification()
{
    QMetaObject::invokeMethod(
        this, [this] { emit SetMagnificationReceived(); }, Qt::QueuedConnection);
}

void MessageBus::PostQuit()
{
    QMetaObject::invokeMethod(this, [this] { emit QuitReceived(); }, Qt::QueuedConnection);
}
