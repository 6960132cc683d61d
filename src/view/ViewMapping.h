#pragma once

#include <QPoint>
#include <QSize>

// Window-to-picture arithmetic of the picture view. The picture is stretched
// over the whole view, so the axes scale independently; ratios are single
// precision and results truncate toward zero.
namespace ViewMapping {

float ScaleX(QSize picture, QSize view);
float ScaleY(QSize picture, QSize view);

QPoint WindowToPicture(QPoint q, QSize picture, QSize view);

// Pen widths and font heights: L * mean scale + 0.5, truncated toward zero, so
// a negative font height moves toward zero.
int ScaleToPicture(int length, QSize picture, QSize view);

// No lower bound: while the mouse is captured, points left of or above the
// view pass and map to negative picture coordinates.
inline bool IsInsideView(QPoint q, QSize view)
{
    return q.x() <= view.width() && q.y() <= view.height();
}

} // namespace ViewMapping
