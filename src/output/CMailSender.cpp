#include "output/CMailSender.h"

#include "dialogs/CMessageBox.h"
#include "text/LanguageTable.h"

#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QWidget>

namespace {

// The mail helper's exit status when no mail program is configured: like a
// missing mail library, this ends quietly.
constexpr int NoMailProgram = 3;

} // namespace

QString CMailSender::BusyCaption(int language) {
    return LanguageTable(language).CaptionText(Texts::MailCaption);
}

QString CMailSender::BusyText(int language) {
    return LanguageTable(language).MessageText(Texts::MailBusyMessage);
}

QString CMailSender::BusyButton(int language) {
    return LanguageTable(language).ButtonText(Texts::Ok);
}

QString CMailSender::FailureText() {
    return LanguageTable::String(Texts::MailFailed.chinese);
}

QString CMailSender::InfoPathForMail(const QString& picturePath) {
    const qsizetype n = picturePath.size();
    const qsizetype head = std::max<qsizetype>(0, n - 17);
    return picturePath.left(head) + QStringLiteral("Info/") + picturePath.mid(head, 13);
}

QStringList CMailSender::Arguments(const QString& picturePath) {
    return {QStringLiteral("--subject"), Subject(),
            QStringLiteral("--body"),    Body(),
            QStringLiteral("--attach"),  picturePath,
            QStringLiteral("--attach"),  InfoPathForMail(picturePath)};
}

CMailSender::CMailSender(QWidget* window) : QObject(window), window(window) {
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

CMailSender::~CMailSender() {
    if (process) {
        // The user may still be writing the mail: let the helper outlive the editor.
        process->disconnect(this);
        process->setParent(nullptr);
        process = nullptr;
    }
}

void CMailSender::Send(const QString& picturePath) {
    if (mailBusy == 1) {
        if (showBusy)
            showBusy(BusyCaption(language), BusyText(language), BusyButton(language));
        return;
    }
    const QString executable = QStandardPaths::findExecutable(program);
    if (executable.isEmpty()) {
        emit finished();
        return;
    }

    mailBusy = 1;
    process = new QProcess(this);
    process->setProgram(executable);
    process->setArguments(Arguments(picturePath));
    process->setStandardInputFile(QProcess::nullDevice());
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    connect(process, &QProcess::finished, this, [this](int exitCode, QProcess::ExitStatus status) {
        Done(status != QProcess::NormalExit || (exitCode != 0 && exitCode != NoMailProgram), true);
    });
    connect(process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            Done(false, false);
    });
    process->start();
}

void CMailSender::Done(bool failed, bool activate) {
    if (process) {
        process->disconnect(this);
        process->deleteLater();
        process = nullptr;
    }
    if (failed && showFailure)
        showFailure(FailureText());
    if (activate && activateWindow)
        activateWindow();
    mailBusy = 0;
    emit finished();
}
