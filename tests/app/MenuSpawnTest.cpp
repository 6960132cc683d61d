#include "app/CMenuSpawn.h"
#include "app/CSpawnMenu.h"
#include "app/MenuItem.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

class MenuSpawnTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        menu = ToolMenus::Load(0);
        imagesLoaded = spawn.LoadItemImages();
        spawn.MakeOwnerDrawn(menu.items[1]);
        spawn.MakeOwnerDrawn(menu.items[0]);
    }

    MenuItem& Drawing() { return menu.items[0]; }
    MenuItem& Measuring() { return menu.items[1]; }

    QImage Render(const MenuItemRecord& record, CMenuSpawn::ItemState state, QSize size)
    {
        QImage image(size, QImage::Format_ARGB32);
        image.fill(Qt::magenta);
        QPainter painter(&image);
        spawn.DrawMenuItem(painter, QRect(QPoint(0, 0), size), record, state);
        return image;
    }

    CMenuSpawn spawn;
    MenuItem menu;
    bool imagesLoaded = false;
};

TEST(ToolMenus, BothLanguagesShareIdsAndPositions)
{
    const MenuItem english = ToolMenus::Load(0);
    const MenuItem chinese = ToolMenus::Load(2);
    ASSERT_EQ(english.items.size(), 2u);
    ASSERT_EQ(chinese.items.size(), 2u);
    ASSERT_EQ(english.items[0].items.size(), 7u);
    ASSERT_EQ(english.items[1].items.size(), 19u);
    for (size_t m = 0; m < 2; ++m) {
        const auto& a = english.items[m].items;
        const auto& b = chinese.items[m].items;
        ASSERT_EQ(a.size(), b.size());
        for (size_t i = 0; i < a.size(); ++i) {
            EXPECT_EQ(a[i].id, b[i].id) << m << ":" << i;
            EXPECT_EQ(a[i].separator, b[i].separator);
            EXPECT_EQ(a[i].items.size(), b[i].items.size());
        }
    }
    const auto& measuring = english.items[1].items;
    EXPECT_EQ(measuring[0].id, 32814u);
    EXPECT_EQ(measuring[4].text, QStringLiteral("Any Angle Line"));
    EXPECT_EQ(measuring[12].id, 32800u); // the last length tool
    EXPECT_EQ(measuring[14].id, 32802u);
    EXPECT_EQ(measuring[18].items[3].id, 32858u);
    EXPECT_EQ(english.items[0].items[6].text, QStringLiteral("Line Properties  "));
    EXPECT_EQ(chinese.items[0].items[0].text, QStringLiteral("直线"));
    EXPECT_EQ(chinese.items[1].items[17].text, QStringLiteral("文字属性设置..."));
    EXPECT_EQ(english.Find(32826)->text, QStringLiteral("Width..."));
}

TEST_F(MenuSpawnTest, ToolsGetTheirStripPictures)
{
    ASSERT_TRUE(imagesLoaded);
    EXPECT_EQ(spawn.ImageSize(), QSize(16, 15));
    EXPECT_EQ(Measuring().Find(32874)->record->imageIndex, 5);
    EXPECT_EQ(Measuring().Find(32814)->record->imageIndex, 16);
    EXPECT_EQ(Drawing().Find(32803)->record->imageIndex, 0);
    EXPECT_EQ(Drawing().Find(32807)->record->imageIndex, 4);
    EXPECT_EQ(Measuring().Find(32802)->record->imageIndex, 15);
    EXPECT_EQ(Measuring().Find(32855)->record->imageIndex, -1);
    EXPECT_EQ(spawn.ItemImage(16)->size(), QSize(16, 15));
    EXPECT_EQ(spawn.ItemImage(17), nullptr);
}

TEST_F(MenuSpawnTest, RecordKinds)
{
    EXPECT_EQ(Measuring().items[1].record->kindCode, MenuItemRecord::SubmenuHeader);
    EXPECT_EQ(Measuring().items[18].record->kindCode, MenuItemRecord::SubmenuHeader);
    EXPECT_EQ(Drawing().items[6].record->kindCode, MenuItemRecord::SubmenuHeader);
    EXPECT_EQ(Drawing().items[6].record->imageIndex, MenuItemRecord::SubmenuHeader);
    EXPECT_EQ(Drawing().items[5].record->kindCode, MenuItemRecord::Separator);
    EXPECT_EQ(Drawing().items[5].record->text, QStringLiteral("--"));
    EXPECT_EQ(Measuring().Find(32853)->record->kindCode, 32853);
    // Remapping twice adds nothing.
    const int records = spawn.RecordCount();
    spawn.MakeOwnerDrawn(Drawing());
    EXPECT_EQ(spawn.RecordCount(), records);
}

