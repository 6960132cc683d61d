#include "EditorWindowSupport.h"

#include "app/CBitmapButton.h"
#include "app/CSpawnMenu.h"
#include "app/LayoutTable.h"
#include "app/PropertiesRecord.h"
#include "app/ResultsController.h"
#include "dialogs/CInformationDlg.h"
#include "dialogs/ModalRunner.h"
#include "results/ResultsWindow.h"

#include <QClipboard>
#include <QFrame>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QTableWidget>

#include <tuple>

namespace {

using enum ControlId;
using enum ToolMode;

TEST_F(EditorWindowTest, OpensCentredWithEveryControlInItsPlace)
{
    CLumvexImgEdtDlg& w = OpenMagnified();
    ASSERT_TRUE(opened);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(w.geometry(), QRect(screen.x() + (screen.width() - 660) / 2,
                                  screen.y() + (screen.height() - 560) / 2, 660, 560));
    EXPECT_TRUE(w.windowTitle() == "LumvexImgEdt" && (w.windowFlags() & Qt::FramelessWindowHint));
    EXPECT_EQ(w.Frame()->geometry(), QRect(10, 50, 640, 480));
    EXPECT_EQ(w.View().geometry(), QRect(0, 0, 640, 480));
    for (const LayoutRow& row : LayoutTable::Rows()) {
        const QWidget* control = w.Control(row.controlId);
        if (control && row.visible) {
            EXPECT_EQ(control->geometry(), row.rects[0]) << CommandOf(row.controlId);
            EXPECT_EQ(control->isVisible(), row.controlId != RemarkBox);
        }
    }
    EXPECT_FALSE(w.Button(Mail)->isVisible() || w.Button(Color)->isVisible());
    EXPECT_EQ(w.MagnificationBox()->text(), QStringLiteral("50.000000"));
    EXPECT_TRUE(Tools().MeasuringMenu().Find(ToolMenus::CmdUnitMm)->checked);
    EXPECT_EQ(QApplication::focusWidget(), &w.View()); // so Space presses no button

    // A double-click inside the status line, edges included, edits the remark.
    for (const QPoint outside : {QPoint(646, 548), QPoint(300, 557), QPoint(9, 548)}) {
        QTest::mouseDClick(&w, Qt::LeftButton, Qt::NoModifier, outside);
        EXPECT_FALSE(w.RemarkBox()->isVisible());
    }
    QTest::mouseDClick(&w, Qt::LeftButton, Qt::NoModifier, QPoint(645, 556));
    ASSERT_TRUE(w.RemarkBox()->isVisible() && w.RemarkBox()->hasFocus());
    EXPECT_EQ(w.RemarkBox()->text(), QStringLiteral("IHC stain, colon mucosa"));
    w.RemarkBox()->setText(QStringLiteral("abc"));
    w.View().setFocus();
    EXPECT_FALSE(w.RemarkBox()->isVisible());
    EXPECT_TRUE(w.StatusText().endsWith(QStringLiteral("   --   abc")));
    EXPECT_EQ(w.View().modificationCount, 0);
}

TEST_F(EditorWindowTest, APictureThatCannotLoadEndsTheWindowAndStoresNothing)
{
    CLumvexImgEdtDlg& w = Open(folder.filePath(QStringLiteral("pics/20081231_0000.bmp")));
    EXPECT_FALSE(opened);
    EXPECT_EQ(loadErrors.size(), 1u);
    EXPECT_TRUE(w.IsClosed() && !w.isVisible());
    EXPECT_FALSE(QFile::exists(settingsPath));
}

// The window buttons' artwork, the background with the yellow status line,
// the tooltips and the toolkit's own dialogs follow the skin and language.
TEST_F(EditorWindowTest, SkinAndLanguageFollowTheSettings)
{
    // Skin, language, artwork suffix, background (invalid: not filled). English
    // last: the toolkit's translations stay for the tests that follow.
    const std::tuple<int, int, const char*, QColor> cases[] = {
        {2, 7, "Gold", QColor()},
        {1, 1, "Gold", QColor(220, 220, 110)},
        {0, 0, "Blue", QColor(12, 49, 96)}};
    for (const auto& [skin, language, suffix, background] : cases) {
        SCOPED_TRACE(skin);
        SettingsStore(settingsPath).WriteValue<int32_t>(QStringLiteral("Skin"), skin);
        SettingsStore(settingsPath).WriteValue<int32_t>(QStringLiteral("Language"), language);
        CLumvexImgEdtDlg& w = OpenMagnified();
        EXPECT_TRUE(w.Button(Max)->Caption() == "MAX" + QString(suffix) &&
                    w.Button(Max)->CurrentBitmap());
        const QImage shot = w.grab().toImage();
        EXPECT_EQ(w.FillsBackground(), background.isValid());
        if (background.isValid()) {
            EXPECT_EQ(shot.pixelColor(300, 45), background);
            int yellow = 0;
            for (int y = 540; y < 556; ++y)
                for (int x = 10; x < 200; ++x)
                    yellow += qRed(shot.pixel(x, y)) > 235 && qBlue(shot.pixel(x, y)) < 60;
            EXPECT_GT(yellow, 20);
        }
        EXPECT_EQ(w.Button(SaveAs)->toolTip(),
                  LanguageTable(language).TooltipText(Texts::TooltipSaveAs));
        const QString basic = QCoreApplication::translate("QColorDialog", "&Basic colors");
        EXPECT_EQ(basic == QLatin1String("&Basic colors"), language == 0);
        window.reset();
    }
}

// Only CLOSE and the quit message close: Enter, Esc and the window manager
// never do. CLOSE with unsaved changes asks; YES saves first, NO does not, both
// store the info and the properties; a box closed without an answer keeps the
// window. The quit message closes only without changes, and asks nothing.
TEST_F(EditorWindowTest, OnlyCloseAndTheQuitMessageClose)
{
    CLumvexImgEdtDlg& open = OpenMagnified();
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
        QTest::keyClick(&open, key);
    EXPECT_FALSE(open.close());
    EXPECT_TRUE(open.isVisible() && !open.IsClosed());
    EXPECT_TRUE(boxes.empty());
    for (const int answer : {2, 7, 1}) {
        SCOPED_TRACE(answer);
        CLumvexImgEdtDlg& w = OpenMagnified();
        int saves = 0;
        w.output.saveAs = [&] {
            ++saves;
        };
        w.Magnification().record.SetRemark(QString::number(answer));
        w.View().modificationCount = answer == 2 ? -1 : 1;
        boxAnswer = answer;
        boxes.clear();
        Press(Close);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0],
                  "Lumvex picture editor|Picture has been modified!\nSave picture...|YES|NO");
        EXPECT_EQ(saves, answer == 1 ? 1 : 0);
        EXPECT_EQ(w.IsClosed(), answer != 2);
        EXPECT_EQ(StoredInfo(QStringLiteral("20081231_1234")).Remark() == QString::number(answer),
                  answer != 2);
        EXPECT_EQ(ReadSetting(QStringLiteral("Properties"), 4) == QByteArray(4, '\xEE'),
                  answer == 2);
    }
    OpenMagnified();
    boxes.clear();
    for (const int modified : {1, 0}) {
        window->View().modificationCount = modified;
        window->Bus().PostQuit();
        QCoreApplication::processEvents();
        EXPECT_EQ(window->IsClosed(), modified == 0);
    }
    EXPECT_TRUE(boxes.empty());
}

