#pragma once

#include <QPoint>
#include <QRect>
#include <QString>

// The status line under the picture: the picture's path and its remark.
namespace StatusLine {

constexpr int PathLimit = 40;
constexpr int PathTail = 33;

// A path longer than 40 characters keeps only its last 33, after "......";
// a remark follows after "   --   ".
QString Text(const QString& picturePath, const QString& remark);

// Whether a point hits the status rectangle, its right and bottom edges
// included (the rectangle's right edge is x + width).
bool Hits(const QRect& statusRect, QPoint point);

} // namespace StatusLine
