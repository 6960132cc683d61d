#pragma once

#include <QPoint>
#include <QSize>
#include <Qt>

// Where the next click goes when the keyboard aims: the pointer's position
// mapped to the picture, moved by the arrow keys until the pointer moves.
class PointAiming
{
  public:
    enum class Action { None, ToggleLoupe, Nudge, Click, DoubleClick };
    struct KeyAction
    {
        Action action = Action::None;
        QPoint step;
        bool operator==(const KeyAction&) const = default;
    };

    // What a key does outside text typing. placingPoints: a tool that places
    // its points by clicks is chosen and the pointer is over the picture.
    static KeyAction ForKey(int key, Qt::KeyboardModifiers modifiers, bool placingPoints);

    // The pointer in view pixels; a real move drops the nudge, a repeated
    // position (Qt sends those now and then) keeps it.
    void PointerAt(QPoint window, bool overView);
    void Leave() { overView = false; }
    bool OverView() const { return overView; }
    QPoint Pointer() const { return pointer; }

    // The point the next click places, in picture pixels.
    QPoint Pending(QSize picture, QSize view) const;
    // Moves the pending point, keeping it on the picture, and returns it.
    QPoint Nudge(QPoint step, QSize picture, QSize view);

  private:
    QPoint pointer;
    QPoint nudge;
    bool overView = false;
};
