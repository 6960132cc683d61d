#include "app/LayoutTable.h"

#include <algorithm>

namespace {

constexpr LayoutRow Fixed(int id, int kind, int x, int y, int w, int h)
{
    return {id, kind, {QRect(x, y, w, h), QRect(x, y, w, h), QRect(x, y, w, h), QRect(x, y, w, h)}};
}

const std::array<LayoutRow, LayoutTable::RowCount> rows = {{
    {0,
     LayoutRow::Window,
     {QRect(0, 0, 660, 560), QRect(0, 0, 817, 678), QRect(0, 0, 860, 710), QRect(0, 0, 980, 800)}},
    {1005,
     LayoutRow::MovedOnly,
     {QRect(10, 50, 640, 480), QRect(10, 50, 797, 598), QRect(10, 50, 840, 630),
      QRect(10, 50, 960, 720)}},
    Fixed(1014, LayoutRow::BitmapButton, 10, 10, 24, 24),
    Fixed(1011, LayoutRow::BitmapButton, 34, 10, 24, 24),
    Fixed(1010, LayoutRow::BitmapButton, 58, 10, 24, 24),
    Fixed(1009, LayoutRow::BitmapButton, 82, 10, 24, 24),
    Fixed(1017, LayoutRow::BitmapButton, 130, 10, 24, 24),
    Fixed(1020, LayoutRow::BitmapButton, 154, 10, 10, 24),
    Fixed(1016, LayoutRow::BitmapButton, 164, 10, 24, 24),
    Fixed(1019, LayoutRow::BitmapButton, 188, 10, 10, 24),
    Fixed(1015, LayoutRow::BitmapButton, 198, 10, 24, 24),
    Fixed(1018, LayoutRow::BitmapButton, 222, 10, 10, 24),
    Fixed(1023, LayoutRow::BitmapButton, 280, 10, 24, 24),
    Fixed(1022, LayoutRow::BitmapButton, 304, 10, 24, 24),
    Fixed(1021, LayoutRow::BitmapButton, 328, 10, 24, 24),
    Fixed(1012, LayoutRow::BitmapButton, 352, 10, 24, 24),
    Fixed(1024, LayoutRow::BitmapButton, 376, 10, 24, 24),
    Fixed(1025, LayoutRow::BitmapButton, 400, 10, 24, 24),
    {1027,
     LayoutRow::MovedOnly,
     {QRect(440, 28, 115, 16), QRect(597, 28, 115, 16), QRect(640, 28, 115, 16),
      QRect(760, 28, 115, 16)}},
    {1026,
     LayoutRow::MovedOnly,
     {QRect(558, 28, 92, 16), QRect(715, 28, 92, 16), QRect(758, 28, 92, 16),
      QRect(878, 28, 92, 16)}},
    {1008,
     LayoutRow::SkinnedButton,
     {QRect(596, 5, 20, 20), QRect(753, 5, 20, 20), QRect(796, 5, 20, 20), QRect(916, 5, 20, 20)}},
    {1007,
     LayoutRow::SkinnedButton,
     {QRect(618, 5, 20, 20), QRect(775, 5, 20, 20), QRect(818, 5, 20, 20), QRect(938, 5, 20, 20)}},
    {1006,
     LayoutRow::SkinnedButton,
     {QRect(640, 5, 20, 20), QRect(797, 5, 20, 20), QRect(840, 5, 20, 20), QRect(960, 5, 20, 20)}},
    {1032,
     LayoutRow::MovedOnly,
     {QRect(10, 540, 635, 16), QRect(10, 658, 792, 16), QRect(10, 690, 835, 16),
      QRect(10, 780, 955, 16)}},
}};

} // namespace

namespace LayoutTable {

const std::array<LayoutRow, RowCount>& Rows()
{
    return rows;
}

QRect Rect(int row, int sizeStep)
{
    if (row < 0 || row >= RowCount)
        return {};
    return rows[size_t(row)].rects[size_t(std::clamp(sizeStep, 0, StepCount - 1))];
}

int RowOf(int controlId)
{
    for (int i = 1; i < RowCount; ++i)
        if (rows[size_t(i)].controlId == controlId)
            return i;
    return -1;
}

QRect RectOf(int controlId, int sizeStep)
{
    const int row = RowOf(controlId);
    return row < 0 ? QRect() : Rect(row, sizeStep);
}

QSize WindowSize(int sizeStep)
{
    return Rect(0, sizeStep).size();
}

} // namespace LayoutTable
