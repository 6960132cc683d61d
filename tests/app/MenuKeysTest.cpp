#include "app/CMenuSpawn.h"
#include "app/CSpawnMenu.h"
#include "app/MenuItem.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(SpawnMenu, LettersSelectNothingButArrowsAndEnterDo)
{
    CMenuSpawn spawn;
    spawn.LoadItemImages();
    MenuItem menu = ToolMenus::Load(0);
    spawn.MakeOwnerDrawn(menu.items[0]);
    CSpawnMenu popup(menu.items[0], spawn);
    QSignalSpy triggered(&popup, &QMenu::triggered);
    popup.popup(QPoint(100, 100));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&popup));
    for (Qt::Key key : {Qt::Key_L, Qt::Key_A, Qt::Key_E, Qt::Key_Space, Qt::Key_1})
        QTest::keyClick(&popup, key);
    EXPECT_EQ(triggered.count(), 0);
    EXPECT_TRUE(popup.isVisible());
    QTest::keyClick(&popup, Qt::Key_Down);
    QTest::keyClick(&popup, Qt::Key_Down);
    QTest::keyClick(&popup, Qt::Key_Return);
    ASSERT_EQ(triggered.count(), 1);
    EXPECT_EQ(CSpawnMenu::CommandOf(triggered.at(0).at(0).value<QAction*>()), 32804u);
}

} // namespace
