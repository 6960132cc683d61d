#include "dialogs/CLineStyle.h"
#include "dialogs/CLineWidth.h"
#include "dialogs/ModalRunner.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// A runner that opens the dialog, lets act answer it, and returns its result.
ModalRunner::Runner Answer(std::function<void(CLineChoiceDialog&)> act) {
    return [act](QDialog& dialog) {
        dialog.open();
        act(dynamic_cast<CLineChoiceDialog&>(dialog));
        return dialog.result();
    };
}

void ClickOk(CLineChoiceDialog& dialog) {
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
}

TEST(CLineWidth, OpenedWithNineChecksTheLastAndOkKeepsNine) {
    int checked = -2;
    ModalRunner::Scope scope(Answer([&](CLineChoiceDialog& dialog) {
        checked = dialog.CheckedIndex();
        ClickOk(dialog);
    }));
    int width = 9;
    EXPECT_TRUE(CLineWidth::ChooseWidth(nullptr, width));
    EXPECT_EQ(checked, 8);
    EXPECT_EQ(width, 9);
}

struct Pick {
    int start;
    int clicked;
    int expected;
};

class CLineWidthPick : public ::testing::TestWithParam<Pick> {};

TEST_P(CLineWidthPick, RadioKStandsForWidthKPlusOne) {
    const Pick pick = GetParam();
    ModalRunner::Scope scope(Answer([&](CLineChoiceDialog& dialog) {
        QTest::mouseClick(dialog.Radio(pick.clicked), Qt::LeftButton);
        ClickOk(dialog);
    }));
    int width = pick.start;
    EXPECT_TRUE(CLineWidth::ChooseWidth(nullptr, width));
    EXPECT_EQ(width, pick.expected);
}

INSTANTIATE_TEST_SUITE_P(Choices, CLineWidthPick,
                         ::testing::Values(Pick{1, 0, 1}, Pick{1, 4, 5}, Pick{9, 0, 1},
                                           Pick{3, 8, 9}));

TEST(CLineWidth, EscapeChangesNothing) {
    ModalRunner::Scope scope(Answer([](CLineChoiceDialog& dialog) {
        QTest::mouseClick(dialog.Radio(6), Qt::LeftButton);
        QTest::keyClick(&dialog, Qt::Key_Escape);
    }));
    int width = 2;
    EXPECT_FALSE(CLineWidth::ChooseWidth(nullptr, width));
    EXPECT_EQ(width, 2);
}

TEST(CLineWidth, OutOfRangeWidthChecksNothingAndOkKeepsIt) {
    int checked = -2;
    ModalRunner::Scope scope(Answer([&](CLineChoiceDialog& dialog) {
        checked = dialog.CheckedIndex();
        ClickOk(dialog);
    }));
    int width = 12;
    EXPECT_TRUE(CLineWidth::ChooseWidth(nullptr, width));
    EXPECT_EQ(checked, -1);
    EXPECT_EQ(width, 12);
}

TEST(CLineStyle, RadioKStandsForStyleK) {
    for (int k = 0; k < CLineStyle::ChoiceTotal; ++k) {
        ModalRunner::Scope scope(Answer([k](CLineChoiceDialog& dialog) {
            QTest::mouseClick(dialog.Radio(k), Qt::LeftButton);
            ClickOk(dialog);
        }));
        int style = (k + 2) % CLineStyle::ChoiceTotal;
        EXPECT_TRUE(CLineStyle::ChooseStyle(nullptr, style));
        EXPECT_EQ(style, k);
    }
}

TEST(CLineStyle, CloseBoxChangesNothingAndReturnsTwo) {
    CLineStyle dialog;
    dialog.styleIndex = 3;
    dialog.open();
    EXPECT_EQ(dialog.CheckedIndex(), 3);
    QTest::mouseClick(dialog.Radio(1), Qt::LeftButton);
    dialog.close();
    EXPECT_EQ(dialog.result(), CLineChoiceDialog::ResultCancel);
    EXPECT_EQ(dialog.styleIndex, 3);
}

// Layout: the radio buttons go down the left in order, each with its
// 64 x 16 sample to its right and centred on it, and OK below them all.
template <typename Dialog> void ExpectColumnLayout(int choices) {
    Dialog dialog;
    ASSERT_EQ(dialog.ChoiceCount(), choices);
    int previousTop = -1;
    for (int k = 0; k < choices; ++k) {
        const QRect radio = dialog.Radio(k)->geometry();
        const QRect sample = dialog.Sample(k)->geometry();
        EXPECT_GT(radio.top(), previousTop);
        previousTop = radio.top();
        EXPECT_EQ(sample.size(), QSize(64, 16));
        EXPECT_GT(sample.left(), radio.right());
        EXPECT_LE(std::abs(sample.center().y() - radio.center().y()), 1);
        EXPECT_TRUE(dialog.rect().contains(radio));
    }
    EXPECT_GT(dialog.OkButton()->geometry().top(), dialog.Radio(choices - 1)->geometry().bottom());
    EXPECT_TRUE(dialog.rect().contains(dialog.OkButton()->geometry()));
    EXPECT_TRUE(dialog.OkButton()->isDefault());
}

TEST(CLineChoiceLayout, StyleAndWidthColumns) {
    ExpectColumnLayout<CLineStyle>(5);
    ExpectColumnLayout<CLineWidth>(9);
}

} // namespace
