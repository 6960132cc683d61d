#include "platform/TextStamp.h"

#include "platform/GdiContext.h"

#include <algorithm>
#include <cstring>

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
    // The inked columns of each row, so that blending skips the others.
    std::vector<Span> rows(size_t(r.height()));
    int top = r.bottom() + 1, bottom = r.top() - 1, left = r.right() + 1, right = r.left() - 1;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(canvas.constScanLine(y));
        int first = r.left(), last = r.right();
        while (first <= last && !qBlue(row[first]))
            ++first;
        while (last >= first && !qBlue(row[last]))
            --last;
        if (first > last)
            continue;
        rows[size_t(y - r.top())] = {first, last};
        top = std::min(top, y);
        bottom = y;
        left = std::min(left, first);
        right = std::max(right, last);
    }
    if (top <= bottom) {
        box = QRect(QPoint(left, top), QPoint(right, bottom));
        coverage = CoverageOf(canvas, box);
        spans.assign(rows.begin() + (top - r.top()), rows.begin() + (bottom - r.top() + 1));
    }
    for (int y = r.top(); y <= r.bottom(); ++y)
        std::memcpy(canvas.scanLine(y) + size_t(r.left()) * 4, kept.constScanLine(y - r.top()),
                    size_t(r.width()) * 4);
}

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

void TextStamp::Blend(QImage& picture, ColorRef colour, const std::vector<QRect>& parts) const
{
    const QRect limit = box & picture.rect();
    if (limit.isEmpty() || parts.empty())
        return;
    const QRgb ink = ToQColor(colour).rgb();
    uchar* bits = picture.bits();
    const qsizetype stride = picture.bytesPerLine();
    for (const QRect& part : parts) {
        const int top = std::max(part.top(), limit.top());
        const int bottom = std::min(part.bottom(), limit.bottom());
        for (int y = top; y <= bottom; ++y) {
            const Span& span = spans[size_t(y - box.top())];
            const int left = std::max({part.left(), limit.left(), span.left});
            const int right = std::min({part.right(), limit.right(), span.right});
            if (left > right)
                continue;
            BlendRow(reinterpret_cast<QRgb*>(bits + y * stride) + left,
                     coverage.constScanLine(y - box.top()) + (left - box.left()), right - left + 1,
                     ink);
        }
    }
}

void TextStamp::BlendCoverage(QImage& picture, QRgb ink, const QImage& coverage, QPoint at,
                              const QRect& part)
{
    const QRect r = part & QRect(at, coverage.size()) & picture.rect();
    for (int y = r.top(); y <= r.bottom(); ++y)
        BlendRow(reinterpret_cast<QRgb*>(picture.scanLine(y)) + r.left(),
                 coverage.constScanLine(y - at.y()) + (r.left() - at.x()), r.width(), ink);
}
