#include "output/CMailSender.h"

#include "dialogs/CMessageBox.h"
#include "platform/MailLauncher.h"
#include "text/LanguageTable.h"

#include <QMessageBox>
#include <QWidget>

QString CMailSender::BusyCaption(int language)
{
    return LanguageTable(language).CaptionText(Texts::MailCaption);
}

QString CMailSender::BusyText(int language)
{
    return LanguageTable(language).MessageText(Texts::MailBusyMessage);
}

QString CMailSender::BusyButton(int language)
{
    return LanguageTable(language).ButtonText(Texts::Ok);
}

QString CMailSender::FailureText()
{
    return LanguageTable::String(Texts::MailFailed.chinese);
}

QString CMailSender::InfoPathForMail(const QString& picturePath)
{
    const qsizetype n = picturePath.size();
    const qsizetype head = std::max<qsizetype>(0, n - 17);
    return picturePath.left(head) + QStringLiteral("Info/") + picturePath.mid(head, 13);
}

CMailSender::CMailSender(QWidget* window)
    : QObject(window), launcher(new MailLauncher(this)), window(window)
{
    connect(launcher, &MailLauncher::ended, this, &CMailSender::Done);
    showBusy = [this](const QString& caption, const QString& text, const QString& button) {
        CMessageBox box(this->window);
        box.caption = caption;
        box.message = text;
        box.yesText = button;
        box.singleButton = 1;
        box.Run();
    };
    showFailure = [this](const QString& text) {
        QMessageBox::critical(this->window, QString(), text, QMessageBox::Ok);
    };
    activateWindow = [this] {
        if (this->window)
            this->window->activateWindow();
    };
}

void CMailSender::Send(const QString& picturePath)
{
    if (mailBusy == 1) {
        if (showBusy)
            showBusy(BusyCaption(language), BusyText(language), BusyButton(language));
        return;
    }
    mailBusy = 1;
    if (!launcher->Start(Subject(), Body(), {picturePath, InfoPathForMail(picturePath)})) {
        mailBusy = 0;
        emit finished();
    }
}

void CMailSender::Done(bool failed, bool activate)
{
    if (failed && showFailure)
        showFailure(FailureText());
    if (activate && activateWindow)
        activateWindow();
    mailBusy = 0;
    emit finished();
}
