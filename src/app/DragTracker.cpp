#include "app/DragTracker.h"

#include <chrono>

QPoint DragTracker::Move(QPoint screenPosition, uint32_t tickMs, bool leftButtonDown)
{
    // Unsigned difference, so a wrapped tick count still measures the pause.
    const bool quick = uint32_t(tickMs - previousTick) < MaxPause;
    const QPoint offset = quick && leftButtonDown ? screenPosition - previousPosition : QPoint();
    previousPosition = screenPosition;
    previousTick = tickMs;
    return offset;
}

uint32_t DragTracker::Now()
{
    using namespace std::chrono;
    return uint32_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}
