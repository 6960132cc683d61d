#pragma once

#include "platform/GdiTypes.h"

#include <QBrush>

// A fill for rectangles and ellipses; the hollow brush leaves the inside of
// a shape untouched.
class GdiBrush
{
  public:
    // Like a fresh device context: solid white.
    GdiBrush() = default;

    static GdiBrush Hollow()
    {
        GdiBrush brush;
        brush.hollow = true;
        return brush;
    }
    static GdiBrush Solid(ColorRef colour)
    {
        GdiBrush brush;
        brush.colour = colour;
        return brush;
    }

    bool IsHollow() const { return hollow; }
    ColorRef Colour() const { return colour; }
    QBrush ToQBrush() const { return hollow ? QBrush(Qt::NoBrush) : QBrush(ToQColor(colour)); }

    bool operator==(const GdiBrush&) const = default;

  private:
    bool hollow = false;
    ColorRef colour = 0x00FFFFFF;
};
