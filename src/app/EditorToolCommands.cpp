#include "app/EditorToolCommands.h"

#include "app/CSpawnMenu.h"
#include "app/EditorHooks.h"
#include "dialogs/CMessageBox.h"
#include "draw/AnnotationStyle.h"
#include "magnification/MagnificationModel.h"
#include "text/LanguageTable.h"
#include "view/CLumvexImgEdtView.h"

namespace {

bool IsDrawingTool(uint32_t id)
{
    return id >= 32803 && id <= 32807;
}

bool IsMeasuringTool(uint32_t id)
{
    return id == 32814 || (id >= 32874 && id <= 32876) || (id >= 32809 && id <= 32812) ||
           (id >= 32799 && id <= 32802);
}

// Toggles the item chosen last and clears every other check mark of a pop-up.
void ToggleChosen(MenuItem& popup, uint32_t lastDrawn)
{
    for (MenuItem& item : popup.items) {
        if (item.IsPopup())
            continue;
        if (lastDrawn != EditorToolCommands::NoMenuItem && item.id == lastDrawn)
            item.checked = !item.checked;
        else
            item.checked = false;
    }
}

} // namespace

EditorToolCommands::EditorToolCommands(EditorHooks& hooks, MagnificationModel& magnification,
                                       AnnotationStyle& style, CLumvexImgEdtView& view,
                                       QWidget* owner)
    : hooks(hooks), magnification(magnification), style(style), view(view), owner(owner),
      menu(ToolMenus::Load(0))
{}

void EditorToolCommands::PrepareMenus(int language, MenuItem extra)
{
    menu = ToolMenus::Load(language);
    extraCommand = extra.id;
    // After every item of the measuring menu, so each keeps its position.
    MeasuringMenu().items.push_back(MenuItem::Separator());
    MeasuringMenu().items.push_back(std::move(extra));
    menuSpawn.LoadItemImages();
    const auto handled = [](uint32_t) {
        return true;
    };
    menuSpawn.MakeOwnerDrawn(MeasuringMenu());
    menuSpawn.UpdateItemStates(MeasuringMenu(), handled);
    menuSpawn.MakeOwnerDrawn(DrawingMenu());
    menuSpawn.UpdateItemStates(DrawingMenu(), handled);
}

bool EditorToolCommands::Run(uint32_t command)
{
    if (IsDrawingTool(command)) {
        SelectDrawingTool();
        return true;
    }
    if (IsMeasuringTool(command)) {
        SelectMeasuringTool();
        return true;
    }
    if (command >= ToolMenus::CmdUnitMm && command <= ToolMenus::CmdUnitInch) {
        SetUnit(int(command - ToolMenus::CmdUnitMm));
        return true;
    }
    switch (command) {
    case ToolMenus::CmdDrawColor:
        ChooseColor(style.drawColor);
        return true;
    case ToolMenus::CmdDrawStyle:
        ChooseStyle(style.drawPenStyle);
        return true;
    case ToolMenus::CmdDrawWidth:
        ChooseWidth(style.drawWidth);
        return true;
    case ToolMenus::CmdMeasureColor:
        ChooseColor(style.measureColor);
        return true;
    case ToolMenus::CmdMeasureStyle:
        ChooseStyle(style.measurePenStyle);
        return true;
    case ToolMenus::CmdMeasureWidth:
        ChooseWidth(style.measureWidth);
        return true;
    case ToolMenus::CmdLabelFont:
        ChooseFont(style.labelFont, style.labelColor);
        return true;
    default:
        return false;
    }
}

uint32_t EditorToolCommands::DrawingPopup(QPoint at)
{
    if (popupState == 1) {
        popupState = 0;
        return 0;
    }
    popupState = 1;
    return ShowPopup(DrawingMenu(), at);
}

