#include "view/ViewMapping.h"

#include <cmath>
#include <limits>

namespace ViewMapping {

namespace {

float Ratio(int pictureLength, int viewLength)
{
    // A view of no size (minimised) maps one to one rather than dividing by zero.
    if (viewLength <= 0)
        return 1.0f;
    return float(pictureLength) / float(viewLength);
}

int Truncate(double v)
{
    if (!std::isfinite(v))
        return 0;
    if (v >= double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (v <= double(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return int(v);
}

} // namespace

float ScaleX(QSize picture, QSize view)
{
    return Ratio(picture.width(), view.width());
}
float ScaleY(QSize picture, QSize view)
{
    return Ratio(picture.height(), view.height());
}

QPoint WindowToPicture(QPoint q, QSize picture, QSize view)
{
    const float sx = ScaleX(picture, view);
    const float sy = ScaleY(picture, view);
    return {Truncate(float(q.x()) * sx), Truncate(float(q.y()) * sy)};
}

int ScaleToPicture(int length, QSize picture, QSize view)
{
    const float s = float((ScaleX(picture, view) + ScaleY(picture, view)) / 2.0);
    return Truncate(double(length) * double(s) + 0.5);
}

} // namespace ViewMapping
