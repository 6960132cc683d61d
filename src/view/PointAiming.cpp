#include "view/PointAiming.h"

#include "view/ViewMapping.h"

#include <algorithm>

PointAiming::KeyAction PointAiming::ForKey(int key, Qt::KeyboardModifiers modifiers,
                                           bool placingPoints)
{
    const Qt::KeyboardModifiers mods = modifiers & ~Qt::KeypadModifier;
    if (key == Qt::Key_L && (mods & ~Qt::ShiftModifier) == Qt::NoModifier)
        return {Action::ToggleLoupe, {}};
    if (!placingPoints || (mods & (Qt::AltModifier | Qt::MetaModifier)))
        return {};
    const int step = mods & Qt::ShiftModifier ? 10 : 1;
    const bool plain = (mods & Qt::ControlModifier) == 0;
    switch (key) {
    case Qt::Key_Left:
        return plain ? KeyAction{Action::Nudge, {-step, 0}} : KeyAction{};
    case Qt::Key_Right:
        return plain ? KeyAction{Action::Nudge, {step, 0}} : KeyAction{};
    case Qt::Key_Up:
        return plain ? KeyAction{Action::Nudge, {0, -step}} : KeyAction{};
    case Qt::Key_Down:
        return plain ? KeyAction{Action::Nudge, {0, step}} : KeyAction{};
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return {plain ? Action::Click : Action::DoubleClick, {}};
    case Qt::Key_Space:
        return plain ? KeyAction{Action::Click, {}} : KeyAction{};
    default:
        return {};
    }
}

void PointAiming::PointerAt(QPoint window, bool nowOverView)
{
    if (!overView || !nowOverView || window != pointer)
        nudge = {};
    pointer = window;
    overView = nowOverView;
}

QPoint PointAiming::Pending(QSize picture, QSize view) const
{
    return ViewMapping::WindowToPicture(pointer, picture, view) + nudge;
}

QPoint PointAiming::Nudge(QPoint step, QSize picture, QSize view)
{
    const QPoint wanted = Pending(picture, view) + step;
    const QPoint kept(std::clamp(wanted.x(), 0, std::max(0, picture.width() - 1)),
                      std::clamp(wanted.y(), 0, std::max(0, picture.height() - 1)));
    nudge += kept - Pending(picture, view);
    return kept;
}
