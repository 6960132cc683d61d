#pragma once

#include <QObject>

// The three messages the editor shares with the capture program and with other
// editor instances, broadcast to every listener.
class MessageBus : public QObject
{
    Q_OBJECT

public:
    explicit MessageBus(QObject* parent = nullptr);
    ~MessageBus() override;

    // "LumvexAdjustMagnificaton" with the measured length of a calibration line.
    // This bus always receives its own post exactly once, after the caller returns.
    void PostAdjustMagnification(double value);
    // "LumvexSetMagnificaton": the capture magnification changed.
    void PostSetMagnification();
    // "MessageInfoImgEditQuit": asks editors without unsaved changes to close.
    void PostQuit();

signals:
    void AdjustMagnificationReceived(double value);
    void SetMagnificationReceived();
    void QuitReceived();
};
