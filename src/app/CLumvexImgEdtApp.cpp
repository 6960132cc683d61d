#include "app/CLumvexImgEdtApp.h"

#include "app/CLumvexImgEdtDlg.h"
#include "app/FirstPaintExit.h"
#include "app/ProgramIcon.h"
#include "platform/DisplayDetection.h"
#include "platform/InstanceLock.h"

#include <QApplication>

#include <clocale>
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

int CLumvexImgEdtApp::Run(int argc, char** argv)
{
    if (!DisplayDetection::Available()) {
        std::fprintf(stderr, "There is no display to open the editor on; start it in a desktop "
                             "session or under a virtual display with xvfb-run.\n");
        return 1;
    }
    QApplication application(argc, argv);
    // The toolkit adopts the user's locale; labels, records and typed magnifications
    // are written and read with "%f" and must keep the decimal point everywhere.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("LumvexImgEdt"));
    // Lets the desktop match the window to the installed entry and its icon.
    QApplication::setDesktopFileName(QStringLiteral("lumveximgedt"));
    QApplication::setWindowIcon(ProgramIcon::Load());

    const QString commandLine = RawCommandLine(QApplication::arguments());
    InstanceLock lock(InstanceName(commandLine));
    if (!lock.TryLock())
        return 0;

    if (FirstPaintExit::Requested())
        FirstPaintExit::Install();
    CLumvexImgEdtDlg editor(PicturePath(commandLine));
    if (!editor.OpenEditor())
        return 1;
    editor.exec();
    return 0;
}
