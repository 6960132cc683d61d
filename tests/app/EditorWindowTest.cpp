#include "EditorWindowSupport.h"

#include "app/CBitmapButton.h"
#include "app/CSpawnMenu.h"
#include "app/LayoutTable.h"
#include "app/PropertiesRecord.h"
#include "dialogs/CLineWidth.h"
#include "dialogs/ModalRunner.h"
#include "magnification/CSetMagnification.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

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
    EXPECT_EQ(w.windowTitle(), QStringLiteral("LumvexImgEdt"));
    EXPECT_TRUE(w.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(w.Frame()->geometry(), QRect(10, 50, 640, 480));
    EXPECT_EQ(w.View().geometry(), QRect(0, 0, 640, 480));
    EXPECT_EQ(w.Button(Close)->geometry(), QRect(640, 5, 20, 20));
    for (const LayoutRow& row : LayoutTable::Rows()) {
        QWidget* control = w.Control(row.controlId);
        if (!control || !row.visible)
            continue;
        EXPECT_EQ(control->geometry(), row.rects[0]) << CommandOf(row.controlId);
        EXPECT_EQ(control->isVisible(), row.controlId != RemarkBox) << CommandOf(row.controlId);
    }
    EXPECT_FALSE(w.Button(Mail)->isVisible());
    EXPECT_FALSE(w.Button(Color)->isVisible());
    EXPECT_EQ(w.MagnificationBox()->text(), QStringLiteral("50.000000"));
    EXPECT_EQ(Tools().lastDrawnMenuItem, EditorToolCommands::NoMenuItem);
    EXPECT_TRUE(w.folderPath.endsWith(QStringLiteral("/pics/")));
    EXPECT_TRUE(Tools().MeasuringMenu().Find(ToolMenus::CmdUnitMm)->checked);
}

TEST_F(EditorWindowTest, APictureThatCannotLoadEndsTheWindowAndStoresNothing)
{
    CLumvexImgEdtDlg& w = Open(folder.filePath(QStringLiteral("pics/20081231_0000.bmp")));
    EXPECT_FALSE(opened);
    EXPECT_EQ(loadErrors.size(), 1u);
    EXPECT_TRUE(w.IsClosed());
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(QFile::exists(settingsPath));
}

// Skin and language: the window buttons' artwork, the background, the
// tooltips and the toolkit's own dialogs follow the settings.
TEST_F(EditorWindowTest, SkinAndLanguageFollowTheSettings)
{
    struct Case
    {
        int skin, language;
        const char* suffix;
        QColor background; // invalid: not filled
    };
    // English last: the toolkit's translations stay for the tests that follow.
    const Case cases[] = {{2, 7, "Gold", QColor()},
                          {1, 1, "Gold", QColor(220, 220, 110)},
                          {0, 0, "Blue", QColor(12, 49, 96)}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.skin);
        WriteSetting(QStringLiteral("Skin"), c.skin);
        WriteSetting(QStringLiteral("Language"), c.language);
        CLumvexImgEdtDlg& w = OpenMagnified();
        EXPECT_EQ(w.Button(Max)->Caption(), QStringLiteral("MAX") + c.suffix);
        ASSERT_NE(w.Button(Max)->CurrentBitmap(), nullptr);
        EXPECT_FALSE(w.windowIcon().isNull());
        const QImage shot = w.grab().toImage();
        EXPECT_EQ(w.FillsBackground(), c.background.isValid());
        if (c.background.isValid()) {
            EXPECT_EQ(shot.pixelColor(300, 45), c.background);
            EXPECT_EQ(shot.pixelColor(655, 555), c.background);
            // The path in yellow from the status rectangle's top-left corner.
            int yellow = 0;
            for (int y = 540; y < 556; ++y)
                for (int x = 10; x < 200; ++x)
                    yellow += qRed(shot.pixel(x, y)) > 235 && qBlue(shot.pixel(x, y)) < 60;
            EXPECT_GT(yellow, 20);
        }
        const LanguageTable texts(c.language);
        EXPECT_EQ(w.Button(SaveAs)->toolTip(), texts.TooltipText(Texts::TooltipSaveAs));
        EXPECT_EQ(w.Button(Close)->toolTip(), texts.TooltipText(Texts::TooltipClose));
        const bool english = c.language == 0;
        EXPECT_EQ(QCoreApplication::translate("QColorDialog", "&Basic colors") ==
                      QLatin1String("&Basic colors"),
                  english);
        window.reset();
    }
}

