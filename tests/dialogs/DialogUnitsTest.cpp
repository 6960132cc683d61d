#include "dialogs/DialogUnits.h"

#include <gtest/gtest.h>

namespace {

TEST(DialogUnits, MulDivRoundsHalfAwayFromZero)
{
    EXPECT_EQ(DialogUnits::MulDiv(39, 6, 4), 59);   // 58.5
    EXPECT_EQ(DialogUnits::MulDiv(-39, 6, 4), -59); // -58.5
    EXPECT_EQ(DialogUnits::MulDiv(63, 13, 8), 102); // 102.375
    EXPECT_EQ(DialogUnits::MulDiv(5, 13, 8), 8);    // 8.125
    EXPECT_EQ(DialogUnits::MulDiv(7, 13, 8), 11);   // 11.375
    EXPECT_EQ(DialogUnits::MulDiv(1, 1, 0), 0);
}

TEST(DialogUnits, MapsBothCornersSoNeighboursMeet)
{
    const DialogUnits units(6, 13);
    // A button at 39, 42 sized 50 x 14: corners 58.5 -> 59 and 133.5 -> 134.
    EXPECT_EQ(units.Map(39, 42, 50, 14), QRect(59, 68, 75, 23));
    // Two adjacent 10-unit rows share their edge whatever the rounding.
    const QRect first = units.Map(0, 5, 10, 5);
    const QRect second = units.Map(0, 10, 10, 5);
    EXPECT_EQ(first.bottom() + 1, second.top());
}

TEST(DialogUnits, DialogSizesAtTheClassicFont)
{
    const DialogUnits units(6, 13);
    EXPECT_EQ(units.Map(186, 63), QSize(279, 102));
    EXPECT_EQ(units.Map(94, 134), QSize(141, 218));
    EXPECT_EQ(units.Map(94, 191), QSize(141, 310));
    EXPECT_EQ(units.Map(311, 29), QSize(467, 47));
}

} // namespace
