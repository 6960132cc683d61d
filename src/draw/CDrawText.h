#pragma once

#include "draw/CDrawObject.h"
#include "platform/GdiFont.h"

#include <QString>

// A text being typed into the picture. Its bounds are a small caret box
// whose top-right corner is where the text starts.
class CDrawText : public CDrawObject
{
  public:
    CDrawText() = default;

    void SetFont(const LogFont& logFont, ColorRef textColour);
    void SetText(const QString& newText) { text = newText; }
    void Draw(GdiContext& dc) override;

    QString text;
    // 0 while the user types, 1 once the text is complete.
    int32_t finished = 0;
    GdiFont font;
    ColorRef textColour = 0;
};
