#include "app/CMenuSpawn.h"
#include "app/CSpawnMenu.h"
#include "app/MenuItem.h"

#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class MenuSpawnTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        menu = ToolMenus::Load(0);
        ASSERT_TRUE(spawn.LoadItemImages());
        spawn.MakeOwnerDrawn(Measuring());
        spawn.MakeOwnerDrawn(Drawing());
    }

    MenuItem& Drawing() { return menu.items[ToolMenus::DrawingMenu]; }
    MenuItem& Measuring() { return menu.items[ToolMenus::MeasuringMenu]; }
    const MenuItemRecord& Record(uint32_t id) { return *menu.Find(id)->record; }

    QImage Render(const MenuItemRecord& record, CMenuSpawn::ItemState state, int width = 160)
    {
        QImage image(width, 20, QImage::Format_ARGB32);
        image.fill(Qt::magenta);
        QPainter painter(&image);
        spawn.DrawMenuItem(painter, image.rect(), record, state);
        return image;
    }

    CMenuSpawn spawn;
    MenuItem menu;
};

// The window relies on the positions of the length tools and the units.
TEST(ToolMenus, PositionsAndTextsInBothLanguages)
{
    const MenuItem english = ToolMenus::Load(0), chinese = ToolMenus::Load(2);
    const auto& measuring = english.items[ToolMenus::MeasuringMenu].items;
    ASSERT_EQ(measuring.size(), 19u);
    EXPECT_EQ(measuring[ToolMenus::FirstLengthTool].text, QStringLiteral("Any Angle Line"));
    EXPECT_EQ(measuring[ToolMenus::LastLengthTool].id, 32800u);
    EXPECT_EQ(measuring[ToolMenus::UnitsPosition].items[3].id, uint32_t(ToolMenus::CmdUnitInch));
    EXPECT_EQ(english.items[0].items[6].text, QStringLiteral("Line Properties  "));
    EXPECT_EQ(chinese.items[0].items[0].text, QStringLiteral("直线"));
    EXPECT_EQ(chinese.items[1].items[17].text, QStringLiteral("文字属性设置..."));
}

TEST_F(MenuSpawnTest, RecordsCarryTheirStripPictureAndKind)
{
    EXPECT_EQ(spawn.ImageSize(), QSize(16, 15));
    const std::pair<uint32_t, int> images[] = {{32803, 0},  {32807, 4},  {32874, 5},
                                               {32802, 15}, {32814, 16}, {32855, -1}};
    for (const auto& [id, index] : images)
        EXPECT_EQ(Record(id).imageIndex, index) << id;
    EXPECT_EQ(spawn.ItemImage(17), nullptr);
    EXPECT_EQ(Measuring().items[18].record->kindCode, MenuItemRecord::SubmenuHeader);
    EXPECT_EQ(Drawing().items[6].record->imageIndex, MenuItemRecord::SubmenuHeader);
    EXPECT_EQ(Drawing().items[5].record->kindCode, MenuItemRecord::Separator);
    EXPECT_EQ(spawn.MeasureMenuItem(*Drawing().items[5].record), QSize(10, 6));
}

// The look of each kind of item: separator lines, the selected fill beside the
// picture square and its raised frame, the embossed grey and the check image.
TEST_F(MenuSpawnTest, ItemsDrawTheirStates)
{
    const auto& colors = spawn.Palette();
    const QImage separator = Render(*Drawing().items[5].record, {}, 60);
    EXPECT_EQ(separator.pixelColor(2, 2), colors.shadow3d);
    EXPECT_EQ(separator.pixelColor(57, 2), colors.shadow3d);
    EXPECT_EQ(separator.pixelColor(58, 2), colors.menu);
    EXPECT_EQ(separator.pixelColor(2, 3), colors.highlight3d);
    EXPECT_EQ(separator.pixelColor(30, 4), colors.menu);

    const MenuItemRecord& tool = Record(32874);
    const QImage selected = Render(tool, {false, true, false});
    EXPECT_EQ(selected.pixelColor(0, 0), colors.highlight3d);
    EXPECT_EQ(selected.pixelColor(19, 19), colors.shadow3d);
    EXPECT_EQ(selected.pixelColor(21, 0), colors.highlight);
    EXPECT_EQ(selected.pixelColor(159, 19), colors.highlight);
    EXPECT_EQ(Render(tool, {}).pixelColor(0, 0), colors.menu);
    // Without a picture and unchecked, the whole item is filled.
    EXPECT_EQ(Render(Record(32853), {false, true, false}).pixelColor(5, 5), colors.highlight);

    const QRect square(2, 2, 16, 16);
    const QImage plain = Render(tool, {}).copy(square);
    EXPECT_NE(Render(tool, {false, false, true}).copy(square), plain);
    const QImage greyed = Render(tool, {true, false, false}).copy(square);
    EXPECT_NE(greyed, plain);
    for (int y = 0; y < greyed.height(); ++y)
        for (int x = 0; x < greyed.width(); ++x) {
            const QColor c = greyed.pixelColor(x, y);
            EXPECT_TRUE(c == colors.menu || c == colors.highlight3d || c == colors.shadow3d);
        }

    const QRect checkSquare(0, 0, 20, 20);
    EXPECT_NE(Render(Record(32855), {false, false, true}, 100).copy(checkSquare),
              Render(Record(32855), {}, 100).copy(checkSquare));
}

TEST_F(MenuSpawnTest, PopupFollowsTheLoadedStatesAndLettersSelectNothing)
{
    Measuring().items[4].grayed = true;
    CSpawnMenu measuring(Measuring(), spawn);
    EXPECT_FALSE(measuring.ActionFor(32874)->isEnabled());
    EXPECT_TRUE(measuring.ActionFor(32801)->isEnabled());
    EXPECT_EQ(measuring.ActionFor(32857)->text(), QStringLiteral("mil"));

    CSpawnMenu popup(Drawing(), spawn);
    QSignalSpy triggered(&popup, &QMenu::triggered);
    popup.popup(QPoint(100, 100));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&popup));
    for (Qt::Key key : {Qt::Key_L, Qt::Key_A, Qt::Key_E, Qt::Key_Space, Qt::Key_1})
        QTest::keyClick(&popup, key);
    EXPECT_EQ(triggered.count(), 0);
    EXPECT_TRUE(popup.isVisible());
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Return})
        QTest::keyClick(&popup, key);
    ASSERT_EQ(triggered.count(), 1);
    EXPECT_EQ(CSpawnMenu::CommandOf(triggered.at(0).at(0).value<QAction*>()), 32804u);
}

} // namespace
