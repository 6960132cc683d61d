#include "dialogs/CMessageBox.h"
#include "dialogs/ModalRunner.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The caller's texts, cut to their fields; the buttons side by side, or one
// button centred.
TEST(CMessageBox, ShowsTheCallersTextsOnOneOrTwoButtons)
{
    CMessageBox box;
    box.caption = QString(40, u'c');
    box.message = QString(200, u'm');
    box.yesText = QString(20, u'y');
    box.noText = QStringLiteral("NO");
    box.open();
    EXPECT_EQ(box.windowTitle(), QString(31, u'c'));
    EXPECT_EQ(box.MessageLabel()->text(), QString(127, u'm'));
    EXPECT_EQ(box.YesButton()->text(), QString(15, u'y'));
    EXPECT_EQ(box.NoButton()->text(), QStringLiteral("NO"));
    EXPECT_LT(box.YesButton()->geometry().right(), box.NoButton()->geometry().left());
    EXPECT_EQ(box.caption.size(), 40); // the caller's fields stay as they were

    CMessageBox single;
    single.singleButton = 1;
    single.yesText = QStringLiteral("OK");
    single.open();
    EXPECT_FALSE(single.NoButton()->isVisible());
    const QRect button = single.YesButton()->geometry();
    EXPECT_EQ(button.left(), (single.width() - button.width()) / 2);
    EXPECT_EQ(single.YesButton()->text(), QStringLiteral("OK"));
}

// 1 for the first button or Enter, 7 for the second, 2 for Esc or the close
// box, with one button or two.
TEST(CMessageBox, EndsWithOneSevenOrTwo)
{
    using Act = std::function<void(CMessageBox&)>;
    const std::tuple<Act, int, int> cases[] = {
        {[](CMessageBox& b) { QTest::mouseClick(b.YesButton(), Qt::LeftButton); }, 0, 1},
        {[](CMessageBox& b) { QTest::keyClick(&b, Qt::Key_Return); }, 0, 1},
        {[](CMessageBox& b) { QTest::mouseClick(b.NoButton(), Qt::LeftButton); }, 0, 7},
        {[](CMessageBox& b) { QTest::keyClick(&b, Qt::Key_Escape); }, 0, 2},
        {[](CMessageBox& b) { QTest::keyClick(&b, Qt::Key_Escape); }, 1, 2},
        {[](CMessageBox& b) { b.close(); }, 0, 2},
    };
    for (const auto& [act, single, result] : cases) {
        CMessageBox box;
        box.singleButton = single;
        ModalRunner::Scope scope([&act](QDialog& dialog) {
            dialog.open();
            act(static_cast<CMessageBox&>(dialog));
            return dialog.result();
        });
        EXPECT_EQ(box.Run(), result);
        EXPECT_FALSE(box.isVisible());
    }
}

} // namespace
