#pragma once

#include <QImage>
#include <QRect>
#include <QSize>

#include <cstdint>
#include <vector>

// Stretches the working picture over the view by area averaging: every view
// pixel is the exact average of the picture area it covers. Each view pixel
// depends only on its own area, so redrawing part of the view gives the same
// pixels as redrawing all of it.
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

    // The view columns (or rows) whose pixels read picture column (row) v.
    int FirstViewColumn(int x) const { return First(x, picture.width(), view.width()); }
    int LastViewColumn(int x) const { return Last(x, picture.width(), view.width()); }
    int FirstViewRow(int y) const { return First(y, picture.height(), view.height()); }
    int LastViewRow(int y) const { return Last(y, picture.height(), view.height()); }

  private:
    // Per view index along one axis: the picture pixels it covers and their
    // overlap, in units of 1/viewLength of a picture pixel (summing to the
    // picture length).
    struct Axis
    {
        std::vector<int> first;
        std::vector<int> count;
        std::vector<int> offset;
        std::vector<uint32_t> weights;
    };
    static Axis MakeAxis(int in, int out);
    static int First(int v, int in, int out);
    static int Last(int v, int in, int out);

    QSize picture;
    QSize view;
    Axis columns;
    Axis rows;
};
