#pragma once

#include <QFont>
#include <QRect>

// Dialog units as a dialog's font defines them: a horizontal unit is a quarter
// of the font's average character width, a vertical unit an eighth of its
// height. Layouts written in these units keep their proportions at any font.
class DialogUnits
{
  public:
    // Base units in pixels; 6 x 13 is the classic 8-point dialog font.
    explicit DialogUnits(int baseWidth = 6, int baseHeight = 13);

    // The average width is that of the 52 Latin letters, rounded to the
    // nearest pixel; the height is the font's line height.
    static DialogUnits FromFont(const QFont& font);

    int BaseWidth() const { return baseWidth; }
    int BaseHeight() const { return baseHeight; }

    int X(int units) const;
    int Y(int units) const;
    QRect Map(int x, int y, int width, int height) const;
    QSize Map(int width, int height) const { return {X(width), Y(height)}; }

    // a * b / c rounded half away from zero; 0 when c is 0.
    static int MulDiv(int a, int b, int c);

  private:
    int baseWidth;
    int baseHeight;
};