TEST_F(MenuSpawnTest, ItemMetrics)
{
    const QFontMetrics metrics(spawn.Font());
    EXPECT_EQ(spawn.MeasureMenuItem(*Drawing().items[5].record), QSize(10, 6));

    const MenuItemRecord& line = *Drawing().items[0].record;
    const int height = std::max(20, metrics.height());
    EXPECT_EQ(spawn.MeasureMenuItem(line),
              QSize(metrics.horizontalAdvance(QStringLiteral("Line")) + 17 + std::max(height, 16),
                    height));

    const MenuItemRecord& header = *Measuring().items[18].record;
    EXPECT_EQ(spawn.MeasureMenuItem(header),
              QSize(metrics.horizontalAdvance(QStringLiteral("Set Units")) + 20,
                    std::max(20, metrics.height())));

    MenuItemRecord empty;
    empty.kindCode = 1;
    EXPECT_EQ(spawn.MeasureMenuItem(empty), QSize(100, 20));
}

TEST_F(MenuSpawnTest, SeparatorIsAShadowOverAHighlight)
{
    const QImage image = Render(*Drawing().items[5].record, {}, QSize(60, 6));
    const auto& colors = spawn.Palette();
    EXPECT_EQ(image.pixelColor(2, 2), colors.shadow3d);
    EXPECT_EQ(image.pixelColor(57, 2), colors.shadow3d);
    EXPECT_EQ(image.pixelColor(58, 2), colors.menu);
    EXPECT_EQ(image.pixelColor(2, 3), colors.highlight3d);
    EXPECT_EQ(image.pixelColor(1, 3), colors.menu);
    EXPECT_EQ(image.pixelColor(30, 4), colors.menu);
}

TEST_F(MenuSpawnTest, SelectedToolFillsOnlyTheTextPart)
{
    const MenuItemRecord& tool = *Measuring().Find(32874)->record;
    const auto& colors = spawn.Palette();
    const QImage selected = Render(tool, {false, true, false}, QSize(160, 20));
    // The picture square (20 x 20) keeps the menu colour with a raised frame.
    EXPECT_EQ(selected.pixelColor(0, 0), colors.highlight3d);
    EXPECT_EQ(selected.pixelColor(19, 19), colors.shadow3d);
    EXPECT_EQ(selected.pixelColor(21, 0), colors.highlight);
    EXPECT_EQ(selected.pixelColor(159, 19), colors.highlight);

    // A command without a picture and not checked fills the whole item.
    const QImage plain =
        Render(*Measuring().Find(32853)->record, {false, true, false}, QSize(160, 20));
    EXPECT_EQ(plain.pixelColor(5, 5), colors.highlight);

    const QImage idle = Render(tool, {}, QSize(160, 20));
    EXPECT_EQ(idle.pixelColor(0, 0), colors.menu);
    EXPECT_EQ(idle.pixelColor(150, 10), colors.menu);
}

TEST_F(MenuSpawnTest, CheckedGreyedAndPlainPicturesDiffer)
{
    const MenuItemRecord& tool = *Measuring().Find(32874)->record;
    const QSize size(160, 20);
    const QRect square(2, 2, 16, 16);
    auto pictureOf = [&](CMenuSpawn::ItemState state) {
        return Render(tool, state, size).copy(square);
    };
    const QImage plain = pictureOf({});
    const QImage checked = pictureOf({false, false, true});
    const QImage greyed = pictureOf({true, false, false});
    EXPECT_NE(plain, checked);
    EXPECT_NE(plain, greyed);
    // An embossed picture has only the two 3D colours and the background.
    const auto& colors = spawn.Palette();
    for (int y = 0; y < greyed.height(); ++y)
        for (int x = 0; x < greyed.width(); ++x) {
            const QColor c = greyed.pixelColor(x, y);
            EXPECT_TRUE(c == colors.menu || c == colors.highlight3d || c == colors.shadow3d)
                << x << "," << y;
        }
}

TEST_F(MenuSpawnTest, CheckedUnitShowsTheCheckImage)
{
    ASSERT_FALSE(spawn.CheckImage().isNull());
    const MenuItemRecord& mm = *Measuring().Find(32855)->record;
    const QImage unchecked = Render(mm, {}, QSize(100, 20));
    const QImage checked = Render(mm, {false, false, true}, QSize(100, 20));
    EXPECT_NE(unchecked.copy(0, 0, 20, 20), checked.copy(0, 0, 20, 20));
    EXPECT_EQ(unchecked.copy(0, 0, 20, 20), Render(mm, {}, QSize(100, 20)).copy(0, 0, 20, 20));
}

TEST_F(MenuSpawnTest, PopupFollowsTheLoadedStates)
{
    Measuring().items[4].grayed = true;
    CSpawnMenu popup(Measuring(), spawn);
    EXPECT_FALSE(popup.ActionFor(32874)->isEnabled());
    EXPECT_TRUE(popup.ActionFor(32801)->isEnabled());
    ASSERT_NE(popup.ActionFor(32857), nullptr);
    EXPECT_EQ(popup.ActionFor(32857)->text(), QStringLiteral("mil"));
}

} // namespace
