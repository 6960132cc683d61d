#include "app/EditorKeys.h"

#include "app/ControlId.h"
#include "app/ResultsController.h"

#include <QKeyEvent>

namespace {

struct Binding
{
    int key;
    Qt::KeyboardModifiers modifiers;
    uint32_t command;
};

constexpr Qt::KeyboardModifiers None = Qt::NoModifier;
constexpr Qt::KeyboardModifiers Ctrl = Qt::ControlModifier;
constexpr Qt::KeyboardModifiers CtrlShift = Qt::ControlModifier | Qt::ShiftModifier;
constexpr Qt::KeyboardModifiers Alt = Qt::AltModifier;

const Binding Bindings[] = {
    {Qt::Key_Z, Ctrl, CommandOf(ControlId::Undo)},
    {Qt::Key_Y, Ctrl, CommandOf(ControlId::Redo)},
    {Qt::Key_Z, CtrlShift, CommandOf(ControlId::Redo)},
    {Qt::Key_S, Ctrl, CommandOf(ControlId::SaveAs)},
    {Qt::Key_C, Ctrl, CommandOf(ControlId::CopyImage)},
    {Qt::Key_C, CtrlShift, CommandOf(ControlId::CopyFile)},
    {Qt::Key_PageDown, None, CommandOf(ControlId::Next)},
    {Qt::Key_PageUp, None, CommandOf(ControlId::Previous)},
    {Qt::Key_F11, None, CommandOf(ControlId::Max)},
    {Qt::Key_Plus, Ctrl, CommandOf(ControlId::ZoomIn)},
    {Qt::Key_Minus, Ctrl, CommandOf(ControlId::ZoomOut)},
    {Qt::Key_W, Ctrl, CommandOf(ControlId::Close)},
    {Qt::Key_Q, Ctrl, CommandOf(ControlId::Close)},
    {Qt::Key_F10, None, CommandOf(ControlId::Drawing)},
    {Qt::Key_D, Alt, CommandOf(ControlId::Drawing)},
    {Qt::Key_M, Alt, CommandOf(ControlId::Measurement)},
    {Qt::Key_R, Ctrl, ResultsController::CommandId},
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

uint32_t EditorKeys::CommandFor(const QKeyEvent& event, bool typing)
{
    if (typing && TypesText(event))
        return 0;
    int key = event.key();
    Qt::KeyboardModifiers modifiers = event.modifiers();
    Normalise(key, modifiers);
    for (const Binding& b : Bindings)
        if (b.key == key && b.modifiers == modifiers)
            return b.command;
    return 0;
}
