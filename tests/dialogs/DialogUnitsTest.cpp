#include "dialogs/DialogUnits.h"

#include <gtest/gtest.h>

namespace {

TEST(DialogUnits, RoundsHalfAwayFromZeroAndMapsBothCornersSoNeighboursMeet)
{
    EXPECT_EQ(DialogUnits::MulDiv(39, 6, 4), 59);   // 58.5
    EXPECT_EQ(DialogUnits::MulDiv(-39, 6, 4), -59); // -58.5
    EXPECT_EQ(DialogUnits::MulDiv(5, 13, 8), 8);    // 8.125
    EXPECT_EQ(DialogUnits::MulDiv(1, 1, 0), 0);
    const DialogUnits units(6, 13);
    // A button at 39, 42 sized 50 x 14: corners 58.5 -> 59 and 133.5 -> 134.
    EXPECT_EQ(units.Map(39, 42, 50, 14), QRect(59, 68, 75, 23));
    EXPECT_EQ(units.Map(0, 5, 10, 5).bottom() + 1, units.Map(0, 10, 10, 5).top());
    EXPECT_EQ(units.Map(186, 63), QSize(279, 102));
    EXPECT_EQ(units.Map(311, 29), QSize(467, 47));
}

} // namespace
