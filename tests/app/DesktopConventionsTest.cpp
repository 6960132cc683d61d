#include "EditorWindowSupport.h"

#include "app/CBitmapButton.h"
#include "app/CSpawnMenu.h"
#include "app/EditorKeys.h"
#include "app/ResultsController.h"

#include <QKeyEvent>

namespace {

using enum ControlId;

// The desktop's usual keys stand for buttons; while text is typed, keys that
// type stay with the text and the shortcuts that type nothing still work.
TEST(EditorKeys, StandForTheirButtons)
{
    const Qt::KeyboardModifiers none = Qt::NoModifier, ctrl = Qt::ControlModifier,
                                ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
    struct Case
    {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        uint32_t command; // 0: none
        bool typing = false;
    };
    const Case cases[] = {
        {Qt::Key_Z, ctrl, CommandOf(Undo)},
        {Qt::Key_Y, ctrl, CommandOf(Redo)},
        {Qt::Key_Z, ctrlShift, CommandOf(Redo)},
        {Qt::Key_S, ctrl, CommandOf(SaveAs)},
        {Qt::Key_S, ctrl, CommandOf(SaveAs), true},
        {Qt::Key_C, ctrl, CommandOf(CopyImage)},
        {Qt::Key_C, ctrlShift, CommandOf(CopyFile)},
        {Qt::Key_PageDown, none, CommandOf(Next)},
        {Qt::Key_PageUp, none, CommandOf(Previous)},
        {Qt::Key_F11, none, CommandOf(Max)},
        {Qt::Key_Plus, ctrlShift, CommandOf(ZoomIn)},
        {Qt::Key_Equal, ctrl, CommandOf(ZoomIn)},
        {Qt::Key_Plus, ctrl | Qt::KeypadModifier, CommandOf(ZoomIn)},
        {Qt::Key_Minus, ctrl, CommandOf(ZoomOut)},
        {Qt::Key_F10, none, CommandOf(Drawing)},
        {Qt::Key_D, Qt::AltModifier, CommandOf(Drawing)},
        {Qt::Key_M, Qt::AltModifier, CommandOf(Measurement)},
        {Qt::Key_W, ctrl, CommandOf(Close)},
        {Qt::Key_Q, ctrl, CommandOf(Close)},
        {Qt::Key_R, ctrl, ResultsController::CommandId},
        {Qt::Key_S, none, 0},
        {Qt::Key_S, ctrl | Qt::AltModifier, 0},
        {Qt::Key_D, Qt::AltModifier, CommandOf(Drawing), true},
        {Qt::Key_M, none, 0, true},
    };
    for (const Case& c : cases) {
        const QString text = c.modifiers == none ? QKeySequence(c.key).toString().toLower() : "";
        const QKeyEvent event(QEvent::KeyPress, c.key, c.modifiers, text);
        EXPECT_EQ(EditorKeys::CommandFor(event, c.typing), c.command)
            << "key " << c.key << " modifiers " << c.modifiers << " typing " << c.typing;
    }
}

// A key on the view runs its button's command; a tool menu opened by a key
// shows below its button.
TEST_F(EditorWindowTest, KeysOnTheViewRunTheirCommands)
{
    CLumvexImgEdtDlg& w = OpenMagnified();
    int saves = 0;
    w.output.saveAs = [&] {
        ++saves;
    };
    QPoint menuAt;
    w.hooks.popupMenu = [&](CSpawnMenu&, QPoint at) {
        menuAt = at;
        return 0u;
    };
    QTest::keyClick(&w.View(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(saves, 1);
    for (const ControlId button : {Drawing, Measurement, Drawing}) {
        menuAt = {};
        QTest::keyClick(&w.View(), button == Drawing ? Qt::Key_D : Qt::Key_M, Qt::AltModifier);
        EXPECT_EQ(menuAt, w.Button(button)->mapToGlobal(QPoint(0, w.Button(button)->height())));
    }
    Press(Text);
    Click({100, 200});
    QTest::keyClicks(&w.View(), QStringLiteral("sdm"));
    EXPECT_EQ(w.View().TypedText(), QStringLiteral("sdm"));
    QTest::keyClick(&w.View(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_TRUE(w.IsClosed());
}

} // namespace