// The drawing and measuring menus keep their own check marks; choosing the
// checked tool again turns it off, and the tool is the one chosen last.
TEST_F(EditorWindowTest, ToolChoicesToggleTheirCheckMarks)
{
    // Button, item chosen, tool, items checked in the two menus (0: none).
    const std::tuple<ControlId, uint32_t, ToolMode, uint32_t, uint32_t> steps[] = {
        {Drawing, 32803, ToolLine, 32803, 0},
        {DrawingExtern, 32803, ToolNone, 0, 0},
        {Drawing, 32807, ToolEllipse, 32807, 0},
        {Drawing, 32805, ToolFreehand, 32805, 0},
        {Measurement, 32810, ToolPolygon, 32805, 32810},
        {MeasurementExtern, 32874, ToolAnyAngleLine, 32805, 32874},
        {Text, 0, ToolText, 32805, 32874},
    };
    OpenMagnified();
    const auto checked = [](const MenuItem& menu) {
        for (const MenuItem& item : menu.items)
            if (item.checked)
                return item.id;
        return 0u;
    };
    for (const auto& [button, item, mode, drawingChecked, measuringChecked] : steps) {
        SCOPED_TRACE(item);
        Choose(button, item);
        EXPECT_EQ(window->View().GetToolMode(), mode);
        EXPECT_EQ(checked(Tools().DrawingMenu()), drawingChecked);
        EXPECT_EQ(checked(Tools().MeasuringMenu()), measuringChecked);
    }
    // The results item, appended after every measuring item, chooses no tool.
    ASSERT_EQ(Tools().MeasuringMenu().items.size(), 19u + 2);
    Choose(Measurement, ResultsController::CommandId);
    EXPECT_TRUE(window->Results()->Window()->isVisible());
    EXPECT_EQ(window->View().GetToolMode(), ToolText);
    // A cancel with nothing under way toggles the last chosen tool and takes
    // the measuring menu's tool.
    window->View().CancelOperation();
    EXPECT_EQ(checked(Tools().DrawingMenu()) + checked(Tools().MeasuringMenu()), 0u);
    EXPECT_EQ(window->View().GetToolMode(), ToolNone);
}

