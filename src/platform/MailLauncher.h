#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QProcess;

// Opens a new mail in the user's mail program through the desktop's mail
// helper, without waiting for the user to send it.
class MailLauncher : public QObject
{
    Q_OBJECT

  public:
    explicit MailLauncher(QObject* parent = nullptr);
    // A mail still open outlives the launcher: the user may be writing it.
    ~MailLauncher() override;

    QString program = QStringLiteral("xdg-email");

    // False, starting nothing, when the helper is not installed.
    bool Start(const QString& subject, const QString& body, const QStringList& attachments);

    static QStringList Arguments(const QString& subject, const QString& body,
                                 const QStringList& attachments);

  signals:
    // The helper has ended: failed when it broke down or reported an error
    // other than "no mail program configured"; ran is false when it could
    // not be started at all.
    void ended(bool failed, bool ran);

  private:
    void Finish(bool failed, bool ran);

    QProcess* process = nullptr;
};
