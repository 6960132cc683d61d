#include "app/LayoutTable.h"

#include <algorithm>

namespace {

constexpr LayoutRow Button(ControlId id, const char* artwork, TextPair tooltip, int x, int y, int w,
                           int h, bool visible = true)
{
    const QRect r(x, y, w, h);
    return {id, LayoutRow::BitmapButton, {r, r, r, r}, artwork, tooltip, visible};
}

constexpr LayoutRow Skinned(ControlId id, const char* artwork, TextPair tooltip, int x, int y)
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
    {ControlId::Window,
     LayoutRow::Window,
     {QRect(0, 0, 660, 560), QRect(0, 0, 817, 678), QRect(0, 0, 860, 710), QRect(0, 0, 980, 800)}},
    {ControlId::Frame,
     LayoutRow::MovedOnly,
     {QRect(10, 50, 640, 480), QRect(10, 50, 797, 598), QRect(10, 50, 840, 630),
      QRect(10, 50, 960, 720)}},
    Button(ControlId::SaveAs, "SAVEAS", Texts::TooltipSaveAs, 10, 10, 24, 24),
    Button(ControlId::CopyFile, "COPYFILE", Texts::TooltipCopyFile, 34, 10, 24, 24),
    Button(ControlId::CopyImage, "COPYIMAGE", Texts::TooltipCopyImage, 58, 10, 24, 24),
    Button(ControlId::Mail, "MAIL", Texts::TooltipMail, 82, 10, 24, 24, false),
    Button(ControlId::Drawing, "DRAWING", Texts::TooltipDrawing, 130, 10, 24, 24),
    Button(ControlId::DrawingExtern, "EXTERN", Texts::TooltipDrawingExtern, 154, 10, 10, 24),
    Button(ControlId::Text, "TEXT", Texts::TooltipText, 164, 10, 24, 24),
    Button(ControlId::TextExtern, "EXTERN", Texts::TooltipTextExtern, 188, 10, 10, 24),
    Button(ControlId::Measurement, "MEASUREMENT", Texts::TooltipMeasurement, 198, 10, 24, 24),
    Button(ControlId::MeasurementExtern, "EXTERN", Texts::TooltipMeasurement, 222, 10, 10, 24),
    Button(ControlId::Previous, "PREVIOUS", Texts::TooltipPrevious, 280, 10, 24, 24),
    Button(ControlId::Next, "NEXT", Texts::TooltipNext, 304, 10, 24, 24),
    Button(ControlId::Undo, "UNDO", Texts::TooltipUndo, 328, 10, 24, 24),
    Button(ControlId::Redo, "REDO", Texts::TooltipRedo, 352, 10, 24, 24),
    Button(ControlId::ZoomIn, "ZOOMIN", Texts::TooltipZoomIn, 376, 10, 24, 24),
    Button(ControlId::ZoomOut, "ZOOMOUT", Texts::TooltipZoomOut, 400, 10, 24, 24),
    {ControlId::MagnificationLabel,
     LayoutRow::MovedOnly,
     {QRect(440, 28, 115, 16), QRect(597, 28, 115, 16), QRect(640, 28, 115, 16),
      QRect(760, 28, 115, 16)}},
    {ControlId::MagnificationBox,
     LayoutRow::MovedOnly,
     {QRect(558, 28, 92, 16), QRect(715, 28, 92, 16), QRect(758, 28, 92, 16),
      QRect(878, 28, 92, 16)}},
    Skinned(ControlId::Min, "MIN", Texts::TooltipMin, 596, 5),
    Skinned(ControlId::Max, "MAX", Texts::TooltipMax, 618, 5),
    Skinned(ControlId::Close, "CLOSE", Texts::TooltipClose, 640, 5),
    // In the window template but never shown or placed.
    Button(ControlId::Color, "COLOR", {0, 0}, 0, 0, 0, 0, false),
    {ControlId::RemarkBox,
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

int RowOf(ControlId controlId)
{
    for (int i = 1; i < RowCount; ++i)
        if (rows[size_t(i)].controlId == controlId)
            return i;
    return -1;
}

QRect RectOf(ControlId controlId, int sizeStep)
{
    const int row = RowOf(controlId);
    return row < 0 ? QRect() : Rect(row, sizeStep);
}

QSize WindowSize(int sizeStep)
{
    return Rect(0, sizeStep).size();
}

} // namespace LayoutTable
