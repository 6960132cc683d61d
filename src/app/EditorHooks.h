#pragma once

#include "magnification/MagnificationModel.h"
#include "platform/GdiTypes.h"
#include "platform/LogFont.h"

#include <QPoint>
#include <QString>

#include <cstdint>
#include <functional>

class CSetMagnification;
class CSpawnMenu;
class LanguageTable;
class QWidget;

// Every modal question the window asks goes through one of these, so the
// program shows its dialogs and tests answer them.
struct EditorHooks
{
    // The program's message box; one button when no is empty. Returns 1, 7 or 2.
    std::function<int(const QString& caption, const QString& message, const QString& yes,
                      const QString& no)>
        messageBox;
    std::function<bool(ColorRef& color)> chooseColor;
    std::function<bool(int& styleIndex)> chooseLineStyle;
    std::function<bool(int& widthIndex)> chooseLineWidth;
    std::function<bool(LogFont& font, ColorRef& color)> chooseFont;
    // Shows a tool pop-up at a screen position; returns the chosen command or 0.
    std::function<uint32_t(CSpawnMenu& menu, QPoint position)> popupMenu;
    MagnificationModel::SetDialogRunner setMagnification;
    MagnificationModel::CalibrationRunner adjustMagnification;

    // The program's own dialogs over window, in the language texts gives at
    // the time each opens.
    static EditorHooks ProgramDialogs(QWidget* window, std::function<const LanguageTable&()> texts,
                                      CSetMagnification* setMagnificationDialog);
};
