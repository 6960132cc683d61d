#include "app/CSpawnMenu.h"

#include "app/CMenuSpawn.h"
#include "app/MenuItem.h"

#include <QKeyEvent>
#include <QStyleOptionMenuItem>

CSpawnMenu::CSpawnMenu(MenuItem& menu, CMenuSpawn& spawn, QWidget* parent)
    : QMenu(menu.text, parent), menu(menu)
{
    setStyle(spawn.MenuStyle());
    for (MenuItem& item : menu.items) {
        if (item.separator) {
            addSeparator();
        } else if (item.IsPopup()) {
            auto* submenu = new CSpawnMenu(item, spawn, this);
            QAction* action = addMenu(submenu);
            action->setEnabled(!item.grayed);
        } else {
            QAction* action = addAction(item.text);
            action->setData(uint(item.id));
            action->setEnabled(!item.grayed);
        }
    }
}

const MenuItem* CSpawnMenu::ItemFor(const QStyleOptionMenuItem& option) const
{
    for (const MenuItem& item : menu.items) {
        if (option.menuItemType == QStyleOptionMenuItem::Separator) {
            if (item.separator)
                return &item;
        } else if (!item.separator && item.text == option.text) {
            return &item;
        }
    }
    return nullptr;
}

uint32_t CSpawnMenu::CommandOf(const QAction* action)
{
    return action && action->data().isValid() ? action->data().toUInt() : 0;
}

QAction* CSpawnMenu::ActionFor(uint32_t commandId) const
{
    for (QAction* action : actions()) {
        if (CommandOf(action) == commandId)
            return action;
        if (auto* submenu = qobject_cast<CSpawnMenu*>(action->menu()))
            if (QAction* found = submenu->ActionFor(commandId))
                return found;
    }
    return nullptr;
}

void CSpawnMenu::keyPressEvent(QKeyEvent* event)
{
    // Only the keys that move through a menu or choose and close it do anything.
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Alt:
        QMenu::keyPressEvent(event);
        return;
    default:
        event->accept();
        return;
    }
}
