#pragma once

#include <QRect>

#include <array>

// Where the window and each of its controls sit for each of the four window
// sizes, relative to the window's client area.
struct LayoutRow
{
    enum Kind { Window = 0, BitmapButton = 3, SkinnedButton = 6, MovedOnly = 7 };

    int controlId;
    int kind;
    std::array<QRect, 4> rects;
};

namespace LayoutTable {

constexpr int RowCount = 24;
constexpr int StepCount = 4;

const std::array<LayoutRow, RowCount>& Rows();

// The rectangle of a row for a size step (clamped to 0..3).
QRect Rect(int row, int sizeStep);
// The row of a control id, or -1.
int RowOf(int controlId);
// The rectangle of a control for a size step; empty for an unknown id.
QRect RectOf(int controlId, int sizeStep);
QSize WindowSize(int sizeStep);

} // namespace LayoutTable
