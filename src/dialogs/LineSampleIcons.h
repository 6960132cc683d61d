#pragma once

#include <QImage>

// The sample lines beside the style and width choices: a black line across
// the middle of a 64 x 16 transparent picture.
class LineSampleIcons
{
  public:
    static constexpr int Width = 64;
    static constexpr int Height = 16;
    static constexpr int StyleThickness = 2;

    // Style index 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot; an index
    // outside 0 to 4 gives an empty (fully transparent) sample.
    static QImage StyleSample(int style);

    // A solid line of the given thickness in pixels, 1 to 9; other values are
    // clamped to that range.
    static QImage WidthSample(int width);

    // Whether column x is drawn in a line of the given style.
    static bool StyleCovers(int style, int x);
};
