#pragma once

#include "platform/GdiTypes.h"

class GdiContext;

// Something the user is drawing on the picture right now. It holds picture
// coordinates only and draws itself into the working picture.
class CDrawObject
{
  public:
    virtual ~CDrawObject();

    virtual void Draw(GdiContext& dc) = 0;
    virtual void Offset(int dx, int dy);
    virtual void SetBounds(const GdiPoint& from, const GdiPoint& to);

    double pixelSize = 0.355;
    GdiRect bounds;
    int32_t width = 0;
    int32_t style = 0;
};
