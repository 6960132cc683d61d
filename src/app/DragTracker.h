#pragma once

#include <QPoint>

#include <cstdint>

// Moving the caption-less window by its background: a pointer move less than
// 300 ms after the previous one, with the left button down, moves the window by
// the pointer's travel; any other move only re-anchors.
class DragTracker
{
  public:
    static constexpr uint32_t MaxPause = 300;

    // Returns how far the window moves for this pointer move.
    QPoint Move(QPoint screenPosition, uint32_t tickMs, bool leftButtonDown);

    // Milliseconds since an arbitrary start, wrapping like a 32-bit tick count.
    static uint32_t Now();

  private:
    QPoint previousPosition;
    uint32_t previousTick = 0;
};
