#include "dialogs/CLineStyle.h"
#include "dialogs/CLineWidth.h"
#include "dialogs/ModalRunner.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

enum class Ending { Ok, Escape, CloseBox };

// Radio button k stands for index k; the dialog opens on the caller's index
// and only OK stores the one clicked.
TEST(CLineChoice, RadioKStandsForIndexKAndOnlyOkStoresIt)
{
    struct Case
    {
        bool style;
        int start, click; // click: none when negative
        Ending ending;
        int result, index, checkedAtOpen;
    };
    const int ok = CLineChoiceDialog::ResultOk, cancel = CLineChoiceDialog::ResultCancel;
    const Case cases[] = {
        {false, 8, -1, Ending::Ok, ok, 8, 8},
        {false, 0, 4, Ending::Ok, ok, 4, 0},
        {false, 8, 0, Ending::Ok, ok, 0, 8},
        {false, 1, 6, Ending::Escape, cancel, 1, 1},
        {true, 2, 0, Ending::Ok, ok, 0, 2},
        {true, 3, 1, Ending::CloseBox, cancel, 3, 3},
        // A stored index out of range checks nothing and OK keeps it.
        {false, 11, -1, Ending::Ok, ok, 11, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.style << " " << c.start << " " << c.click);
        int checkedAtOpen = -2;
        ModalRunner::Scope scope([&](QDialog& d) {
            d.open();
            auto& dialog = dynamic_cast<CLineChoiceDialog&>(d);
            checkedAtOpen = dialog.CheckedIndex();
            if (c.click >= 0)
                QTest::mouseClick(dialog.Radio(c.click), Qt::LeftButton);
            if (c.ending == Ending::Ok)
                QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
            else if (c.ending == Ending::Escape)
                QTest::keyClick(&dialog, Qt::Key_Escape);
            else
                dialog.close();
            return dialog.result();
        });
        CLineStyle style;
        CLineWidth width;
        int& index = c.style ? style.styleIndex : width.widthIndex;
        index = c.start;
        EXPECT_EQ(c.style ? style.Run() : width.Run(), c.result);
        EXPECT_EQ(index, c.index);
        EXPECT_EQ(checkedAtOpen, c.checkedAtOpen);
    }
}

// The radio buttons go down the left in order, each with its 64 x 16 sample
// to its right and centred on it, and the default OK below them all.
TEST(CLineChoice, StyleAndWidthColumns)
{
    CLineStyle style;
    CLineWidth width;
    for (CLineChoiceDialog* dialog :
         {static_cast<CLineChoiceDialog*>(&style), static_cast<CLineChoiceDialog*>(&width)}) {
        const int choices = dialog->ChoiceCount();
        EXPECT_EQ(choices, dialog == &style ? 5 : 9);
        for (int k = 0; k < choices; ++k) {
            const QRect radio = dialog->Radio(k)->geometry();
            const QRect sample = dialog->Sample(k)->geometry();
            if (k > 0)
                EXPECT_GT(radio.top(), dialog->Radio(k - 1)->geometry().top());
            EXPECT_EQ(sample.size(), QSize(64, 16));
            EXPECT_GT(sample.left(), radio.right());
            EXPECT_LE(std::abs(sample.center().y() - radio.center().y()), 1);
        }
        const QRect ok = dialog->OkButton()->geometry();
        EXPECT_GT(ok.top(), dialog->Radio(choices - 1)->geometry().bottom());
        EXPECT_TRUE(dialog->rect().contains(ok));
        EXPECT_TRUE(dialog->OkButton()->isDefault());
    }
}

} // namespace
