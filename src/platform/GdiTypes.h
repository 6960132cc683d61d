#pragma once

#include <QColor>
#include <QPoint>

#include <cstdint>
#include <utility>

using ColorRef = uint32_t; // 0x00BBGGRR: red in the low byte

inline QColor ToQColor(ColorRef c)
{
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

inline ColorRef ToColorRef(const QColor& c)
{
    return ColorRef(c.red()) | ColorRef(c.green()) << 8 | ColorRef(c.blue()) << 16;
}

inline constexpr ColorRef MakeColorRef(int r, int g, int b)
{
    return ColorRef(r & 0xFF) | ColorRef(g & 0xFF) << 8 | ColorRef(b & 0xFF) << 16;
}

// A point in picture pixels.
struct GdiPoint
{
    int32_t x = 0;
    int32_t y = 0;

    QPoint ToQPoint() const { return {x, y}; }
    bool operator==(const GdiPoint&) const = default;
};

// A rectangle by its edges, right and bottom exclusive as the platform's
// drawing calls take them; not necessarily normalised.
struct GdiRect
{
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    void Normalize()
    {
        if (left > right)
            std::swap(left, right);
        if (top > bottom)
            std::swap(top, bottom);
    }
    void Offset(int dx, int dy)
    {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
    }
    bool Contains(GdiPoint p) const
    {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    bool operator==(const GdiRect&) const = default;
};
