#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where the editor window goes at each of its four sizes and in full screen.
namespace WindowPlacement {

constexpr int MinStep = 0;
constexpr int MaxStep = 3;
// Rows of the window that lie above the screen in full screen.
constexpr int FullScreenTopHidden = 60;

QSize WindowSize(int step);

// ZOOMIN (+1) and ZOOMOUT (-1), kept within 0 to 3.
int StepAfterZoom(int step, int delta);

// Centred on the screen; an axis where the window does not fit starts at 0.
QPoint CentredPosition(QSize window, QSize screen);

// The window's rectangle for a size step on a screen.
QRect WindowGeometry(int step, QSize screen);

struct FullScreenLayout
{
    QRect window; // in screen coordinates
    QRect frame;  // in the window's client coordinates
    QRect view;   // in the frame's client coordinates
};

// The window at (0, -60) and W x (H + 60), its frame covering the screen.
FullScreenLayout FullScreenGeometry(QSize screen);

} // namespace WindowPlacement
