#include "app/EditorKeys.h"

#include "app/CLumvexImgEdtDlg.h"
#include "app/ResultsController.h"

#include <QKeyEvent>

namespace {

using W = CLumvexImgEdtDlg;

struct Binding
{
    int key;
    Qt::KeyboardModifiers modifiers;
    int button;
};

constexpr Qt::KeyboardModifiers None = Qt::NoModifier;
constexpr Qt::KeyboardModifiers Ctrl = Qt::ControlModifier;
constexpr Qt::KeyboardModifiers CtrlShift = Qt::ControlModifier | Qt::ShiftModifier;
constexpr Qt::KeyboardModifiers Alt = Qt::AltModifier;

const Binding Bindings[] = {
    {Qt::Key_Z, Ctrl, W::IdUndo},
    {Qt::Key_Y, Ctrl, W::IdRedo},
    {Qt::Key_Z, CtrlShift, W::IdRedo},
    {Qt::Key_S, Ctrl, W::IdSaveAs},
    {Qt::Key_C, Ctrl, W::IdCopyImage},
    {Qt::Key_C, CtrlShift, W::IdCopyFile},
    {Qt::Key_PageDown, None, W::IdNext},
    {Qt::Key_PageUp, None, W::IdPrevious},
    {Qt::Key_F11, None, W::IdMax},
    {Qt::Key_Plus, Ctrl, W::IdZoomIn},
    {Qt::Key_Minus, Ctrl, W::IdZoomOut},
    {Qt::Key_W, Ctrl, W::IdClose},
    {Qt::Key_Q, Ctrl, W::IdClose},
    {Qt::Key_F10, None, W::IdDrawing},
    {Qt::Key_D, Alt, W::IdDrawing},
    {Qt::Key_M, Alt, W::IdMeasurement},
    {Qt::Key_R, Ctrl, int(ResultsController::CommandId)},
};

// Plus and minus are found with or without Shift, on the main keys or the
// keypad, and "=" is the unshifted plus of most layouts.
void Normalise(int& key, Qt::KeyboardModifiers& modifiers)
{
    modifiers &= Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier | Qt::MetaModifier;
    if (key == Qt::Key_Equal)
        key = Qt::Key_Plus;
    if (key == Qt::Key_Plus || key == Qt::Key_Minus)
        modifiers &= ~Qt::ShiftModifier;
}

bool TypesText(const QKeyEvent& event)
{
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = event.text();
    return !text.isEmpty() && text.at(0).isPrint();
}

} // namespace

int EditorKeys::ButtonFor(const QKeyEvent& event, bool typing)
{
    if (typing && TypesText(event))
        return 0;
    int key = event.key();
    Qt::KeyboardModifiers modifiers = event.modifiers();
    Normalise(key, modifiers);
    for (const Binding& b : Bindings)
        if (b.key == key && b.modifiers == modifiers)
            return b.button;
    return 0;
}
