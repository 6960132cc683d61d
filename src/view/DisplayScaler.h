#pragma once

#include "view/TouchedArea.h"

#include <QImage>
#include <QRect>
#include <QSize>

#include <cstdint>
#include <vector>

// Stretches the working picture over the view by area averaging: every view
// pixel is the exact average of the picture area it covers, rounded to the
// nearest value. Each view pixel depends only on its own area, so redrawing
// part of the view gives the same pixels as redrawing all of it.
//
// The average is separable: picture rows are first summed into one weighted
// row per view row, then columns of that row into view pixels, all in
// integers. The work is proportional to the picture's pixels plus the view's,
// whatever the two shapes: view rows that read the same picture rows with the
// same weights (an enlarged picture) are computed once and copied.
class DisplayScaler
{
  public:
    DisplayScaler() = default;
    DisplayScaler(QSize picture, QSize view);

    QSize PictureSize() const { return picture; }
    QSize ViewSize() const { return view; }

    // The whole view image (RGB32) for a picture of the scaler's size.
    QImage ScaleAll(const QImage& source) const;
    // Recomputes the view pixels of one rectangle in place.
    void ScaleRect(const QImage& source, QImage& target, const QRect& viewRect) const;
    // The same for runs of view rows, each run one rectangle.
    void ScaleRuns(const QImage& source, QImage& target,
                   const std::vector<TouchedArea::Run>& viewRuns) const;

    // The view columns (or rows) whose pixels read picture column (row) v.
    int FirstViewColumn(int x) const
    {
        return Lookup(columns.firstView, x, &First, picture.width(), view.width());
    }
    int LastViewColumn(int x) const
    {
        return Lookup(columns.lastView, x, &Last, picture.width(), view.width());
    }
    int FirstViewRow(int y) const
    {
        return Lookup(rows.firstView, y, &First, picture.height(), view.height());
    }
    int LastViewRow(int y) const
    {
        return Lookup(rows.lastView, y, &Last, picture.height(), view.height());
    }

  private:
    // Per view index along one axis: the picture pixels it covers and their
    // overlap. Overlaps are counted in units of gcd(in, out)/out of a picture
    // pixel, so those of one view pixel sum to in / gcd(in, out).
    struct Axis
    {
        std::vector<int> first;
        std::vector<int> count;
        std::vector<int> offset;
        std::vector<uint32_t> weights;
        uint32_t total = 0;
        // Whether view index i reads the same pixels with the same weights as i - 1.
        std::vector<bool> repeatsPrevious;
        // Per picture index: the first and last view index reading it.
        std::vector<int> firstView;
        std::vector<int> lastView;
    };
    // The table's entry for v, or the computed one beyond the picture.
    static int Lookup(const std::vector<int>& table, int v, int (*compute)(int, int, int), int in,
                      int out)
    {
        return v >= 0 && size_t(v) < table.size() ? table[size_t(v)] : compute(v, in, out);
    }
    static Axis MakeAxis(int in, int out);
    static int First(int v, int in, int out);
    static int Last(int v, int in, int out);

    // One view row's weighted sum of picture rows over picture columns
    // [from, from + width), four lanes per pixel.
    template <typename Lane>
    void SumRows(const QImage& source, int viewRow, int from, int width,
                 std::vector<Lane>& sums) const;
    // Areas within the view, the images checked.
    template <typename Lane>
    void ScaleRows(const QImage& source, QImage& target, const QRect* areas, size_t count) const;
    void ScaleAreas(const QImage& source, QImage& target, const QRect* areas, size_t count) const;
    void Prefetch(const QImage& source, const QRect& area) const;

    QSize picture;
    QSize view;
    Axis columns;
    Axis rows;
};
