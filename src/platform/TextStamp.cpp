#include "platform/TextStamp.h"

#include "platform/GdiContext.h"

#include <cstring>

namespace {

// Qt's product of a colour byte and an 8-bit coverage, rounded as its solid
// fills round it.
inline uint32_t ByteMul(uint32_t x, uint32_t a)
{
    const uint32_t t = x * a;
    return (t + (t >> 8) + 0x80) >> 8;
}

} // namespace

TextStamp::TextStamp(QImage& canvas, const GdiFont& font, QPoint at, const QString& text,
                     const QRect& area)
{
    const QRect r = area & canvas.rect();
    if (r.isEmpty() || canvas.format() != QImage::Format_RGB32)
        return;
    const QImage kept = canvas.copy(r);
    // White on black: each pixel's value is the coverage itself.
    for (int y = r.top(); y <= r.bottom(); ++y)
        std::fill_n(reinterpret_cast<QRgb*>(canvas.scanLine(y)) + r.left(), r.width(),
                    QRgb(0xFF000000));
    {
        GdiContext dc(canvas);
        dc.SelectFont(font);
        dc.SetTextColor(MakeColorRef(255, 255, 255));
        dc.SetBkMode(GdiContext::Transparent);
        dc.TextOut(at.x(), at.y(), text);
    }
    QRect inked;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(canvas.constScanLine(y));
        for (int x = r.left(); x <= r.right(); ++x)
            if (qBlue(row[x]))
                inked |= QRect(x, y, 1, 1);
    }
    if (!inked.isEmpty()) {
        box = inked;
        coverage = canvas.copy(inked).convertToFormat(QImage::Format_Grayscale8);
    }
    for (int y = r.top(); y <= r.bottom(); ++y)
        std::memcpy(canvas.scanLine(y) + size_t(r.left()) * 4, kept.constScanLine(y - r.top()),
                    size_t(r.width()) * 4);
}

void TextStamp::Blend(QImage& picture, ColorRef colour, const QRect& part) const
{
    BlendCoverage(picture, ToQColor(colour).rgb(), coverage, box.topLeft(), part & box);
}

void TextStamp::BlendCoverage(QImage& picture, QRgb ink, const QImage& coverage, QPoint at,
                              const QRect& part)
{
    const QRect r = part & QRect(at, coverage.size()) & picture.rect();
    if (r.isEmpty())
        return;
    const uint32_t red = qRed(ink), green = qGreen(ink), blue = qBlue(ink);
    for (int y = r.top(); y <= r.bottom(); ++y) {
        const uchar* c = coverage.constScanLine(y - at.y()) + (r.left() - at.x());
        auto* out = reinterpret_cast<QRgb*>(picture.scanLine(y)) + r.left();
        for (int x = r.left(); x <= r.right(); ++x, ++c, ++out) {
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
}
