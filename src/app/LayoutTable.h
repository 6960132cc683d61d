#pragma once

#include "app/ControlId.h"
#include "text/LanguageTable.h"

#include <QRect>

#include <array>

// The window and each of its controls: where they sit for each of the four
// window sizes (relative to the client area) and, for the buttons, the
// artwork their caption names and their tooltip. Rows run in tooltip order,
// which is also the keyboard's order.
struct LayoutRow
{
    enum Kind { Window = 0, BitmapButton = 3, SkinnedButton = 6, MovedOnly = 7 };

    ControlId controlId;
    int kind;
    std::array<QRect, 4> rects;
    const char* artwork = nullptr;
    TextPair tooltip{0, 0};
    bool visible = true;

    bool IsButton() const { return kind == BitmapButton || kind == SkinnedButton; }
    bool HasTooltip() const { return tooltip.english != 0; }
};

namespace LayoutTable {

constexpr int RowCount = 25;
constexpr int StepCount = 4;

const std::array<LayoutRow, RowCount>& Rows();

// The rectangle of a row for a size step (clamped to 0..3).
QRect Rect(int row, int sizeStep);
// The row of a control id, or -1.
int RowOf(ControlId controlId);
// The rectangle of a control for a size step; empty for an unknown id.
QRect RectOf(ControlId controlId, int sizeStep);
QSize WindowSize(int sizeStep);

} // namespace LayoutTable
