#include "output/WindowPlacement.h"

#include <algorithm>

namespace WindowPlacement {

QSize WindowSize(int step) {
    static constexpr int sizes[][2] = {{660, 560}, {817, 678}, {860, 710}, {980, 800}};
    const int i = std::clamp(step, MinStep, MaxStep);
    return {sizes[i][0], sizes[i][1]};
}

int StepAfterZoom(int step, int delta) {
    return std::clamp(step + delta, MinStep, MaxStep);
}

QPoint CentredPosition(QSize window, QSize screen) {
    const int left = screen.width() > window.width() ? (screen.width() - window.width()) / 2 : 0;
    const int top = screen.height() > window.height() ? (screen.height() - window.height()) / 2 : 0;
    return {left, top};
}

QRect WindowGeometry(int step, QSize screen) {
    const QSize size = WindowSize(step);
    return {CentredPosition(size, screen), size};
}

FullScreenLayout FullScreenGeometry(QSize screen) {
    const int w = screen.width();
    const int h = screen.height();
    return {QRect(0, -FullScreenTopHidden, w, h + FullScreenTopHidden),
            QRect(0, FullScreenTopHidden, w, h), QRect(0, 0, w, h)};
}

} // namespace WindowPlacement
