#include "dialogs/CLineStyle.h"
#include "dialogs/CLineWidth.h"
#include "dialogs/LineSampleIcons.h"
#include "dialogs/ModalRunner.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <tuple>

namespace {

// Radio button k stands for index k; the dialog opens on the caller's index
// and only OK (the default button, so Enter) stores the one clicked; Esc and
// the close box (no key) do not.
TEST(CLineChoice, RadioKStandsForIndexKAndOnlyOkStoresIt)
{
    // Style or width, start index, radio clicked (none when negative), ending
    // key, result, index stored, radio checked at the start.
    const int ok = CLineChoiceDialog::ResultOk, cancel = CLineChoiceDialog::ResultCancel;
    const std::tuple<bool, int, int, Qt::Key, int, int, int> cases[] = {
        {false, 8, -1, Qt::Key_Return, ok, 8, 8},
        {false, 0, 4, Qt::Key_Return, ok, 4, 0},
        {false, 8, 0, Qt::Key_Return, ok, 0, 8},
        {false, 1, 6, Qt::Key_Escape, cancel, 1, 1},
        {true, 2, 0, Qt::Key_Return, ok, 0, 2},
        {true, 3, 1, Qt::Key_unknown, cancel, 3, 3},
        // A stored index out of range checks nothing and OK keeps it.
        {false, 11, -1, Qt::Key_Return, ok, 11, -1},
    };
    for (const auto& [isStyle, start, click, ending, result, stored, checkedFirst] : cases) {
        SCOPED_TRACE(testing::Message() << isStyle << " " << start << " " << click);
        int checkedAtOpen = -2;
        ModalRunner::Scope scope([&](QDialog& d) {
            d.open();
            auto& dialog = dynamic_cast<CLineChoiceDialog&>(d);
            checkedAtOpen = dialog.CheckedIndex();
            if (click >= 0)
                QTest::mouseClick(dialog.Radio(click), Qt::LeftButton);
            if (ending == Qt::Key_unknown)
                dialog.close();
            else
                QTest::keyClick(&dialog, ending);
            return dialog.result();
        });
        CLineStyle style;
        CLineWidth width;
        int& index = isStyle ? style.styleIndex : width.widthIndex;
        index = start;
        EXPECT_EQ(isStyle ? style.Run() : width.Run(), result);
        EXPECT_EQ(index, stored);
        EXPECT_EQ(checkedAtOpen, checkedFirst);
    }
}

// The rows that hold any drawn pixel.
std::vector<int> DrawnRows(const QImage& image)
{
    std::vector<int> rows;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) == 255) {
                rows.push_back(y);
                break;
            }
    return rows;
}

// Width k: a black line of k rows across the middle of a transparent 64 x 16.
TEST(LineSampleIcons, BlackLinesAcrossTheMiddle)
{
    for (int width = 1; width <= 9; ++width) {
        const QImage image = LineSampleIcons::WidthSample(width);
        const std::vector<int> rows = DrawnRows(image);
        ASSERT_EQ(image.size(), QSize(64, 16));
        ASSERT_EQ(rows.size(), size_t(width));
        EXPECT_EQ(rows.back() - rows.front() + 1, width);
        EXPECT_LE(std::abs(rows.front() - (15 - rows.back())), 1);
        EXPECT_TRUE(image.pixel(0, rows.front()) == 0xFF000000u &&
                    image.pixel(63, rows.back()) == 0xFF000000u);
    }
    // Styles: the two middle rows in their dash patterns.
    const std::string starts[] = {std::string(64, '#'), "##################......######",
                                  "###...###...", "#########......###......###",
                                  "#########...###...###...###"};
    for (int style = 0; style < 5; ++style) {
        const QImage image = LineSampleIcons::StyleSample(style);
        EXPECT_EQ(DrawnRows(image), (std::vector<int>{7, 8})) << style;
        std::string columns;
        for (int x = 0; x < image.width(); ++x)
            columns += qAlpha(image.pixel(x, 7)) == 255 ? '#' : '.';
        EXPECT_EQ(columns.substr(0, starts[style].size()), starts[style]) << style;
    }
    EXPECT_TRUE(DrawnRows(LineSampleIcons::StyleSample(5)).empty());
}

} // namespace
