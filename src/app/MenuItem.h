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

// Command ids of the items the editor acts on by name; the tool ids are the
// tool modes.
enum Command : uint32_t {
    CmdCalibration = 32814,
    CmdDrawColor = 32825,
    CmdDrawWidth = 32826,
    CmdDrawStyle = 32827,
    CmdLabelFont = 32832,
    CmdMeasureStyle = 32851,
    CmdMeasureWidth = 32852,
    CmdMeasureColor = 32853,
    CmdUnitMm = 32855,
    CmdUnitInch = 32858,
    CmdSetPictureMagnification = 32892,
    CmdSetCaptureMagnification = 32893,
    CmdResetPictureMagnification = 32894,
    CmdResetCaptureMagnification = 32895,
};

MenuItem Load(int language);

} // namespace ToolMenus
