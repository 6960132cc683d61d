#include "app/CLumvexImgEdtApp.h"

#include "platform/InstanceLock.h"
#include "view/CLumvexImgEdtView.h"

#include <QApplication>
#include <QVBoxLayout>
#include <QWidget>

#include <cstdio>

QString CLumvexImgEdtApp::RawCommandLine(const QStringList& arguments)
{
    if (arguments.size() < 2)
        return {};
    const QString& argument = arguments.at(1);
    if (argument.size() >= 2 && argument.startsWith(u'"') && argument.endsWith(u'"'))
        return argument;
    return u'"' + argument + u'"';
}

QString CLumvexImgEdtApp::InstanceName(const QString& commandLine)
{
    const QString rest = commandLine.left(std::max<qsizetype>(0, commandLine.size() - 5));
    return rest.right(13);
}

QString CLumvexImgEdtApp::PicturePath(const QString& commandLine)
{
    if (commandLine.size() < 2)
        return {};
    return commandLine.mid(1, commandLine.size() - 2);
}

namespace {

bool HasDisplay()
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return true;
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

} // namespace

int CLumvexImgEdtApp::Run(int argc, char** argv)
{
    if (!HasDisplay()) {
        std::fprintf(stderr, "There is no display to open the editor on; start it in a desktop "
                             "session or under a virtual display with xvfb-run.\n");
        return 1;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("LumvexImgEdt"));

    const QString commandLine = RawCommandLine(QApplication::arguments());
    InstanceLock lock(InstanceName(commandLine));
    if (!lock.TryLock())
        return 0;

    QWidget window;
    window.setWindowTitle(QStringLiteral("LumvexImgEdt"));
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* view = new CLumvexImgEdtView(&window);
    view->setFixedSize(640, 480);
    layout->addWidget(view);
    window.show();
    if (!view->LoadPicture(PicturePath(commandLine)))
        return 1;
    return QApplication::exec();
}
