#pragma once

#include "app/CMenuSpawn.h"
#include "app/MenuItem.h"
#include "platform/GdiTypes.h"
#include "platform/LogFont.h"
#include "view/ViewOwner.h"

#include <QPoint>

#include <cstdint>

struct AnnotationStyle;
struct EditorHooks;
class CLumvexImgEdtView;
class LanguageTable;
class MagnificationModel;
class QWidget;

// The editor window's two tool pop-ups and what their items do: the tool the
// view works with, the check marks that remember it, and the line, font and
// unit settings of the style. The chosen item is the one drawn last.
class EditorToolCommands : public ViewOwner
{
  public:
    static constexpr uint32_t NoMenuItem = 0xFFFFFFFF;

    // The pop-ups belong to owner; the dialogs are asked through hooks.
    EditorToolCommands(EditorHooks& hooks, MagnificationModel& magnification,
                       AnnotationStyle& style, CLumvexImgEdtView& view, QWidget* owner);

    // Loads the menus of a language and appends extra after every item of the
    // measuring menu; choosing extra chooses no tool.
    void PrepareMenus(int language, MenuItem extra);
    // Runs a tool, line style, font or unit command; false for any other.
    bool Run(uint32_t command);
    // Shows a pop-up at a screen position and returns the chosen command, or
    // 0. A second click on the same button only closes the pop-up.
    uint32_t DrawingPopup(QPoint at);
    // Without a magnification in force, the calibration prompt instead.
    uint32_t MeasuringPopup(QPoint at, const LanguageTable& texts);
    void ChooseTextFont();
    // The calibration line has served: no tool, and calibration unchecked.
    void EndCalibration();

    void SelectDrawingTool() override;
    void SelectMeasuringTool() override;

    MenuItem& DrawingMenu() { return menu.items[ToolMenus::DrawingMenu]; }
    MenuItem& MeasuringMenu() { return menu.items[ToolMenus::MeasuringMenu]; }

    uint32_t lastDrawnMenuItem = NoMenuItem;
    // The pop-up opened last: 0 none, 1 drawing, 2 measuring.
    int popupState = 0;

  private:
    uint32_t ShowPopup(MenuItem& popup, QPoint at);
    void SetToolFromMeasuringMenu();
    void ChooseColor(ColorRef& color);
    void ChooseStyle(int& penStyle);
    void ChooseWidth(int& width);
    void ChooseFont(LogFont& font, ColorRef& color);
    void SetUnit(int unit);

    EditorHooks& hooks;
    MagnificationModel& magnification;
    AnnotationStyle& style;
    CLumvexImgEdtView& view;
    QWidget* owner;
    CMenuSpawn menuSpawn;
    MenuItem menu;
    uint32_t extraCommand = 0;
};
