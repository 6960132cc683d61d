#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

// Converts dialog-template units to pixels from the dialog font's average
// character width (horizontal unit = width / 4) and height (vertical unit =
// height / 8), so the layouts keep their proportions with any font.
class DialogTemplateScale {
  public:
    explicit DialogTemplateScale(const QFont& font);

    int BaseWidth() const { return baseWidth; }
    int BaseHeight() const { return baseHeight; }

    int X(int units) const;
    int Y(int units) const;
    QRect Rect(int x, int y, int width, int height) const;
    QSize Size(int width, int height) const;

  private:
    int baseWidth = 6;
    int baseHeight = 13;
};
