#pragma once

#include <QString>

#include <cstdint>
#include <vector>

struct MenuItemRecord;

// One item of a loaded menu: a command, a separator or a pop-up holding
// further items. The check and grey states live here, for as long as the menu.
struct MenuItem
{
    // What the platform reports as the id of a pop-up item.
    static constexpr uint32_t PopupId = 0xFFFFFFFF;

    uint32_t id = 0;
    QString text;
    bool separator = false;
    bool checked = false;
    bool grayed = false;
    std::vector<MenuItem> items;
    // Set once the item is drawn by the owner-draw menu object.
    const MenuItemRecord* record = nullptr;

    bool IsPopup() const { return !separator && id == PopupId; }

    static MenuItem Command(uint32_t id, const QString& text);
    static MenuItem Separator();
    static MenuItem Popup(const QString& text, std::vector<MenuItem> items);

    // The command item of that id at any depth, or null.
    MenuItem* Find(uint32_t commandId);
    const MenuItem* Find(uint32_t commandId) const;
};

// The menu with the drawing pop-up (0) and the measuring pop-up (1), in
// English for language 0 and in Chinese for any other; both have the same
// items, ids and positions.
namespace ToolMenus {

constexpr int DrawingMenu = 0;
constexpr int MeasuringMenu = 1;
constexpr int UnitsPosition = 18;
constexpr int FirstLengthTool = 4;
constexpr int LastLengthTool = 12;

MenuItem Load(int language);

} // namespace ToolMenus
