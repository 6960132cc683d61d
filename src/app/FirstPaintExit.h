#pragma once

#include <QObject>

// Start-up measurement: with LUMVEX_EXIT_AFTER_FIRST_PAINT set, the process
// prints "first paint" and ends as soon as the picture view has painted once,
// so a benchmark can time process start to first paint.
class FirstPaintExit : public QObject
{
  public:
    static bool Requested();
    // Watches the whole application; the caller owns nothing.
    static void Install();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