// A second click on a tool button only closes its pop-up, until the pointer
// passes over the background; the calibration prompt declined counts as one.
TEST_F(EditorWindowTest, PointerOverButtonsAndBackground)
{
    CLumvexImgEdtDlg& w = OpenUnmagnified();
    Press(Drawing);
    Press(Drawing);
    EXPECT_EQ(popups, 1);
    Press(Drawing);
    EXPECT_EQ(popups, 2);
    // The pointer over a button gives it the focus but is no background.
    QApplication::setActiveWindow(&w);
    QMouseEvent over(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(w.Button(Undo), &over);
    EXPECT_TRUE(w.Button(Undo)->hasFocus());
    EXPECT_EQ(Tools().popupState, 1);
    MoveOverBackground();
    EXPECT_TRUE(w.View().hasFocus()); // over the background the view takes the keys

    boxAnswer = 2;
    for (const bool crossed : {false, false, true}) {
        if (crossed)
            MoveOverBackground();
        Press(Measurement);
    }
    EXPECT_EQ(boxes.size(), 2u);
    EXPECT_EQ(popups, 2);
    EXPECT_EQ(w.View().GetToolMode(), ToolNone);
}

// Each line, font and unit command: what its dialog starts from, and where the
// answer lands in the style the view draws with and in the stored record.
TEST_F(EditorWindowTest, StyleCommandsReachTheViewAndSurviveARestart)
{
    CLumvexImgEdtDlg& w = OpenMagnified();
    int shownWidth = -1;
    w.hooks.chooseLineWidth = [&](int& index) {
        shownWidth = std::exchange(index, 8);
        return true;
    };
    w.hooks.chooseColor = Answer(MakeColorRef(1, 2, 3));
    w.hooks.chooseLineStyle = Answer(4);
    LogFont shownFont, courier = LogFont::DefaultTextFont();
    courier.SetFaceName(QStringLiteral("Courier"));
    w.hooks.chooseFont = [&](LogFont& font, ColorRef& color) {
        shownFont = std::exchange(font, courier);
        color = MakeColorRef(255, 0, 0);
        return true;
    };
    using namespace ToolMenus;
    const uint32_t commands[] = {CmdDrawWidth, CmdMeasureColor, CmdDrawStyle, CmdLabelFont, 32857};
    for (const uint32_t command : commands)
        w.OnCommand(command);
    Press(TextExtern);
    EXPECT_EQ(shownWidth, 0);
    EXPECT_EQ(shownFont, LogFont::DefaultTextFont());
    const AnnotationStyle style = w.View().Protocol().Style();
    EXPECT_EQ(style.drawWidth, 9);
    EXPECT_EQ(style.measureColor, MakeColorRef(1, 2, 3));
    EXPECT_EQ(style.drawPenStyle, 4);
    EXPECT_EQ(style.labelColor, MakeColorRef(255, 0, 0));
    EXPECT_EQ(style.textFont.FaceName(), QStringLiteral("Courier"));
    const MenuItem& units = Tools().MeasuringMenu().items[UnitsPosition];
    EXPECT_TRUE(!units.items[0].checked && units.items[2].checked);
    Press(Close);
    // The record's bytes as the capture program reads them.
    const QByteArray stored = ReadSetting(QStringLiteral("Properties"), 220);
    EXPECT_EQ(stored[4], 9);
    EXPECT_EQ(stored[8], 4);
    EXPECT_EQ(stored.mid(108, 3), QByteArray("\1\2\3"));
    EXPECT_EQ(stored[PropertiesRecord::UnitOffset], 2);

    CLumvexImgEdtDlg& again = OpenMagnified();
    EXPECT_EQ(again.View().Protocol().Style(), style);
    again.OnCommand(CmdDrawWidth); // declined: nothing changes
    EXPECT_EQ(again.properties.drawWidth, 9);
}

// Without a magnification: the prompt, a calibration line, the calibration
// dialog, the new magnification in force and the line gone.
TEST_F(EditorWindowTest, CalibrateThenMeasureWithTheRealWindow)
{
    CLumvexImgEdtDlg& w = OpenUnmagnified();
    CLumvexImgEdtView& view = w.View();
    EXPECT_EQ(w.MagnificationBox()->text(), QStringLiteral("NONE"));
    std::vector<CalibrationRequest> requests;
    w.hooks.adjustMagnification = [&](const CalibrationRequest& request) {
        requests.push_back(request);
        // The user types 0.1 mm for the standard.
        return CalibrationAnswer{true, request.measuredDimension / 0.1, 0};
    };
    w.Magnification().scale.useAdjustedMagnification = 1;
    Press(Measurement);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Calibtration|Please take measurement on calibration standard|OK|");
    EXPECT_EQ(popups, 0);
    ASSERT_EQ(view.GetToolMode(), ToolCalibration);
    EXPECT_TRUE(Tools().MeasuringMenu().Find(ToolMenus::CmdCalibration)->checked);

    // The menu now opens with the length tools greyed and the angles enabled.
    MoveOverBackground();
    std::vector<bool> enabled;
    onPopup = [&](CSpawnMenu& menu) {
        enabled.clear();
        for (uint32_t id : {32874u, 32800u, 32801u, 32802u, 32814u})
            enabled.push_back(menu.ActionFor(id)->isEnabled());
    };
    Press(Measurement);
    EXPECT_EQ(enabled, (std::vector<bool>{false, false, true, true, true}));

    // A 200-pixel line on a 640 x 480 picture shown 1:1: 200 pixels x 0.355 x
    // resolution factor 2 x 50, back at magnification 1.
    Click({100, 100});
    Click({300, 100});
    QCoreApplication::processEvents();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_NEAR(requests[0].measuredDimension, 200 * 0.355 * 2, 0.75);
    const double adjusted = requests[0].measuredDimension / 0.1;
    EXPECT_EQ(w.MagnificationBox()->text(), QString::asprintf("%f", adjusted));
    EXPECT_EQ(view.modificationCount, 0); // the calibration line is gone
    EXPECT_EQ(view.GetToolMode(), ToolNone);
    EXPECT_FALSE(Tools().MeasuringMenu().Find(ToolMenus::CmdCalibration)->checked);
}

// The loupe's switch survives a restart in the editor's own key and leaves
// the records shared with the capture program alone.
TEST_F(EditorWindowTest, LoupeSwitchIsKeptAcrossARestart)
{
    for (const bool expected : {true, false, true}) {
        OpenMagnified();
        EXPECT_EQ(window->View().LoupeEnabled(), expected);
        const QByteArray shared = ReadSetting(QStringLiteral("Properties"), 220);
        QTest::keyClick(&window->View(), Qt::Key_L);
        EXPECT_EQ(ReadSetting(QStringLiteral("Properties"), 220), shared);
        EXPECT_EQ(ReadSetting(QStringLiteral("LumvexImgEdt/Loupe"), 4)[0], expected ? 0 : 1);
    }
}

TEST_F(EditorWindowTest, ZoomStepsAndFullScreenPlaceTheWindowAndItsControls)
{
    CLumvexImgEdtDlg& w = OpenMagnified();
    for (int i = 0; i < 4; ++i)
        Press(ZoomIn);
    EXPECT_EQ(w.size(), QSize(980, 800));
    EXPECT_EQ(w.View().size(), QSize(960, 720));
    EXPECT_EQ(w.Button(Close)->geometry(), QRect(960, 5, 20, 20));
    EXPECT_EQ(w.RemarkRect(), QRect(10, 780, 955, 16));
    Press(ZoomOut);
    Press(ZoomOut);
    EXPECT_EQ(w.size(), QSize(817, 678));

    Choose(Drawing, 32803);
    Press(Max);
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    EXPECT_EQ(w.size(), QSize(screen.width(), screen.height() + 60));
    EXPECT_EQ(w.Frame()->geometry(), QRect(0, 60, screen.width(), screen.height()));
    EXPECT_EQ(w.View().GetToolMode(), ToolMode::ToolNone);
    EXPECT_TRUE(w.Information()->isVisible());
    EXPECT_EQ(w.Information()->infoText, QStringLiteral("Press <Esc> to exit"));
    Press(Cancel);
    EXPECT_FALSE(w.Information()->isVisible());
    EXPECT_EQ(w.size(), QSize(817, 678));
    EXPECT_EQ(w.Frame()->geometry(), QRect(10, 50, 797, 598));
}

TEST_F(EditorWindowTest, NextStoresTheRemarkOfThePictureLeft)
{
    Picture("20081231_1234.jpg", "20081231_1300", false);
    CLumvexImgEdtDlg& w = OpenMagnified();
    w.Magnification().record.SetRemark(QStringLiteral("seen"));
    w.View().modificationCount = 1;
    boxAnswer = 7;
    Press(Next);
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(w.picturePath.endsWith(QStringLiteral("20081231_1300.jpg")));
    EXPECT_EQ(StoredInfo(QStringLiteral("20081231_1234")).Remark(), QStringLiteral("seen"));
    EXPECT_EQ(w.Magnification().record.Remark(), QString());
    EXPECT_EQ(w.View().modificationCount, 0);

    Press(Previous);
    EXPECT_TRUE(w.picturePath.endsWith(QStringLiteral("20081231_1234.jpg")));
    EXPECT_EQ(w.MagnificationBox()->text(), QStringLiteral("50.000000"));
    EXPECT_TRUE(w.StatusText().endsWith(QStringLiteral("   --   seen")));
}

// As a user does it: three lines, Ctrl+R on the view, the table with its
// summary, Ctrl+S and a typed path, and the rows on the clipboard.
TEST_F(EditorWindowTest, ThreeMeasurementsToTheResultsAFileAndTheClipboard)
{
    CLumvexImgEdtDlg& w = OpenMagnified();
    Choose(Measurement, 32874);
    for (int i = 1; i <= 3; ++i)
        for (QPoint q : {QPoint(100, 50 * i), QPoint(100 + 100 * i, 50 * i), QPoint(400, 400)})
            Click(q);                             // the third click places the label
    const QString kept = w.Results()->FilePath(); // beside the picture, as it changes
    EXPECT_EQ(TestFiles::Read(kept).count("\r\n"), 4);
    QTest::keyClick(&w.View(), Qt::Key_R, Qt::ControlModifier);
    ResultsWindow* results = w.Results()->Window();
    ASSERT_TRUE(results && QTest::qWaitForWindowExposed(results));
    results->activateWindow(); // the test platform activates only exposed windows
    ASSERT_TRUE(QTest::qWaitForWindowActive(results));
    EXPECT_EQ(results->windowTitle(), QStringLiteral("Results - 20081231_1234"));
    QTableWidget* table = results->Table();
    ASSERT_EQ(table->rowCount(), 3 + 5); // rows, then count, mean, SD, min and max
    EXPECT_EQ(table->item(0, 1)->text(), QStringLiteral("Any Angle Line"));

    const QString typed = folder.filePath(QStringLiteral("report.csv"));
    QString offered;
    ModalRunner::Scope runner([&](QDialog& dialog) {
        dialog.show();
        QLineEdit* edit = nullptr;
        if (!QTest::qWaitFor([&] {
                edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
                return edit && edit->hasSelectedText();
            }))
            return int(QDialog::Rejected);
        offered = edit->selectedText();
        QTest::keyClicks(edit, typed);
        QTest::keyClick(edit, Qt::Key_Return);
        return dialog.result();
    });
    QTest::keyClick(table, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(offered, QStringLiteral("20081231_1234_results.csv"));
    EXPECT_EQ(TestFiles::Read(typed), TestFiles::Read(kept)); // the summary lines are not exported

    QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
    const QStringList pasted = QApplication::clipboard()->text().split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(pasted.size(), 4);
    EXPECT_TRUE(pasted[0].startsWith(QStringLiteral("No.\tKind\tLength (mm)\tUnit\t")));
    // Twice the length in the picture is twice the value in the row.
    EXPECT_NEAR(pasted[2].split(u'\t')[2].toDouble(), 2 * pasted[1].split(u'\t')[2].toDouble(),
                1e-5);

    // Undo takes the last row away, in the table and in the file; redo brings it back.
    Press(Undo);
    EXPECT_EQ(w.Results()->Rows().size(), 2u);
    EXPECT_EQ(TestFiles::Read(kept).count("\r\n"), 3);
    Press(Redo);
    EXPECT_EQ(w.Results()->Rows().size(), 3u);
    // The picture opened again finds its table.
    EXPECT_EQ(OpenMagnified().Results()->Rows().size(), 3u);
}

// A key on the view runs its button's command; a tool menu opened by a key
// shows below its button.
TEST_F(EditorWindowTest, KeysOnTheViewRunTheirCommands)
{
    CLumvexImgEdtDlg& w = OpenMagnified();
    int saves = 0;
    w.output.saveAs = [&] {
        ++saves;
    };
    QPoint menuAt;
    w.hooks.popupMenu = [&](CSpawnMenu&, QPoint at) {
        menuAt = at;
        return 0u;
    };
    QTest::keyClick(&w.View(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(saves, 1);
    for (const ControlId button : {Drawing, Measurement, Drawing}) {
        QTest::keyClick(&w.View(), button == Drawing ? Qt::Key_D : Qt::Key_M, Qt::AltModifier);
        EXPECT_EQ(menuAt, w.Button(button)->mapToGlobal(QPoint(0, w.Button(button)->height())));
    }
    Press(Text);
    Click({100, 200});
    QTest::keyClicks(&w.View(), QStringLiteral("sdm"));
    EXPECT_EQ(w.View().TypedText(), QStringLiteral("sdm"));
    QTest::keyClick(&w.View(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_TRUE(w.IsClosed());
}

} // namespace
