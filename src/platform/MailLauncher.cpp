#include "platform/MailLauncher.h"

#include <QProcess>
#include <QStandardPaths>

namespace {

// The helper's exit status when no mail program is configured: like a missing
// mail library, this ends quietly.
constexpr int NoMailProgram = 3;

} // namespace

MailLauncher::MailLauncher(QObject* parent) : QObject(parent) {}

MailLauncher::~MailLauncher()
{
    if (process) {
        process->disconnect(this);
        process->setParent(nullptr);
    }
}

QStringList MailLauncher::Arguments(const QString& subject, const QString& body,
                                    const QStringList& attachments)
{
    QStringList arguments{QStringLiteral("--subject"), subject, QStringLiteral("--body"), body};
    for (const QString& attachment : attachments)
        arguments << QStringLiteral("--attach") << attachment;
    return arguments;
}

bool MailLauncher::Start(const QString& subject, const QString& body,
                         const QStringList& attachments)
{
    const QString executable = QStandardPaths::findExecutable(program);
    if (executable.isEmpty())
        return false;
    process = new QProcess(this);
    process->setProgram(executable);
    process->setArguments(Arguments(subject, body, attachments));
    process->setStandardInputFile(QProcess::nullDevice());
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    connect(process, &QProcess::finished, this, [this](int exitCode, QProcess::ExitStatus status) {
        Finish(status != QProcess::NormalExit || (exitCode != 0 && exitCode != NoMailProgram),
               true);
    });
    connect(process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            Finish(false, false);
    });
    process->start();
    return true;
}

void MailLauncher::Finish(bool failed, bool ran)
{
    if (process) {
        process->disconnect(this);
        process->deleteLater();
        process = nullptr;
    }
    emit ended(failed, ran);
}
