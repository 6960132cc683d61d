#include "platform/TextStamp.h"

#include <algorithm>

namespace {

// Qt's product of a colour byte and an 8-bit coverage, rounded as its solid
// fills round it.
inline uint32_t ByteMul(uint32_t x, uint32_t a)
{
    const uint32_t t = x * a;
    return (t + (t >> 8) + 0x80) >> 8;
}

void BlendRow(QRgb* out, const uchar* c, int count, QRgb ink)
{
    const uint32_t red = qRed(ink), green = qGreen(ink), blue = qBlue(ink);
    for (const uchar* end = c + count; c != end; ++c, ++out) {
        const uint32_t a = *c;
        if (a == 0)
            continue;
        if (a == 255) {
            *out = ink;
            continue;
        }
        const uint32_t b = 255 - a;
        *out = qRgb(int(ByteMul(red, a) + ByteMul(uint32_t(qRed(*out)), b)),
                    int(ByteMul(green, a) + ByteMul(uint32_t(qGreen(*out)), b)),
                    int(ByteMul(blue, a) + ByteMul(uint32_t(qBlue(*out)), b)));
    }
}

} // namespace

QImage TextStamp::CoverageOf(const QImage& canvas, const QRect& rect)
{
    // The channels are equal, each the coverage (Qt's own conversion to
    // grey is far slower).
    QImage coverage(rect.size(), QImage::Format_Grayscale8);
    if (coverage.isNull())
        return coverage;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(canvas.constScanLine(y)) + rect.left();
        std::transform(row, row + rect.width(), coverage.scanLine(y - rect.top()),
                       [](QRgb pixel) { return uchar(qBlue(pixel)); });
    }
    return coverage;
}

void TextStamp::BlendCoverage(QImage& picture, QRgb ink, const QImage& coverage, QPoint at,
                              const QRect& part)
{
    const QRect r = part & QRect(at, coverage.size()) & picture.rect();
    for (int y = r.top(); y <= r.bottom(); ++y)
        BlendRow(reinterpret_cast<QRgb*>(picture.scanLine(y)) + r.left(),
                 coverage.constScanLine(y - at.y()) + (r.left() - at.x()), r.width(), ink);
}
