#pragma once

#include "platform/GdiTypes.h"

#include <QPen>

#include <vector>

// A pen as the annotation objects select it into a GdiContext: a geometric
// pen with round caps and joins and a dash pattern that scales with its
// width, a one-pixel dotted pen for guide lines, or the null pen.
class GdiPen
{
  public:
    enum class Kind { Null, Geometric, Dotted };

    // The null pen draws nothing.
    GdiPen() = default;

    // Line styles: 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot; any
    // other style draws solid. A width below 1 draws as 1.
    static GdiPen Styled(ColorRef colour, int width, int style);
    static GdiPen Solid(ColorRef colour, int width) { return Styled(colour, width, 0); }
    // One pixel wide, three pixels on and three off.
    static GdiPen Dotted(ColorRef colour);

    Kind GetKind() const { return kind; }
    bool IsNull() const { return kind == Kind::Null; }
    ColorRef Colour() const { return colour; }
    int Width() const { return width; }
    int Style() const { return style; }
    // Dash and gap lengths in picture pixels, alternating, starting with a
    // dash; empty for a solid line. Round caps add half the width to each
    // end of every dash, so on the picture a dash is one width longer and a
    // gap one width shorter than listed.
    const std::vector<int>& Pattern() const { return pattern; }
    // How far beyond its path the pen may paint, in whole pixels.
    int Reach() const { return (width + 1) / 2 + 1; }

    QPen ToQPen() const;

    bool operator==(const GdiPen&) const = default;

  private:
    Kind kind = Kind::Null;
    ColorRef colour = 0;
    int width = 1;
    int style = 0;
    std::vector<int> pattern;
};

// The dash, gap, ... lengths of a line style for a pen of the given width;
// empty for solid.
std::vector<int> UserStylePattern(int style, int width);

// Each of red, green and blue becomes 255 minus itself.
inline constexpr ColorRef ComplementColour(ColorRef c)
{
    return ~c & 0x00FFFFFF;
}
