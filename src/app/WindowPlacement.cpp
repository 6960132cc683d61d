#include "app/WindowPlacement.h"

#include "app/LayoutTable.h"

#include <algorithm>

namespace WindowPlacement {

QSize WindowSize(int step)
{
    return LayoutTable::WindowSize(std::clamp(step, MinStep, MaxStep));
}

int StepAfterZoom(int step, int delta)
{
    return std::clamp(step + delta, MinStep, MaxStep);
}

QPoint CentredPosition(QSize window, QSize screen)
{
    const int left = screen.width() > window.width() ? (screen.width() - window.width()) / 2 : 0;
    const int top = screen.height() > window.height() ? (screen.height() - window.height()) / 2 : 0;
    return {left, top};
}

QRect WindowGeometry(int step, QSize screen)
{
    const QSize size = WindowSize(step);
    return {CentredPosition(size, screen), size};
}

FullScreenLayout FullScreenGeometry(QSize screen)
{
    const int w = screen.width();
    const int h = screen.height();
    return {QRect(0, -FullScreenTopHidden, w, h + FullScreenTopHidden),
            QRect(0, FullScreenTopHidden, w, h), QRect(0, 0, w, h)};
}

} // namespace WindowPlacement
