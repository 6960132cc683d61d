#pragma once

#include <cstdint>

// The editor window's controls by their ids. Buttons, keys and menu items
// share one command space: a pressed button runs the command of its id.
enum class ControlId : int {
    Window = 0,
    Ok = 1,
    Cancel = 2,
    Frame = 1005,
    Close = 1006,
    Max = 1007,
    Min = 1008,
    Mail = 1009,
    CopyImage = 1010,
    CopyFile = 1011,
    Redo = 1012,
    Color = 1013,
    SaveAs = 1014,
    Measurement = 1015,
    Text = 1016,
    Drawing = 1017,
    MeasurementExtern = 1018,
    TextExtern = 1019,
    DrawingExtern = 1020,
    Undo = 1021,
    Next = 1022,
    Previous = 1023,
    ZoomIn = 1024,
    ZoomOut = 1025,
    MagnificationBox = 1026,
    MagnificationLabel = 1027,
    RemarkBox = 1032,
};

// The command a control's button runs.
constexpr uint32_t CommandOf(ControlId id)
{
    return uint32_t(id);
}
