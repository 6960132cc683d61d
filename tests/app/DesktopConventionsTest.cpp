#include "EditorWindowSupport.h"

#include "app/CBitmapButton.h"
#include "app/CSpawnMenu.h"
#include "app/LayoutTable.h"
#include "text/LanguageTable.h"

#include <string>
#include <vector>

namespace {

using enum ControlId;

QImage Shown(const CBitmapButton* button)
{
    const QPixmap* bitmap = button->CurrentBitmap();
    return bitmap ? bitmap->toImage() : QImage();
}

QImage Artwork(const QString& name)
{
    return QImage(":/artwork/" + name + ".png");
}

// The keys start on the view, so Space presses no button; Tab then walks a
// visible focus through the buttons in their order and back to the view.
TEST_F(EditorWindowTest, KeysStartOnTheViewAndTabWalksTheButtons)
{
    CLumvexImgEdtDlg& w = OpenMagnified();
    QApplication::setActiveWindow(&w);
    EXPECT_EQ(QApplication::focusWidget(), &w.View());
    // Focus that the pointer left behind shows no focus look.
    w.Button(Undo)->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(Shown(w.Button(Undo)), Artwork("UNDOU"));
    w.View().setFocus(Qt::OtherFocusReason);

    for (const LayoutRow& row : LayoutTable::Rows()) {
        if (!row.HasTooltip() || !w.Button(row.controlId)->isVisible())
            continue;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), w.Button(row.controlId)) << CommandOf(row.controlId);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), &w.View());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), w.Button(Close));
    EXPECT_EQ(Shown(w.Button(Close)), Artwork("CLOSEBLUEF"));
}

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
    w.output.saveAs = record("save as");
    w.output.copyImage = record("copy picture");
    w.output.copyFile = record("copy file");
    w.output.next = record("next");
    w.output.previous = record("previous");
    w.output.fullScreen = record("full screen");
    w.output.zoomIn = record("zoom in");
    w.output.zoomOut = record("zoom out");
    boxAnswer = 2; // the unsaved-changes question is closed without an answer

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

    // Close asks the CLOSE button's question, and stays open when it is dismissed.
    for (Qt::Key key : {Qt::Key_W, Qt::Key_Q}) {
        boxes.clear();
        QTest::keyClick(&view, key, ctrl);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].message, w.Language().MessageText(Texts::ModifiedMessage));
        EXPECT_FALSE(w.IsClosed());
    }

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
