#include "app/CBitmapButton.h"
#include "app/CLumvexImgEdtApp.h"
#include "app/CMenuSpawn.h"
#include "app/CSpawnMenu.h"
#include "app/DragTracker.h"
#include "app/EditorKeys.h"
#include "app/FontColorDialog.h"
#include "app/LayoutTable.h"
#include "app/MenuItem.h"
#include "app/QtTranslations.h"
#include "app/ResultsController.h"
#include "app/StatusLine.h"
#include "app/WindowPlacement.h"
#include "platform/InstanceLock.h"
#include "text/LanguageTable.h"

#include <QComboBox>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using enum ControlId;

QImage Art(const QString& name)
{
    return QImage(":/artwork/" + name + ".png");
}

// Every shown control lies inside the window without overlapping another at
// every size; every button has a tooltip in both languages and opaque artwork
// of its rectangle's size for each skin, a pressed state, and no disabled state
// (it would change which state a button shows).
TEST(LayoutTable, EveryControlHasArtworkATooltipAndARectangleInsideTheWindow)
{
    const LanguageTable english(0), chinese(1);
    for (int step = 0; step < LayoutTable::StepCount; ++step) {
        const QRect window(QPoint(0, 0), LayoutTable::WindowSize(step));
        std::vector<QRect> placed;
        for (const LayoutRow& row : LayoutTable::Rows()) {
            SCOPED_TRACE(testing::Message() << CommandOf(row.controlId) << " step " << step);
            if (row.kind == LayoutRow::Window || !row.visible)
                continue;
            const QRect rect = row.rects[size_t(step)];
            EXPECT_TRUE(window.contains(rect));
            for (const QRect& other : placed)
                EXPECT_FALSE(rect.intersects(other));
            placed.push_back(rect);
            if (!row.IsButton())
                continue;
            ASSERT_TRUE(row.HasTooltip());
            EXPECT_FALSE(english.TooltipText(row.tooltip).isEmpty());
            EXPECT_FALSE(chinese.TooltipText(row.tooltip).isEmpty());
            const bool skinned = row.kind == LayoutRow::SkinnedButton;
            for (const QString skin : skinned ? QStringList{"BLUE", "GOLD"} : QStringList{""}) {
                const QString stem = QString::fromLatin1(row.artwork) + skin;
                const QImage normal = Art(stem + "U");
                EXPECT_EQ(normal.size(), rect.size()) << stem.toStdString();
                EXPECT_FALSE(normal.hasAlphaChannel());
                EXPECT_FALSE(Art(stem + "D").isNull());
                EXPECT_NE(Art(stem + "D"), normal);
                EXPECT_TRUE(Art(stem + "X").isNull());
            }
        }
    }
    EXPECT_EQ(LayoutTable::WindowSize(7), LayoutTable::WindowSize(3));
    EXPECT_EQ(Art("MAGNIFICATION").size(), QSize(115, 16));
}

TEST(StatusLine, LongPathsKeepTheirLast33CharactersAndTheRemarkFollows)
{
    const QString forty = QStringLiteral("/data/pictures/2008/dec/20081231_1234.bm");
    ASSERT_EQ(forty.size(), 40);
    EXPECT_EQ(StatusLine::Text(forty, QString()), forty);
    EXPECT_EQ(StatusLine::Text(forty + u'p', QString()), "......" + (forty + u'p').right(33));
    EXPECT_EQ(StatusLine::Text(QStringLiteral("/p/a.bmp"), QStringLiteral("abc")),
              QStringLiteral("/p/a.bmp   --   abc"));
    EXPECT_EQ(StatusLine::Text(QString(), QString()), QString());
}

TEST(DragTracker, QuickMovesWithTheButtonDownMoveTheWindow)
{
    DragTracker drag;
    EXPECT_EQ(drag.Move({100, 100}, 10000, true), QPoint()); // first move only anchors
    EXPECT_EQ(drag.Move({130, 100}, 10050, true), QPoint(30, 0));
    EXPECT_EQ(drag.Move({130, 130}, 10349, true), QPoint(0, 30));
    // A pause of 300 ms or more only re-anchors; the drag then goes on from there.
    EXPECT_EQ(drag.Move({160, 130}, 10649, true), QPoint());
    EXPECT_EQ(drag.Move({170, 140}, 10700, true), QPoint(10, 10));
    // Without the button the pointer only re-anchors.
    EXPECT_EQ(drag.Move({200, 140}, 10710, false), QPoint());
    // The tick count wraps around.
    drag.Move({0, 0}, 0xFFFFFFF0u, true);
    EXPECT_EQ(drag.Move({30, 0}, 0x00000010u, true), QPoint(30, 0));
}

// The largest size on a small screen starts at the top.
TEST(WindowPlacement, AnAxisThatDoesNotFitStartsAtZero)
{
    EXPECT_EQ(WindowPlacement::WindowGeometry(3, {1024, 768}), QRect(22, 0, 980, 800));
}

