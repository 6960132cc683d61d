#include "app/FirstPaintExit.h"

#include "view/CLumvexImgEdtView.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

bool FirstPaintExit::Requested()
{
    return qEnvironmentVariableIsSet("LUMVEX_EXIT_AFTER_FIRST_PAINT");
}

void FirstPaintExit::Install()
{
    QCoreApplication::instance()->installEventFilter(new FirstPaintExit);
}

bool FirstPaintExit::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint && qobject_cast<CLumvexImgEdtView*>(watched)) {
        // Once the paint has been delivered and flushed; nothing is saved on the way out.
        QTimer::singleShot(0, [] {
            std::fputs("first paint\n", stdout);
            std::fflush(stdout);
            std::_Exit(0);
        });
    }
    return false;
}
