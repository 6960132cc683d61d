#include "dialogs/CMessageBox.h"
#include "dialogs/ModalRunner.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class CMessageBoxTest : public ::testing::Test
{
  protected:
    CMessageBoxTest()
    {
        box.caption = QStringLiteral("Lumvex picture editor");
        box.message = QStringLiteral("Picture has been modified!\nSave picture...");
        box.yesText = QStringLiteral("YES");
        box.noText = QStringLiteral("NO");
    }

    CMessageBox box;
};

TEST_F(CMessageBoxTest, TwoButtonsCarryTheCallersTexts)
{
    box.open();
    EXPECT_EQ(box.windowTitle(), QStringLiteral("Lumvex picture editor"));
    EXPECT_EQ(box.MessageLabel()->text(), box.message);
    EXPECT_EQ(box.YesButton()->text(), QStringLiteral("YES"));
    EXPECT_EQ(box.NoButton()->text(), QStringLiteral("NO"));
    EXPECT_TRUE(box.NoButton()->isVisible());
    EXPECT_LT(box.YesButton()->geometry().right(), box.NoButton()->geometry().left());
}

TEST_F(CMessageBoxTest, SingleButtonIsCentredAndShowsTheYesText)
{
    box.singleButton = 1;
    box.yesText = QStringLiteral("OK");
    box.open();
    EXPECT_FALSE(box.NoButton()->isVisible());
    const QRect button = box.YesButton()->geometry();
    EXPECT_EQ(button.left(), (box.width() - button.width()) / 2);
    EXPECT_EQ(box.YesButton()->text(), QStringLiteral("OK"));
}

struct ResultCase
{
    const char* name;
    std::function<void(CMessageBox&)> act;
    int result;
};

class CMessageBoxResult : public ::testing::TestWithParam<ResultCase>
{};

TEST_P(CMessageBoxResult, EndsWithTheListedResult)
{
    CMessageBox box;
    box.yesText = QStringLiteral("YES");
    box.noText = QStringLiteral("NO");
    box.singleButton = 0;
    box.open();
    GetParam().act(box);
    EXPECT_FALSE(box.isVisible());
    EXPECT_EQ(box.result(), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, CMessageBoxResult,
    ::testing::Values(
        ResultCase{"Yes", [](CMessageBox& b) { QTest::mouseClick(b.YesButton(), Qt::LeftButton); },
                   1},
        ResultCase{"No", [](CMessageBox& b) { QTest::mouseClick(b.NoButton(), Qt::LeftButton); },
                   7},
        ResultCase{"Escape", [](CMessageBox& b) { QTest::keyClick(&b, Qt::Key_Escape); }, 2},
        ResultCase{"CloseBox", [](CMessageBox& b) { b.close(); }, 2},
        ResultCase{"Enter", [](CMessageBox& b) { QTest::keyClick(&b, Qt::Key_Return); }, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CMessageBoxTest, SingleButtonEscapeStillReturnsTwo)
{
    box.singleButton = 1;
    ModalRunner::Scope scope([](QDialog& dialog) {
        dialog.open();
        QTest::keyClick(&dialog, Qt::Key_Escape);
        return dialog.result();
    });
    EXPECT_EQ(box.Run(), CMessageBox::ResultCancel);
}

TEST_F(CMessageBoxTest, TextsAreCutToTheirFields)
{
    box.caption = QString(40, u'c');
    box.message = QString(200, u'm');
    box.yesText = QString(20, u'y');
    box.noText = QString(16, u'n');
    box.open();
    EXPECT_EQ(box.windowTitle(), QString(31, u'c'));
    EXPECT_EQ(box.MessageLabel()->text(), QString(127, u'm'));
    EXPECT_EQ(box.YesButton()->text(), QString(15, u'y'));
    EXPECT_EQ(box.NoButton()->text(), QString(15, u'n'));
    EXPECT_EQ(box.caption.size(), 40); // the caller's fields stay as they were
}

} // namespace
