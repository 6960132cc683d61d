#pragma once

#include "view/TouchedArea.h"

#include <QImage>

#include <algorithm>
#include <cstddef>
#include <vector>

// Pictures kept only within one area, as rows of pixels packed run after run:
// what lies under a few labels costs little, where whole copies would cost a
// picture each.
class AreaPixels
{
  public:
    using Layer = std::vector<QRgb>;

    // The area, as TouchedArea::Runs gives it, within a picture of the height.
    void SetArea(const std::vector<TouchedArea::Run>& runs, int height);
    void Clear();

    // The 32-bit picture's pixels within the area.
    Layer Capture(const QImage& picture) const;
    // Puts back the pixels of the runs into the picture: the layer's within
    // the area, those of the same-sized picture outside elsewhere.
    void Put(const Layer& layer, const QImage& outside, QImage& picture,
             const std::vector<TouchedArea::Run>& runs) const;
    // Puts the layer's pixels back into the picture in the whole area.
    void Put(const Layer& layer, QImage& picture) const;
    // Sets the picture's pixels within the area to the colour.
    void Fill(QImage& picture, QRgb colour) const;
    // Whether the runs meet the area.
    bool Meets(const std::vector<TouchedArea::Run>& runs) const;

    // Calls f(y, left, right, at) for each stretch of a row where the runs
    // meet the area, at being where left lies in a layer.
    template <typename F> void ForEachMeeting(const std::vector<TouchedArea::Run>& runs, F f) const
    {
        for (const TouchedArea::Run& run : runs) {
            if (run.y < 0 || run.y + 1 >= int(rowStart.size()))
                continue;
            for (size_t i = rowStart[size_t(run.y)]; i < rowStart[size_t(run.y) + 1]; ++i) {
                const TouchedArea::Run& kept = area[i];
                if (kept.left > run.right)
                    break;
                const int left = std::max(kept.left, run.left);
                const int right = std::min(kept.right, run.right);
                if (left <= right)
                    f(run.y, left, right, offsets[i] + size_t(left - kept.left));
            }
        }
    }

  private:
    std::vector<TouchedArea::Run> area;
    // Where each run of the area starts in a layer.
    std::vector<size_t> offsets;
    // The first run of each row, and of the row after the last.
    std::vector<size_t> rowStart;
    size_t pixels = 0;
};
