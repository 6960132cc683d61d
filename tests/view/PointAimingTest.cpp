#include "view/PointAiming.h"

#include <gtest/gtest.h>

using Action = PointAiming::Action;
using KeyAction = PointAiming::KeyAction;

// Keys the view tests do not press: the keypad's, Ctrl+Return for a double
// click, and the window's shortcuts.
TEST(PointAiming, KeysWhilePlacingPointsAndOtherwise)
{
    struct Case
    {
        int key;
        Qt::KeyboardModifiers mods;
        bool placing;
        KeyAction expected;
    };
    const Qt::KeyboardModifiers none, ctrl = Qt::ControlModifier;
    const Case cases[] = {
        {Qt::Key_Left, none, true, {Action::Nudge, {-1, 0}}},
        {Qt::Key_Up, Qt::KeypadModifier, true, {Action::Nudge, {0, -1}}},
        {Qt::Key_Return, ctrl, true, {Action::DoubleClick, {}}},
        {Qt::Key_L, ctrl, true, {}},
        {Qt::Key_Return, Qt::AltModifier, true, {}},
        {Qt::Key_PageDown, none, true, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PointAiming::ForKey(c.key, c.mods, c.placing), c.expected)
            << std::hex << c.key << " " << c.mods;
}

TEST(PointAiming, NudgeStaysOnThePictureUntilThePointerMoves)
{
    // Picture pixels are 2 view pixels across and 2.13 down.
    const QSize picture(1280, 1024), view(640, 480);
    PointAiming aim;
    aim.PointerAt({100, 100}, true);
    EXPECT_EQ(aim.Pending(picture, view), QPoint(200, 213));
    EXPECT_EQ(aim.Nudge({3, -1}, picture, view), QPoint(203, 212));
    aim.PointerAt({100, 100}, true);
    EXPECT_EQ(aim.Pending(picture, view), QPoint(203, 212));
    aim.PointerAt({101, 100}, true);
    EXPECT_EQ(aim.Pending(picture, view), QPoint(202, 213));

    for (const QPoint step : {QPoint(-500, 0), QPoint(0, -500), QPoint(5000, 5000)})
        aim.Nudge(step, picture, view);
    EXPECT_EQ(aim.Pending(picture, view), QPoint(1279, 1023));
    // Leaving the view drops the nudge as well.
    aim.PointerAt({101, 100}, false);
    aim.PointerAt({101, 100}, true);
    EXPECT_EQ(aim.Pending(picture, view), QPoint(202, 213));
}
