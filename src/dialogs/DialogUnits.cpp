#include "dialogs/DialogUnits.h"

#include <QFontMetrics>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

DialogUnits::DialogUnits(int baseWidth, int baseHeight)
    : baseWidth(baseWidth), baseHeight(baseHeight)
{}

DialogUnits DialogUnits::FromFont(const QFont& font)
{
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    const int average = (letters / 26 + 1) / 2;
    return DialogUnits(std::max(1, average), std::max(1, metrics.height()));
}

int DialogUnits::MulDiv(int a, int b, int c)
{
    if (c == 0)
        return 0;
    const int64_t product = int64_t(a) * b;
    const int64_t half = std::llabs(c) / 2;
    const bool negative = (product < 0) != (c < 0);
    const int64_t magnitude = (std::llabs(product) + half) / std::llabs(c);
    return int(negative ? -magnitude : magnitude);
}

int DialogUnits::X(int units) const
{
    return MulDiv(units, baseWidth, 4);
}

int DialogUnits::Y(int units) const
{
    return MulDiv(units, baseHeight, 8);
}

QRect DialogUnits::Map(int x, int y, int width, int height) const
{
    // Map both corners, as the platform does, so neighbouring controls meet exactly.
    const int left = X(x);
    const int top = Y(y);
    return QRect(left, top, X(x + width) - left, Y(y + height) - top);
}
