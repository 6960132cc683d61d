#include "platform/GdiPen.h"

#include <algorithm>

std::vector<int> UserStylePattern(int style, int width)
{
    const int w = std::max(width, 1);
    switch (style) {
    case 1:
        return {6 * w, 3 * w};
    case 2:
        return {2 * w, 3 * w};
    case 3:
        return {6 * w, 3 * w, 2 * w, 3 * w};
    case 4:
        return {6 * w, 3 * w, 2 * w, 3 * w, 2 * w, 3 * w};
    default:
        return {}; // 6w on, 0 off: a solid line
    }
}

GdiPen GdiPen::Styled(ColorRef colour, int width, int style)
{
    GdiPen pen;
    pen.kind = Kind::Geometric;
    pen.colour = colour;
    pen.width = std::max(width, 1);
    pen.style = style;
    pen.pattern = UserStylePattern(style, pen.width);
    return pen;
}

GdiPen GdiPen::Dotted(ColorRef colour)
{
    GdiPen pen;
    pen.kind = Kind::Dotted;
    pen.colour = colour;
    pen.width = 1;
    pen.pattern = {3, 3};
    return pen;
}

QPen GdiPen::ToQPen() const
{
    if (kind == Kind::Null)
        return QPen(Qt::NoPen);
    QPen pen(ToQColor(colour));
    pen.setJoinStyle(Qt::RoundJoin);
    if (width <= 1) {
        // Qt draws one-pixel lines with its cosmetic stroker, which ignores
        // caps and takes the pattern in pixels. Fold the caps into the
        // pattern so geometric pens keep their on-picture lengths.
        pen.setWidth(1);
        pen.setCapStyle(Qt::FlatCap);
        if (!pattern.empty()) {
            const int cap = kind == Kind::Geometric ? 1 : 0;
            QList<qreal> dashes;
            for (size_t i = 0; i < pattern.size(); ++i)
                dashes.append(qreal(i % 2 == 0 ? pattern[i] + cap : pattern[i] - cap));
            pen.setDashPattern(dashes);
        }
        return pen;
    }
    pen.setWidth(width);
    pen.setCapStyle(Qt::RoundCap);
    if (!pattern.empty()) {
        // Qt counts dash lengths in pen widths and caps every dash, as the
        // geometric pens we imitate do.
        QList<qreal> dashes;
        for (int length : pattern)
            dashes.append(qreal(length) / width);
        pen.setDashPattern(dashes);
    }
    return pen;
}