TEST_F(EditorWindowTest, DoubleClickInsideTheStatusLineEditsTheRemark)
{
    CLumvexImgEdtDlg& w = OpenMagnified();
    for (const QPoint outside : {QPoint(646, 548), QPoint(300, 557), QPoint(9, 548)}) {
        QTest::mouseDClick(&w, Qt::LeftButton, Qt::NoModifier, outside);
        EXPECT_FALSE(w.RemarkBox()->isVisible());
    }
    QTest::mouseDClick(&w, Qt::LeftButton, Qt::NoModifier, QPoint(645, 556));
    ASSERT_TRUE(w.RemarkBox()->isVisible());
    EXPECT_EQ(w.RemarkBox()->text(), QStringLiteral("IHC stain, colon mucosa"));
    EXPECT_TRUE(w.RemarkBox()->hasFocus());

    // A remark longer than the record's field is cut to 259 bytes.
    w.RemarkBox()->setText(QString(300, u'é'));
    w.View().setFocus();
    EXPECT_FALSE(w.RemarkBox()->isVisible());
    const QByteArray stored(w.Magnification().record.remark.data());
    EXPECT_EQ(stored.size(), 258); // 129 two-byte characters: no character is split
    EXPECT_EQ(w.View().modificationCount, 0);
}

TEST_F(EditorWindowTest, EnterEscAndTheWindowManagerNeverClose)
{
    CLumvexImgEdtDlg& w = OpenMagnified();
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
        QTest::keyClick(&w, key);
    EXPECT_FALSE(w.close());
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(w.IsClosed());
    EXPECT_TRUE(boxes.empty());
}

// CLOSE with unsaved changes: YES saves first, NO does not, and both store
// the info and the properties; a box closed without an answer keeps the window.
TEST_F(EditorWindowTest, CloseWithChangesAsksAndStoresUnlessDismissed)
{
    for (const int answer : {7, 1, 2}) {
        SCOPED_TRACE(answer);
        QFile::remove(settingsPath);
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
        EXPECT_EQ(boxes[0].caption, QStringLiteral("Lumvex picture editor"));
        EXPECT_EQ(boxes[0].message, QStringLiteral("Picture has been modified!\nSave picture..."));
        EXPECT_EQ(boxes[0].yes + boxes[0].no, QStringLiteral("YESNO"));
        EXPECT_EQ(saves, answer == 1 ? 1 : 0);
        EXPECT_EQ(w.IsClosed(), answer != 2);
        EXPECT_EQ(StoredInfo(QStringLiteral("20081231_1234")).Remark() == QString::number(answer),
                  answer != 2);
        const QByteArray properties = ReadSetting(QStringLiteral("Properties"), 220);
        EXPECT_EQ(properties == PropertiesRecord().ToBytes(), answer != 2);
        window.reset();
    }
}

TEST_F(EditorWindowTest, QuitMessageClosesOnlyWithoutChanges)
{
    CLumvexImgEdtDlg& w = OpenMagnified();
    for (const int modified : {1, 0}) {
        w.View().modificationCount = modified;
        w.Bus().PostQuit();
        QCoreApplication::processEvents();
        EXPECT_EQ(w.IsClosed(), modified == 0);
    }
    EXPECT_TRUE(boxes.empty());
}

