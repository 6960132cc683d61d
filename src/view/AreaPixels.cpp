#include "view/AreaPixels.h"

#include <algorithm>
#include <cstring>

void AreaPixels::SetArea(const std::vector<TouchedArea::Run>& runs, int height)
{
    area = runs;
    offsets.resize(area.size());
    rowStart.assign(size_t(std::max(height, 0)) + 1, 0);
    pixels = 0;
    size_t i = 0;
    for (int y = 0; y < height; ++y) {
        rowStart[size_t(y)] = i;
        // Runs outside the picture's rows are left out.
        while (i < area.size() && area[i].y < y)
            offsets[i++] = pixels;
        for (; i < area.size() && area[i].y == y; ++i) {
            offsets[i] = pixels;
            pixels += size_t(area[i].right - area[i].left + 1);
        }
    }
    rowStart[size_t(std::max(height, 0))] = i;
}

void AreaPixels::Clear()
{
    area.clear();
    offsets.clear();
    rowStart.clear();
    pixels = 0;
}

AreaPixels::Layer AreaPixels::Capture(const QImage& picture) const
{
    Layer layer(pixels);
    for (size_t i = 0; i < area.size(); ++i) {
        const TouchedArea::Run& run = area[i];
        if (run.y < 0 || run.y >= picture.height())
            continue;
        std::memcpy(layer.data() + offsets[i],
                    reinterpret_cast<const QRgb*>(picture.constScanLine(run.y)) + run.left,
                    size_t(run.right - run.left + 1) * sizeof(QRgb));
    }
    return layer;
}

void AreaPixels::Put(const Layer& layer, const QImage& outside, QImage& picture,
                     const std::vector<TouchedArea::Run>& runs) const
{
    const size_t stride = size_t(picture.bytesPerLine()) / sizeof(QRgb);
    auto* to = reinterpret_cast<QRgb*>(picture.bits());
    const auto* from = reinterpret_cast<const QRgb*>(outside.constBits());
    auto copy = [](QRgb* target, const QRgb* source, int count) {
        std::memcpy(target, source, size_t(count) * sizeof(QRgb));
    };
    // Runs of a thin line lie one to a row, each on pages of its own: asking
    // for the pixels a few runs ahead hides most of the wait for them.
    constexpr size_t Ahead = 6;
    for (size_t r = 0; r < runs.size(); ++r) {
        if (r + Ahead < runs.size()) {
            const TouchedArea::Run& next = runs[r + Ahead];
            const size_t at = size_t(next.y) * stride + size_t(next.left);
            __builtin_prefetch(from + at);
            __builtin_prefetch(to + at, 1);
        }
        const TouchedArea::Run& run = runs[r];
        QRgb* row = to + size_t(run.y) * stride;
        const QRgb* outsideRow = from + size_t(run.y) * stride;
        int x = run.left;
        if (run.y >= 0 && run.y + 1 < int(rowStart.size())) {
            for (size_t i = rowStart[size_t(run.y)]; i < rowStart[size_t(run.y) + 1]; ++i) {
                const TouchedArea::Run& kept = area[i];
                if (kept.left > run.right)
                    break;
                if (kept.right < x)
                    continue;
                if (kept.left > x) {
                    copy(row + x, outsideRow + x, kept.left - x);
                    x = kept.left;
                }
                const int right = std::min(kept.right, run.right);
                copy(row + x, layer.data() + offsets[i] + size_t(x - kept.left), right - x + 1);
                x = right + 1;
            }
        }
        if (x <= run.right)
            copy(row + x, outsideRow + x, run.right - x + 1);
    }
}

void AreaPixels::Put(const Layer& layer, QImage& picture) const
{
    ForEachMeeting(area, [&](int y, int left, int right, size_t at) {
        std::memcpy(reinterpret_cast<QRgb*>(picture.scanLine(y)) + left, layer.data() + at,
                    size_t(right - left + 1) * sizeof(QRgb));
    });
}

bool AreaPixels::Meets(const std::vector<TouchedArea::Run>& runs) const
{
    bool met = false;
    ForEachMeeting(runs, [&](int, int, int, size_t) { met = true; });
    return met;
}

void AreaPixels::Fill(QImage& picture, QRgb colour) const
{
    ForEachMeeting(area, [&](int y, int left, int right, size_t) {
        std::fill_n(reinterpret_cast<QRgb*>(picture.scanLine(y)) + left, right - left + 1, colour);
    });
}
