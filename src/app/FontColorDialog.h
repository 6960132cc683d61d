#pragma once

#include "platform/GdiTypes.h"
#include "platform/LogFont.h"
#include "text/LanguageTable.h"

#include <QFontDialog>

class QComboBox;

// The font dialog of the text and label tools: a font and, beside the effects,
// the text colour chosen from the sixteen basic colours. It opens on the stored
// face, or on the installed family that stands in for it, and keeps the stored
// face name unless the user picks another face.
class FontColorDialog : public QFontDialog
{
    Q_OBJECT

  public:
    FontColorDialog(const LogFont& font, ColorRef color, const LanguageTable& texts,
                    QWidget* parent = nullptr);

    ColorRef Color() const;
    QComboBox* ColorBox() const { return colorBox; }
    QWidget* Sample() const { return sample; }

    // The family the dialog shows for a stored face: the face itself when it is
    // installed, else the family that the font matching puts in its place.
    static QString ShownFamily(const LogFont& font);

    // The chosen font as the stored record holds it.
    LogFont ChosenFont() const;

    // Runs the dialog; on OK the font and the colour take the choice.
    static bool Choose(LogFont& font, ColorRef& color, const LanguageTable& texts, QWidget* parent);

  private:
    void PlaceColorAndSample(const LanguageTable& texts);

    LogFont stored;
    QString shownFamily;
    QFont shown;
    QComboBox* colorBox = nullptr;
    QWidget* sample = nullptr;
};
