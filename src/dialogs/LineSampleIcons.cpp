#include "dialogs/LineSampleIcons.h"

#include <algorithm>
#include <array>
#include <span>

namespace {

// Dash patterns as on/off runs in pixels, the platform's classic cosmetic ones.
constexpr std::array<int, 2> Dash{18, 6};
constexpr std::array<int, 2> Dot{3, 3};
constexpr std::array<int, 4> DashDot{9, 6, 3, 6};
constexpr std::array<int, 6> DashDotDot{9, 3, 3, 3, 3, 3};

std::span<const int> Pattern(int style)
{
    switch (style) {
    case 1:
        return Dash;
    case 2:
        return Dot;
    case 3:
        return DashDot;
    case 4:
        return DashDotDot;
    default:
        return {};
    }
}

QImage Blank()
{
    QImage image(LineSampleIcons::Width, LineSampleIcons::Height, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

void DrawRows(QImage& image, int thickness, int style)
{
    const int top = (LineSampleIcons::Height - thickness) / 2;
    for (int x = 0; x < LineSampleIcons::Width; ++x) {
        if (!LineSampleIcons::StyleCovers(style, x))
            continue;
        for (int y = top; y < top + thickness; ++y)
            image.setPixel(x, y, 0xFF000000u);
    }
}

} // namespace

bool LineSampleIcons::StyleCovers(int style, int x)
{
    if (style == 0)
        return true;
    const std::span<const int> pattern = Pattern(style);
    if (pattern.empty() || x < 0)
        return false;
    int period = 0;
    for (int run : pattern)
        period += run;
    int offset = x % period;
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (offset < pattern[i])
            return i % 2 == 0;
        offset -= pattern[i];
    }
    return false;
}

QImage LineSampleIcons::StyleSample(int style)
{
    QImage image = Blank();
    DrawRows(image, StyleThickness, style);
    return image;
}

QImage LineSampleIcons::WidthSample(int width)
{
    QImage image = Blank();
    DrawRows(image, std::clamp(width, 1, 9), 0);
    return image;
}