LogFont Stored(const char* face)
{
    LogFont font = LogFont::DefaultTextFont();
    font.SetFaceName(QString::fromLatin1(face));
    return font;
}

// A face this system lacks opens on the family that stands in for it and stays
// stored under its own name; picking another face stores that one.
TEST(FontColorDialog, PreselectsTheStoredFaceAndKeepsItsNameUnlessAnotherIsPicked)
{
    const std::pair<const char*, const char*> cases[] = {
        {"Arial", nullptr}, {"DejaVu Serif", nullptr}, {"Arial", "DejaVu Serif"}};
    // Chinese names the styles differently; the stored style must still be found.
    QtTranslations::Install(1);
    for (const auto& [stored, picked] : cases) {
        SCOPED_TRACE(stored);
        FontColorDialog dialog(Stored(stored), 0, LanguageTable(0));
        const QString shown = FontColorDialog::ShownFamily(Stored(stored));
        EXPECT_EQ(dialog.currentFont().family(), shown);
        EXPECT_FALSE(dialog.currentFont().italic());
        EXPECT_LT(dialog.currentFont().weight(), QFont::DemiBold);
        if (picked) {
            QFont other = dialog.currentFont();
            other.setFamily(QString::fromLatin1(picked));
            dialog.setCurrentFont(other);
        }
        dialog.accept();
        EXPECT_EQ(dialog.ChosenFont().FaceName(), QString::fromLatin1(picked ? picked : stored));
        if (!picked)
            EXPECT_TRUE(dialog.ChosenFont() == Stored(stored)) << "OK alone changes nothing";
    }
    // A colour outside the sixteen keeps its value under the custom name.
    FontColorDialog custom(Stored("Arial"), MakeColorRef(1, 2, 3), LanguageTable(1));
    EXPECT_EQ(custom.ColorBox()->currentText(), QStringLiteral("自定义"));
    EXPECT_EQ(custom.Color(), MakeColorRef(1, 2, 3));
    QtTranslations::Install(0);
}

TEST(CommandLine, InstanceNameDropsFiveThenKeepsThirteenAndQuotesArePutBack)
{
    const std::pair<const char*, const char*> names[] = {
        {"\"D:\\pics\\20081231_1234.jpg\"", "20081231_1234"},
        {"\"/home/lab/other/20081231_1234.bmp\"", "20081231_1234"},
        {"\"a.jpg\"", "\"a"}, // shorter than 13: all of it
        {"\"ab\"", ""},       // under 5 characters
        {"", ""},
    };
    for (const auto& [commandLine, name] : names)
        EXPECT_EQ(CLumvexImgEdtApp::InstanceName(QString::fromUtf8(commandLine)),
                  QString::fromUtf8(name));

    // The shell may have removed the quotes; they are put back.
    const QString quoted = QStringLiteral("\"/pics/20081231_1234.jpg\"");
    EXPECT_EQ(CLumvexImgEdtApp::RawCommandLine({"editor", "/pics/20081231_1234.jpg"}), quoted);
    EXPECT_EQ(CLumvexImgEdtApp::RawCommandLine({"editor", quoted}), quoted);
    EXPECT_EQ(CLumvexImgEdtApp::RawCommandLine({"editor"}), QString());
    EXPECT_EQ(CLumvexImgEdtApp::PicturePath(quoted), QStringLiteral("/pics/20081231_1234.jpg"));
}

