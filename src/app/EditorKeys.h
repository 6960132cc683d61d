#pragma once

#include <cstdint>

class QKeyEvent;

// The desktop's usual keys while the picture view has the focus. Each stands
// for one of the window's buttons and runs exactly what that button runs.
class EditorKeys
{
  public:
    // The command a key press stands for, or 0. While text is being typed, keys
    // that type (printable characters without Ctrl or Alt) stay with the text.
    static uint32_t CommandFor(const QKeyEvent& event, bool typing);
};
