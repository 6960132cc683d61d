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

void AreaPixels::Put(const Layer& layer, QImage& picture,
                     const std::vector<TouchedArea::Run>& runs) const
{
    ForEachMeeting(runs, [&](int y, int left, int right, size_t at) {
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
