#include "EditorWindowSupport.h"

#include "app/CBitmapButton.h"
#include "app/CSpawnMenu.h"

#include <string>
#include <vector>

namespace {

using enum ControlId;

// Each key runs what its button runs; while text is typed, typing keys stay
// with the text.
TEST_F(EditorWindowTest, StandardKeysRunTheirButtonsCommands)
{
    CLumvexImgEdtDlg& w = OpenMagnified();
    CLumvexImgEdtView& view = w.View();
    std::vector<std::string> log;
    const auto record = [&log](const char* name) {
        return [&log, name] {
            log.push_back(name);
        };
    };
    auto& out = w.output;
    for (auto [command, name] : {std::pair{&out.saveAs, "save as"},
                                 {&out.copyImage, "copy picture"},
                                 {&out.copyFile, "copy file"},
                                 {&out.next, "next"},
                                 {&out.previous, "previous"},
                                 {&out.fullScreen, "full screen"},
                                 {&out.zoomIn, "zoom in"},
                                 {&out.zoomOut, "zoom out"}})
        *command = record(name);
    Choose(Drawing, 32803);
    Click({100, 100});
    Click({200, 100});
    ASSERT_EQ(view.modificationCount, 1);
    QPoint menuAt;
    w.hooks.popupMenu = [&](CSpawnMenu& menu, QPoint at) {
        log.push_back(menu.ActionFor(32803) ? "drawing menu" : "measuring menu");
        menuAt = at;
        return 0u;
    };
    boxAnswer = 2; // the unsaved-changes question is closed without an answer
    w.hooks.messageBox = [&](const QString&, const QString& message, const QString&,
                             const QString&) {
        log.push_back(message == w.Language().MessageText(Texts::ModifiedMessage) ? "close" : "?");
        return boxAnswer;
    };

    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    const Qt::KeyboardModifiers ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
    struct KeyCase
    {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* effect;            // what the log gains, "" for nothing
        int modified;                  // the modification count afterwards
        ControlId menuButton = Window; // a tool menu opens below this button
    };
    const KeyCase cases[] = {
        {Qt::Key_Z, ctrl, "", 0},
        {Qt::Key_Y, ctrl, "", 1},
        {Qt::Key_Z, ctrl, "", 0},
        {Qt::Key_Z, ctrlShift, "", 1},
        {Qt::Key_S, ctrl, "save as", 1},
        {Qt::Key_C, ctrl, "copy picture", 1},
        {Qt::Key_C, ctrlShift, "copy file", 1},
        {Qt::Key_PageDown, Qt::NoModifier, "next", 1},
        {Qt::Key_PageUp, Qt::NoModifier, "previous", 1},
        {Qt::Key_F11, Qt::NoModifier, "full screen", 1},
        {Qt::Key_Plus, ctrlShift, "zoom in", 1},
        {Qt::Key_Equal, ctrl, "zoom in", 1},
        {Qt::Key_Plus, ctrl | Qt::KeypadModifier, "zoom in", 1},
        {Qt::Key_Minus, ctrl, "zoom out", 1},
        {Qt::Key_F10, Qt::NoModifier, "drawing menu", 1, Drawing},
        {Qt::Key_D, Qt::AltModifier, "drawing menu", 1, Drawing},
        {Qt::Key_M, Qt::AltModifier, "measuring menu", 1, Measurement},
        {Qt::Key_W, ctrl, "close", 1},
        {Qt::Key_Q, ctrl, "close", 1},
        {Qt::Key_S, Qt::NoModifier, "", 1},
        {Qt::Key_S, ctrl | Qt::AltModifier, "", 1},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "key " << c.key << " modifiers " << c.modifiers);
        log.clear();
        QTest::keyClick(&view, c.key, c.modifiers);
        EXPECT_EQ(log, std::vector<std::string>(*c.effect ? 1 : 0, c.effect));
        EXPECT_EQ(view.modificationCount, c.modified);
        if (c.menuButton != Window) {
            const QWidget* button = w.Button(c.menuButton);
            EXPECT_EQ(menuAt, button->mapToGlobal(QPoint(0, button->height())));
        }
    }
    EXPECT_FALSE(w.IsClosed());

    // Typing keeps its keys; the shortcuts that type nothing still work.
    Press(Text);
    Click({100, 200});
    ASSERT_EQ(view.State(), InteractionState::StateTyping);
    log.clear();
    QTest::keyClicks(&view, QStringLiteral("sdm"));
    QTest::keyClick(&view, Qt::Key_S, ctrl);
    EXPECT_EQ(view.TypedText(), QStringLiteral("sdm"));
    EXPECT_EQ(log, std::vector<std::string>{"save as"});
    boxAnswer = 7;
    QTest::keyClick(&view, Qt::Key_Q, ctrl);
    EXPECT_TRUE(w.IsClosed());
}

} // namespace
