#include "draw/CDrawText.h"

#include "platform/GdiContext.h"

void CDrawText::SetFont(const LogFont& logFont, ColorRef newTextColour)
{
    font = GdiFont(logFont);
    textColour = newTextColour;
}

void CDrawText::Draw(GdiContext& dc)
{
    const GdiFont previous = dc.SelectFont(font);
    dc.SetTextColor(textColour);
    dc.SetBkMode(GdiContext::Transparent);
    if (finished == 0)
        dc.InvertRect(bounds);
    dc.TextOut(bounds.right, bounds.top, text);
    dc.SelectFont(previous);
}
