#include "app/MenuItem.h"

#include "text/LanguageTable.h"

MenuItem MenuItem::Command(uint32_t id, const QString& text)
{
    MenuItem item;
    item.id = id;
    item.text = text;
    return item;
}

MenuItem MenuItem::Separator()
{
    MenuItem item;
    item.separator = true;
    return item;
}

MenuItem MenuItem::Popup(const QString& text, std::vector<MenuItem> items)
{
    MenuItem item;
    item.id = PopupId;
    item.text = text;
    item.items = std::move(items);
    return item;
}

MenuItem* MenuItem::Find(uint32_t commandId)
{
    for (MenuItem& item : items) {
        if (item.IsPopup()) {
            if (MenuItem* found = item.Find(commandId))
                return found;
        } else if (!item.separator && item.id == commandId) {
            return &item;
        }
    }
    return nullptr;
}

const MenuItem* MenuItem::Find(uint32_t commandId) const
{
    return const_cast<MenuItem*>(this)->Find(commandId);
}

MenuItem ToolMenus::Load(int language)
{
    const LanguageTable table(language);
    int position = 0;
    // Texts follow the items' order, separators skipped.
    const auto next = [&] {
        return table.Text(Texts::MenuText(position++));
    };
    const auto command = [&](uint32_t id) {
        return MenuItem::Command(id, next());
    };
    const auto popup = [&](std::initializer_list<uint32_t> ids) {
        MenuItem item = MenuItem::Popup(next(), {});
        for (uint32_t id : ids)
            item.items.push_back(command(id));
        return item;
    };

    MenuItem drawing = popup({32803, 32804, 32805, 32806, 32807});
    drawing.items.push_back(MenuItem::Separator());
    drawing.items.push_back(popup({32827, 32826, 32825}));

    MenuItem measuring = popup({32814});
    measuring.items.push_back(popup({32892, 32893}));
    measuring.items.push_back(popup({32894, 32895}));
    measuring.items.push_back(MenuItem::Separator());
    for (uint32_t id :
         {32874, 32875, 32876, 32809, 32810, 32811, 32812, 32799, 32800, 32801, 32802})
        measuring.items.push_back(command(id));
    measuring.items.push_back(MenuItem::Separator());
    measuring.items.push_back(popup({32851, 32852, 32853}));
    measuring.items.push_back(command(32832));
    measuring.items.push_back(popup({32855, 32856, 32857, 32858}));

    MenuItem menu = MenuItem::Popup(QString(), {});
    menu.items.push_back(std::move(drawing));
    menu.items.push_back(std::move(measuring));
    return menu;
}