// A second start for a locked base name, from another folder and with the
// other extension, ends at once with 0.
TEST(InstanceLock, ASecondStartForTheSameBaseNameEndsAtOnceWithStatusZero)
{
    QTemporaryDir locks;
    qputenv("LUMVEX_LOCK_DIR", locks.path().toLocal8Bit());
    InstanceLock running(QStringLiteral("20081231_1234"));
    ASSERT_TRUE(running.TryLock());

    QProcess second;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    second.setProcessEnvironment(environment);
    second.start(QStringLiteral(LUMVEX_EXECUTABLE),
                 {QStringLiteral("/elsewhere/20081231_1234.bmp")});
    ASSERT_TRUE(second.waitForFinished(20000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    qunsetenv("LUMVEX_LOCK_DIR");
}

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
    EXPECT_EQ(measuring[ToolMenus::FirstLengthTool].text, QStringLiteral("Any Angle Line"));
    EXPECT_EQ(measuring[ToolMenus::LastLengthTool].id, 32800u);
    EXPECT_EQ(measuring[ToolMenus::UnitsPosition].items[3].id, uint32_t(ToolMenus::CmdUnitInch));
    EXPECT_EQ(english.items[0].items[6].text, QStringLiteral("Line Properties  "));
    EXPECT_EQ(chinese.items[0].items[0].text, QStringLiteral("直线"));
    EXPECT_EQ(chinese.items[1].items[17].text, QStringLiteral("文字属性设置..."));
}

TEST_F(MenuSpawnTest, RecordsCarryTheirStripPictureAndKind)
{
    const std::pair<uint32_t, int> images[] = {{32803, 0},  {32807, 4},  {32874, 5},
                                               {32802, 15}, {32814, 16}, {32855, -1}};
    for (const auto& [id, index] : images)
        EXPECT_EQ(Record(id).imageIndex, index) << id;
    EXPECT_EQ(Measuring().items[18].record->kindCode, MenuItemRecord::SubmenuHeader);
    EXPECT_EQ(Drawing().items[6].record->imageIndex, MenuItemRecord::SubmenuHeader);
    EXPECT_EQ(Drawing().items[5].record->kindCode, MenuItemRecord::Separator);
    EXPECT_EQ(spawn.MeasureMenuItem(*Drawing().items[5].record), QSize(10, 6));
}

// The look of each kind of item: a separator's shadow over a highlight, the
// selected fill beside the picture square and its raised frame, the embossed
// grey and the check image.
TEST_F(MenuSpawnTest, ItemsDrawTheirStates)
{
    const auto& colors = spawn.Palette();
    const QImage separator = Render(*Drawing().items[5].record, {}, 60);
    EXPECT_EQ(separator.pixelColor(2, 2), colors.shadow3d);
    EXPECT_EQ(separator.pixelColor(2, 3), colors.highlight3d);

    const MenuItemRecord& tool = Record(32874);
    const QImage selected = Render(tool, {false, true, false});
    EXPECT_EQ(selected.pixelColor(0, 0), colors.highlight3d);
    EXPECT_EQ(selected.pixelColor(19, 19), colors.shadow3d);
    EXPECT_EQ(selected.pixelColor(21, 0), colors.highlight);
    EXPECT_EQ(selected.pixelColor(159, 19), colors.highlight);
    EXPECT_EQ(Render(tool, {}).pixelColor(0, 0), colors.menu);

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

TEST_F(MenuSpawnTest, LettersSelectNothingButArrowsAndEnterDo)
{
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

// The desktop's usual keys stand for buttons; while text is typed, keys that
// type stay with the text and the shortcuts that type nothing still work.
TEST(EditorKeys, StandForTheirButtons)
{
    const Qt::KeyboardModifiers none = Qt::NoModifier, ctrl = Qt::ControlModifier,
                                ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
    struct Case
    {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        uint32_t command; // 0: none
        bool typing = false;
    };
    const Case cases[] = {
        {Qt::Key_Z, ctrl, CommandOf(Undo)},
        {Qt::Key_Y, ctrl, CommandOf(Redo)},
        {Qt::Key_Z, ctrlShift, CommandOf(Redo)},
        {Qt::Key_S, ctrl, CommandOf(SaveAs)},
        {Qt::Key_S, ctrl, CommandOf(SaveAs), true},
        {Qt::Key_C, ctrl, CommandOf(CopyImage)},
        {Qt::Key_C, ctrlShift, CommandOf(CopyFile)},
        {Qt::Key_PageDown, none, CommandOf(Next)},
        {Qt::Key_PageUp, none, CommandOf(Previous)},
        {Qt::Key_F11, none, CommandOf(Max)},
        {Qt::Key_Plus, ctrlShift, CommandOf(ZoomIn)},
        {Qt::Key_Equal, ctrl, CommandOf(ZoomIn)},
        {Qt::Key_Plus, ctrl | Qt::KeypadModifier, CommandOf(ZoomIn)},
        {Qt::Key_Minus, ctrl, CommandOf(ZoomOut)},
        {Qt::Key_F10, none, CommandOf(Drawing)},
        {Qt::Key_D, Qt::AltModifier, CommandOf(Drawing)},
        {Qt::Key_M, Qt::AltModifier, CommandOf(Measurement)},
        {Qt::Key_W, ctrl, CommandOf(Close)},
        {Qt::Key_Q, ctrl, CommandOf(Close)},
        {Qt::Key_R, ctrl, ResultsController::CommandId},
        {Qt::Key_S, none, 0},
        {Qt::Key_S, ctrl | Qt::AltModifier, 0},
        {Qt::Key_D, Qt::AltModifier, CommandOf(Drawing), true},
        {Qt::Key_M, none, 0, true},
    };
    for (const Case& c : cases) {
        const QString text = c.modifiers == none ? QKeySequence(c.key).toString().toLower() : "";
        const QKeyEvent event(QEvent::KeyPress, c.key, c.modifiers, text);
        EXPECT_EQ(EditorKeys::CommandFor(event, c.typing), c.command)
            << "key " << c.key << " modifiers " << c.modifiers << " typing " << c.typing;
    }
}

} // namespace
