#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class MailLauncher;
class QWidget;

// MAIL: opens a new mail in the user's mail program with the picture file
// and its info file attached, without blocking the editor.
class CMailSender : public QObject
{
    Q_OBJECT

  public:
    static QString Subject() { return QStringLiteral("Lumvex's picture"); }
    static QString Body() { return QStringLiteral("Picture captured by Lumvex"); }
    static QString BusyCaption(int language);
    static QString BusyText(int language);
    static QString BusyButton(int language);
    // The resources hold this text in one language only.
    static QString FailureText();

    // The info file of a picture: the first n - 17 characters of the path,
    // "Info/", then the first 13 of its last 17 characters.
    static QString InfoPathForMail(const QString& picturePath);

    explicit CMailSender(QWidget* window = nullptr);

    // 1 while a mail is being prepared.
    int mailBusy = 0;
    int language = 0;
    // Starts the user's mail program; tests may point it elsewhere.
    MailLauncher* launcher;

    // The single-button box shown when MAIL is pressed while a mail is open.
    std::function<void(const QString& caption, const QString& text, const QString& button)>
        showBusy;
    std::function<void(const QString& text)> showFailure;
    // Brings the editor window back to the front when the mail program is done.
    std::function<void()> activateWindow;

    void Send(const QString& picturePath);

  signals:
    // The mail program has ended (or could not be started).
    void finished();

  private:
    void Done(bool failed, bool activate);

    QWidget* window;
};
