#include "dialogs/CLineStyle.h"
#include "dialogs/CLineWidth.h"
#include "dialogs/ModalRunner.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// What the user does in an open dialog: click radio button `click` (none when
// negative), then OK, or Esc when escape is set.
struct Action
{
    int click;
    bool escape;
};

// Runs dialog from index start, acts, and returns the index it ends with and
// the radio button checked when it opened.
template <typename Dialog> std::pair<int, int> RunDialog(int start, Action action, int& result)
{
    int checkedAtOpen = -2;
    ModalRunner::Scope scope([&](QDialog& d) {
        d.open();
        auto& dialog = dynamic_cast<CLineChoiceDialog&>(d);
        checkedAtOpen = dialog.CheckedIndex();
        if (action.click >= 0)
            QTest::mouseClick(dialog.Radio(action.click), Qt::LeftButton);
        if (action.escape)
            QTest::keyClick(&dialog, Qt::Key_Escape);
        else
            QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
        return dialog.result();
    });
    Dialog dialog;
    int& index = [&]() -> int& {
        if constexpr (std::is_same_v<Dialog, CLineStyle>)
            return dialog.styleIndex;
        else
            return dialog.widthIndex;
    }();
    index = start;
    result = dialog.Run();
    return {index, checkedAtOpen};
}

TEST(CLineChoice, RadioKStandsForIndexKAndOnlyOkStoresIt)
{
    struct Case
    {
        bool style;
        int start;
        Action action;
        int result, index, checkedAtOpen;
    };
    const Case cases[] = {
        {false, 8, {-1, false}, CLineChoiceDialog::ResultOk, 8, 8},
        {false, 0, {4, false}, CLineChoiceDialog::ResultOk, 4, 0},
        {false, 8, {0, false}, CLineChoiceDialog::ResultOk, 0, 8},
        {false, 1, {6, true}, CLineChoiceDialog::ResultCancel, 1, 1},
        // A stored index out of range checks nothing and OK keeps it.
        {false, 11, {-1, false}, CLineChoiceDialog::ResultOk, 11, -1},
        {true, 2, {0, false}, CLineChoiceDialog::ResultOk, 0, 2},
        {true, 0, {4, false}, CLineChoiceDialog::ResultOk, 4, 0},
        {true, 3, {1, true}, CLineChoiceDialog::ResultCancel, 3, 3},
    };
    for (const Case& c : cases) {
        int result = 0;
        const auto [index, checked] = c.style ? RunDialog<CLineStyle>(c.start, c.action, result)
                                              : RunDialog<CLineWidth>(c.start, c.action, result);
        SCOPED_TRACE(testing::Message() << c.style << " " << c.start << " " << c.action.click);
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(index, c.index);
        EXPECT_EQ(checked, c.checkedAtOpen);
    }
}

TEST(CLineChoice, CloseBoxChangesNothingAndReturnsTwo)
{
    CLineStyle dialog;
    dialog.styleIndex = 3;
    dialog.open();
    QTest::mouseClick(dialog.Radio(1), Qt::LeftButton);
    dialog.close();
    EXPECT_EQ(dialog.result(), CLineChoiceDialog::ResultCancel);
    EXPECT_EQ(dialog.styleIndex, 3);
}

// Layout: the radio buttons go down the left in order, each with its
// 64 x 16 sample to its right and centred on it, and OK below them all.
template <typename Dialog> void ExpectColumnLayout(int choices)
{
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

TEST(CLineChoice, StyleAndWidthColumns)
{
    ExpectColumnLayout<CLineStyle>(5);
    ExpectColumnLayout<CLineWidth>(9);
}

} // namespace
