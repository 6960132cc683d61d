#pragma once

#include "platform/GdiTypes.h"
#include "platform/LogFont.h"

#include <QFontDialog>

class QComboBox;

// The font dialog of the text and label tools: a font and, beside the effects,
// the text colour chosen from the sixteen basic colours.
class FontColorDialog : public QFontDialog
{
    Q_OBJECT

  public:
    FontColorDialog(const LogFont& font, ColorRef color, QWidget* parent = nullptr);

    ColorRef Color() const;
    QComboBox* ColorBox() const { return colorBox; }

    // Runs the dialog; on OK the font and the colour take the choice.
    static bool Choose(LogFont& font, ColorRef& color, QWidget* parent);

  private:
    QComboBox* colorBox = nullptr;
};