// The drawing and measuring menus keep their own check marks; choosing the
// checked tool again turns it off, and the tool is the one chosen last.
TEST_F(EditorWindowTest, ToolChoicesToggleTheirCheckMarks)
{
    struct Step
    {
        ControlId button;
        uint32_t chosen;
        ToolMode mode;
        uint32_t drawingChecked, measuringChecked; // 0: none
    };
    const Step steps[] = {
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
    for (const Step& s : steps) {
        SCOPED_TRACE(s.chosen);
        Choose(s.button, s.chosen);
        EXPECT_EQ(window->View().GetToolMode(), s.mode);
        EXPECT_EQ(checked(Tools().DrawingMenu()), s.drawingChecked);
        EXPECT_EQ(checked(Tools().MeasuringMenu()), s.measuringChecked);
    }
    EXPECT_EQ(Tools().lastDrawnMenuItem, 32874u);
    // A cancel with nothing under way toggles the last chosen item and takes
    // the measuring menu's tool.
    window->View().CancelOperation();
    EXPECT_EQ(checked(Tools().DrawingMenu()), 0u);
    EXPECT_EQ(checked(Tools().MeasuringMenu()), 0u);
    EXPECT_EQ(window->View().GetToolMode(), ToolNone);
}

TEST_F(EditorWindowTest, SecondClickOnTheSameButtonOnlyClosesThePopup)
{
    OpenMagnified();
    Press(Drawing);
    Press(Drawing);
    EXPECT_EQ(popups, 1);
    Press(Drawing);
    EXPECT_EQ(popups, 2);
    // A move over a button is not one over the background.
    QMouseEvent over(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(window->Button(Undo), &over);
    EXPECT_EQ(Tools().popupState, 1);
    Press(Measurement);
    EXPECT_EQ(popups, 3);
    MoveOverBackground();
    EXPECT_EQ(Tools().popupState, 0);
}

TEST_F(EditorWindowTest, CalibrationPromptDeclinedShowsItAgainAfterABackgroundMove)
{
    CLumvexImgEdtDlg& w = OpenUnmagnified();
    boxAnswer = 2;
    Press(Measurement);
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_EQ(w.Magnification().calibrationPromptFlag, 0);
    EXPECT_EQ(w.View().GetToolMode(), ToolNone);
    Press(Measurement);
    EXPECT_EQ(boxes.size(), 1u);
    MoveOverBackground();
    Press(Measurement);
    EXPECT_EQ(boxes.size(), 2u);
    EXPECT_EQ(popups, 0);
}

// Each line, font and unit command: what its dialog starts from, and where the
// answer lands in the style the view draws with and in the stored record.
TEST_F(EditorWindowTest, StyleCommandsReachTheViewAndSurviveARestart)
{
    CLumvexImgEdtDlg& w = OpenMagnified();
    std::vector<int> shownWidths;
    w.hooks.chooseLineWidth = [&](int& index) {
        shownWidths.push_back(index);
        index = 8;
        return true;
    };
    w.hooks.chooseColor = [](ColorRef& color) {
        color = MakeColorRef(1, 2, 3);
        return true;
    };
    w.hooks.chooseLineStyle = [](int& index) {
        index = 4;
        return true;
    };
    LogFont shownFont;
    w.hooks.chooseFont = [&](LogFont& font, ColorRef& color) {
        shownFont = font;
        font.SetFaceName(QStringLiteral("Courier"));
        color = MakeColorRef(255, 0, 0);
        return true;
    };
    using namespace ToolMenus;
    const uint32_t commands[] = {CmdDrawWidth, CmdMeasureColor, CmdDrawStyle, CmdLabelFont, 32857};
    for (uint32_t command : commands)
        w.OnCommand(command);
    Press(TextExtern);
    EXPECT_EQ(shownWidths, std::vector<int>{0});
    EXPECT_EQ(shownFont, LogFont::DefaultTextFont());
    const AnnotationStyle style = w.View().Protocol().Style();
    EXPECT_EQ(style.drawWidth, 9);
    EXPECT_EQ(style.measureColor, MakeColorRef(1, 2, 3));
    EXPECT_EQ(style.drawPenStyle, 4);
    EXPECT_EQ(style.labelColor, MakeColorRef(255, 0, 0));
    EXPECT_EQ(style.textFont.FaceName(), QStringLiteral("Courier"));
    const MenuItem& units = Tools().MeasuringMenu().items[ToolMenus::UnitsPosition];
    EXPECT_FALSE(units.items[0].checked);
    EXPECT_TRUE(units.items[2].checked);
    Press(Close);
    // The record's bytes as the capture program reads them.
    const QByteArray stored = ReadSetting(QStringLiteral("Properties"), 220);
    EXPECT_EQ(stored[4], 9);
    EXPECT_EQ(stored[8], 4);
    EXPECT_EQ(stored.mid(108, 3), QByteArray("\1\2\3"));
    EXPECT_EQ(stored[PropertiesRecord::UnitOffset], 2);

    CLumvexImgEdtDlg& again = OpenMagnified();
    EXPECT_EQ(again.View().Protocol().Style(), style);
    EXPECT_TRUE(Tools().MeasuringMenu().Find(32857)->checked);
    again.OnCommand(ToolMenus::CmdDrawWidth); // declined: nothing changes
    EXPECT_EQ(again.properties.drawWidth, 9);
}

TEST_F(EditorWindowTest, DraggingTheBackgroundMovesTheWindowAndFocusFollowsThePointer)
{
    CLumvexImgEdtDlg& w = OpenMagnified();
    uint32_t now = 5000;
    w.tickSource = [&] {
        return now;
    };
    const QPoint start = w.pos();
    MoveOverBackground({300, 45}, Qt::LeftButton);
    now += 20;
    MoveOverBackground({330, 45}, Qt::LeftButton);
    EXPECT_EQ(w.pos(), start + QPoint(30, 0));
    now += 300; // a pause only re-anchors
    MoveOverBackground({300, 75}, Qt::LeftButton);
    EXPECT_EQ(w.pos(), start + QPoint(30, 0));

    QApplication::setActiveWindow(&w);
    QMouseEvent over(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(w.Button(Undo), &over);
    EXPECT_TRUE(w.Button(Undo)->hasFocus());
    MoveOverBackground();
    EXPECT_TRUE(w.View().hasFocus());
}

// Without a magnification: the prompt, a calibration line, the calibration
// dialog, and then a measurement at the new magnification.
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
    EXPECT_EQ(boxes[0].caption, QStringLiteral("Calibtration"));
    EXPECT_EQ(boxes[0].message, QStringLiteral("Please take measurement on calibration standard"));
    EXPECT_EQ(boxes[0].yes, QStringLiteral("OK"));
    EXPECT_TRUE(boxes[0].no.isEmpty());
    EXPECT_EQ(popups, 0);
    EXPECT_EQ(view.Protocol().Scale().useAdjustedMagnification, 0);
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

    // A 200-pixel line on a 640 x 480 picture shown 1:1.
    Click({100, 100});
    Click({300, 100});
    QCoreApplication::processEvents();
    ASSERT_EQ(requests.size(), 1u);
    // 200 pixels x 0.355 x resolution factor 2 x 50, back at magnification 1.
    EXPECT_NEAR(requests[0].measuredDimension, 200 * 0.355 * 2, 0.75);
    EXPECT_EQ(requests[0].referenceMagnification, 0.0);
    const double adjusted = requests[0].measuredDimension / 0.1;
    EXPECT_EQ(w.Magnification().measuringMagnification, adjusted);
    EXPECT_EQ(view.Protocol().Scale().useAdjustedMagnification, 1);
    EXPECT_EQ(w.MagnificationBox()->text(), QString::asprintf("%f", adjusted));
    EXPECT_EQ(view.modificationCount, 0); // the calibration line is gone
    EXPECT_EQ(view.GetToolMode(), ToolNone);
    EXPECT_FALSE(Tools().MeasuringMenu().Find(ToolMenus::CmdCalibration)->checked);

    MoveOverBackground();
    Choose(Measurement, 32874);
    EXPECT_EQ(enabled, (std::vector<bool>{true, true, true, true, true}));
    Click({100, 200});
    Click({300, 200});
    Click({320, 240});
    EXPECT_EQ(view.modificationCount, 1);
    w.OnCalibrationResult(0.0); // nothing measured: ignored
    EXPECT_EQ(requests.size(), 1u);
    EXPECT_EQ(view.modificationCount, 1);
}

TEST_F(EditorWindowTest, ProgramDialogsAnswerTheCommands)
{
    CLumvexImgEdtDlg& w = OpenUnmagnified();
    w.hooks = EditorHooks::ProgramDialogs(
        &w, [&]() -> const LanguageTable& { return w.Language(); },
        w.findChild<CSetMagnification*>());
    int dialogs = 0;
    ModalRunner::Scope answer([&](QDialog& dialog) {
        ++dialogs;
        if (auto* set = qobject_cast<CSetMagnification*>(&dialog)) {
            set->InitDialog();
            set->Edit()->setText(QStringLiteral("25"));
            set->OkButton()->click();
        } else if (auto* width = qobject_cast<CLineWidth*>(&dialog)) {
            width->Radio(4)->setChecked(true);
            width->OkButton()->click();
        }
        return dialog.result();
    });
    w.OnCommand(ToolMenus::CmdSetPictureMagnification);
    EXPECT_EQ(w.MagnificationBox()->text(), QStringLiteral("25.0"));
    w.OnCommand(ToolMenus::CmdMeasureWidth);
    EXPECT_EQ(w.View().Protocol().Style().measureWidth, 5);
    EXPECT_EQ(dialogs, 2);
}

} // namespace
