#include "app/LayoutTable.h"

#include <algorithm>

namespace {

constexpr LayoutRow Button(int id, const char* artwork, TextPair tooltip, int x, int y, int w,
                           int h, bool visible = true)
{
    const QRect r(x, y, w, h);
    return {id, LayoutRow::BitmapButton, {r, r, r, r}, artwork, tooltip, visible};
}

constexpr LayoutRow Skinned(int id, const char* artwork, TextPair tooltip, int x, int y)
{
    // Window buttons keep their distance from the right edge.
    return {id,
            LayoutRow::SkinnedButton,
            {QRect(x, y, 20, 20), QRect(x + 157, y, 20, 20), QRect(x + 200, y, 20, 20),
             QRect(x + 320, y, 20, 20)},
            artwork,
            tooltip};
}

const std::array<LayoutRow, LayoutTable::RowCount> rows = {{
    {0,
     LayoutRow::Window,
     {QRect(0, 0, 660, 560), QRect(0, 0, 817, 678), QRect(0, 0, 860, 710), QRect(0, 0, 980, 800)}},
    {1005,
     LayoutRow::MovedOnly,
     {QRect(10, 50, 640, 480), QRect(10, 50, 797, 598), QRect(10, 50, 840, 630),
      QRect(10, 50, 960, 720)}},
    Button(1014, "SAVEAS", Texts::TooltipSaveAs, 10, 10, 24, 24),
    Button(1011, "COPYFILE", Texts::TooltipCopyFile, 34, 10, 24, 24),
    Button(1010, "COPYIMAGE", Texts::TooltipCopyImage, 58, 10, 24, 24),
    Button(1009, "MAIL", Texts::TooltipMail, 82, 10, 24, 24, false),
    Button(1017, "DRAWING", Texts::TooltipDrawing, 130, 10, 24, 24),
    Button(1020, "EXTERN", Texts::TooltipDrawingExtern, 154, 10, 10, 24),
    Button(1016, "TEXT", Texts::TooltipText, 164, 10, 24, 24),
    Button(1019, "EXTERN", Texts::TooltipTextExtern, 188, 10, 10, 24),
    Button(1015, "MEASUREMENT", Texts::TooltipMeasurement, 198, 10, 24, 24),
    Button(1018, "EXTERN", Texts::TooltipMeasurement, 222, 10, 10, 24),
    Button(1023, "PREVIOUS", Texts::TooltipPrevious, 280, 10, 24, 24),
    Button(1022, "NEXT", Texts::TooltipNext, 304, 10, 24, 24),
    Button(1021, "UNDO", Texts::TooltipUndo, 328, 10, 24, 24),
    Button(1012, "REDO", Texts::TooltipRedo, 352, 10, 24, 24),
    Button(1024, "ZOOMIN", Texts::TooltipZoomIn, 376, 10, 24, 24),
    Button(1025, "ZOOMOUT", Texts::TooltipZoomOut, 400, 10, 24, 24),
    {1027,
     LayoutRow::MovedOnly,
     {QRect(440, 28, 115, 16), QRect(597, 28, 115, 16), QRect(640, 28, 115, 16),
      QRect(760, 28, 115, 16)}},
    {1026,
     LayoutRow::MovedOnly,
     {QRect(558, 28, 92, 16), QRect(715, 28, 92, 16), QRect(758, 28, 92, 16),
      QRect(878, 28, 92, 16)}},
    Skinned(1008, "MIN", Texts::TooltipMin, 596, 5),
    Skinned(1007, "MAX", Texts::TooltipMax, 618, 5),
    Skinned(1006, "CLOSE", Texts::TooltipClose, 640, 5),
    // In the window template but never shown or placed.
    Button(1013, "COLOR", {0, 0}, 0, 0, 0, 0, false),
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
