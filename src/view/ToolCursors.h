#pragma once

#include "view/ToolMode.h"

#include <QCursor>

// The two cursors of the tools, drawn at run time: a pencil with its tip at
// (11, 20) and a cross hair centred on (16, 15), both 32 x 32.
class ToolCursors
{
  public:
    static QCursor Pencil();
    static QCursor CrossHair();
    // The cursor for a tool mode: pencil, cross hair or the arrow.
    static QCursor ForTool(ToolMode toolMode);
};
