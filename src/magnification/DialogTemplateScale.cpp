#include "magnification/DialogTemplateScale.h"

#include <QFontMetrics>

#include <algorithm>

namespace {

// Multiply then divide, rounding half away from zero.
int MulDivRounded(int value, int numerator, int denominator) {
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    return int(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

} // namespace

DialogTemplateScale::DialogTemplateScale(const QFont& font) {
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    // Average over the 52 letters, rounded.
    baseWidth = std::max(1, (letters / 26 + 1) / 2);
    baseHeight = std::max(1, metrics.height());
}

int DialogTemplateScale::X(int units) const {
    return MulDivRounded(units, baseWidth, 4);
}

int DialogTemplateScale::Y(int units) const {
    return MulDivRounded(units, baseHeight, 8);
}

QRect DialogTemplateScale::Rect(int x, int y, int width, int height) const {
    return QRect(X(x), Y(y), X(width), Y(height));
}

QSize DialogTemplateScale::Size(int width, int height) const {
    return QSize(X(width), Y(height));
}