uint32_t EditorToolCommands::MeasuringPopup(QPoint at, const LanguageTable& texts)
{
    if (popupState == 2) {
        popupState = 0;
        return 0;
    }
    popupState = 2;
    if (magnification.ShouldPromptCalibration()) {
        magnification.scale.useAdjustedMagnification = 0;
        const int answer = hooks.messageBox(texts.CaptionText(Texts::CalibrationPromptCaption),
                                            texts.MessageText(Texts::CalibrationPromptMessage),
                                            texts.ButtonText(Texts::Ok), QString());
        if (answer == CMessageBox::ResultYes) {
            lastDrawnMenuItem = ToolMenus::CmdCalibration;
            if (MenuItem* calibration = MeasuringMenu().Find(ToolMenus::CmdCalibration))
                calibration->checked = true;
            SetToolFromMeasuringMenu();
            magnification.calibrationPromptFlag = 1;
        } else {
            magnification.calibrationPromptFlag = 0;
        }
        return 0;
    }
    const bool lengthTools = magnification.LengthToolsEnabled();
    for (int position = ToolMenus::FirstLengthTool; position <= ToolMenus::LastLengthTool;
         ++position)
        MeasuringMenu().items[size_t(position)].grayed = !lengthTools;
    return ShowPopup(MeasuringMenu(), at);
}

uint32_t EditorToolCommands::ShowPopup(MenuItem& popup, QPoint at)
{
    CSpawnMenu shown(popup, menuSpawn, owner);
    const uint32_t chosen = hooks.popupMenu(shown, at);
    if (chosen != 0 && chosen != extraCommand)
        lastDrawnMenuItem = chosen;
    return chosen;
}

void EditorToolCommands::SelectDrawingTool()
{
    MenuItem& drawing = DrawingMenu();
    ToggleChosen(drawing, lastDrawnMenuItem);
    ToolMode mode = ToolMode::ToolNone;
    for (size_t position = 0; position < drawing.items.size(); ++position) {
        if (drawing.items[position].checked) {
            if (position <= 4)
                mode = ToolMode(int(ToolMode::ToolLine) + int(position));
            break;
        }
    }
    view.SetToolMode(mode);
}

void EditorToolCommands::SelectMeasuringTool()
{
    magnification.RederiveForMeasuringTool();
    ToggleChosen(MeasuringMenu(), lastDrawnMenuItem);
    SetToolFromMeasuringMenu();
}

void EditorToolCommands::SetToolFromMeasuringMenu()
{
    ToolMode mode = ToolMode::ToolNone;
    for (const MenuItem& item : MeasuringMenu().items) {
        if (!item.IsPopup() && !item.separator && item.checked) {
            mode = ToolMode(item.id);
            break;
        }
    }
    view.SetToolMode(mode);
}

void EditorToolCommands::EndCalibration()
{
    view.SetToolMode(ToolMode::ToolNone);
    if (MenuItem* calibration = MeasuringMenu().Find(ToolMenus::CmdCalibration))
        calibration->checked = false;
}

void EditorToolCommands::ChooseTextFont()
{
    ChooseFont(style.textFont, style.textColor);
}

void EditorToolCommands::ChooseColor(ColorRef& color)
{
    ColorRef chosen = color;
    if (hooks.chooseColor(chosen))
        color = chosen;
}

void EditorToolCommands::ChooseStyle(int& penStyle)
{
    int index = penStyle;
    if (hooks.chooseLineStyle(index))
        penStyle = index;
}

void EditorToolCommands::ChooseWidth(int& width)
{
    int index = width - 1;
    if (hooks.chooseLineWidth(index))
        width = index + 1;
}

void EditorToolCommands::ChooseFont(LogFont& font, ColorRef& color)
{
    LogFont chosenFont = font;
    ColorRef chosenColor = color;
    if (!hooks.chooseFont(chosenFont, chosenColor))
        return;
    color = chosenColor;
    font = chosenFont;
}

void EditorToolCommands::SetUnit(int unit)
{
    style.unit = unit;
    MenuItem& units = MeasuringMenu().items[ToolMenus::UnitsPosition];
    for (size_t position = 0; position < units.items.size(); ++position)
        units.items[position].checked = int(position) == unit;
}
