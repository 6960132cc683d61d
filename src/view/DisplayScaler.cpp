#include "view/DisplayScaler.h"

#include <algorithm>

DisplayScaler::DisplayScaler(QSize picture, QSize view)
    : picture(picture), view(view), columns(MakeAxis(picture.width(), view.width())),
      rows(MakeAxis(picture.height(), view.height()))
{}

DisplayScaler::Axis DisplayScaler::MakeAxis(int in, int out)
{
    Axis axis;
    if (in <= 0 || out <= 0)
        return axis;
    axis.first.resize(size_t(out));
    axis.count.resize(size_t(out));
    axis.offset.resize(size_t(out));
    // View pixel i covers [i * in, (i + 1) * in) and picture pixel k covers
    // [k * out, (k + 1) * out), both in units of 1/out picture pixel.
    for (int i = 0; i < out; ++i) {
        const int64_t from = int64_t(i) * in;
        const int64_t to = from + in;
        const int k0 = int(from / out);
        const int k1 = int((to - 1) / out);
        axis.first[size_t(i)] = k0;
        axis.count[size_t(i)] = k1 - k0 + 1;
        axis.offset[size_t(i)] = int(axis.weights.size());
        for (int k = k0; k <= k1; ++k) {
            const int64_t overlap =
                std::min(to, int64_t(k + 1) * out) - std::max(from, int64_t(k) * out);
            axis.weights.push_back(uint32_t(overlap));
        }
    }
    return axis;
}

int DisplayScaler::First(int v, int in, int out)
{
    // The first view pixel whose interval reaches past the start of v.
    return int((int64_t(v) * out) / in);
}

int DisplayScaler::Last(int v, int in, int out)
{
    return int((int64_t(v + 1) * out - 1) / in);
}

QImage DisplayScaler::ScaleAll(const QImage& source) const
{
    QImage target(view, QImage::Format_RGB32);
    if (target.isNull())
        return target;
    ScaleRect(source, target, QRect(QPoint(0, 0), view));
    return target;
}

void DisplayScaler::ScaleRect(const QImage& source, QImage& target, const QRect& viewRect) const
{
    const QRect area = viewRect & QRect(QPoint(0, 0), view);
    if (area.isEmpty() || source.size() != picture || target.size() != view ||
        source.format() != QImage::Format_RGB32 || target.format() != QImage::Format_RGB32)
        return;
    const uint64_t total = uint64_t(picture.width()) * uint64_t(picture.height());
    const int width = area.width();
    // Per view column of the rectangle: red, green and blue sums.
    thread_local std::vector<uint64_t> sums;
    sums.resize(size_t(width) * 3);
    for (int dy = area.top(); dy <= area.bottom(); ++dy) {
        std::fill(sums.begin(), sums.end(), 0);
        const int rowFirst = rows.first[size_t(dy)];
        const uint32_t* rowWeights = rows.weights.data() + rows.offset[size_t(dy)];
        for (int r = 0; r < rows.count[size_t(dy)]; ++r) {
            const uint64_t wy = rowWeights[r];
            const auto* line = reinterpret_cast<const QRgb*>(source.constScanLine(rowFirst + r));
            for (int i = 0; i < width; ++i) {
                const size_t dx = size_t(area.left() + i);
                const QRgb* pixel = line + columns.first[dx];
                const uint32_t* w = columns.weights.data() + columns.offset[dx];
                uint32_t red = 0, green = 0, blue = 0;
                for (int c = 0; c < columns.count[dx]; ++c) {
                    red += w[c] * uint32_t(qRed(pixel[c]));
                    green += w[c] * uint32_t(qGreen(pixel[c]));
                    blue += w[c] * uint32_t(qBlue(pixel[c]));
                }
                sums[size_t(i) * 3] += wy * red;
                sums[size_t(i) * 3 + 1] += wy * green;
                sums[size_t(i) * 3 + 2] += wy * blue;
            }
        }
        auto* out = reinterpret_cast<QRgb*>(target.scanLine(dy)) + area.left();
        for (int i = 0; i < width; ++i) {
            out[i] = qRgb(int((sums[size_t(i) * 3] + total / 2) / total),
                          int((sums[size_t(i) * 3 + 1] + total / 2) / total),
                          int((sums[size_t(i) * 3 + 2] + total / 2) / total));
        }
    }
}
