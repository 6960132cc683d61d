#include "app/MenuSpawnStyle.h"

#include "app/CMenuSpawn.h"
#include "app/CSpawnMenu.h"

#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>

namespace {

const MenuItem* ItemOf(const QStyleOption* option, const QWidget* widget)
{
    const auto* menu = qobject_cast<const CSpawnMenu*>(widget);
    const auto* itemOption = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (!menu || !itemOption)
        return nullptr;
    const MenuItem* item = menu->ItemFor(*itemOption);
    return item && item->record ? item : nullptr;
}

} // namespace

MenuSpawnStyle::MenuSpawnStyle(const CMenuSpawn& spawn)
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))), spawn(spawn)
{}

QSize MenuSpawnStyle::sizeFromContents(ContentsType type, const QStyleOption* option,
                                       const QSize& size, const QWidget* widget) const
{
    if (type == CT_MenuItem)
        if (const MenuItem* item = ItemOf(option, widget)) {
            // The platform widens every owner-drawn item by a check mark's width
            // (the room the submenu arrow and the text's right margin use).
            const QSize measured = spawn.MeasureMenuItem(*item->record);
            return item->separator ? measured : measured + QSize(CheckMarkWidth, 0);
        }
    return QProxyStyle::sizeFromContents(type, option, size, widget);
}

void MenuSpawnStyle::drawControl(ControlElement element, const QStyleOption* option,
                                 QPainter* painter, const QWidget* widget) const
{
    if (element == CE_MenuItem) {
        if (const MenuItem* item = ItemOf(option, widget)) {
            CMenuSpawn::ItemState state;
            state.disabled = !(option->state & State_Enabled);
            state.selected = (option->state & State_Selected) != 0;
            state.checked = item->checked;
            spawn.DrawMenuItem(*painter, option->rect, *item->record, state);
            return;
        }
    }
    if (element == CE_MenuEmptyArea) {
        painter->fillRect(option->rect, spawn.Palette().menu);
        return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

int MenuSpawnStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                              QStyleHintReturn* returnData) const
{
    switch (hint) {
    // Greyed items still highlight under the pointer; typing never picks an item.
    case SH_Menu_AllowActiveAndDisabled:
        return 1;
    case SH_Menu_KeyboardSearch:
        return 0;
    case SH_Menu_SpaceActivatesItem:
        return 0;
    default:
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
}

int MenuSpawnStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                                const QWidget* widget) const
{
    switch (metric) {
    case PM_MenuHMargin:
    case PM_MenuVMargin:
        return 0;
    case PM_MenuPanelWidth:
        return 3;
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}
