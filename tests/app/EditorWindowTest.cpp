#include "EditorWindowSupport.h"

#include "app/CBitmapButton.h"
#include "app/CSpawnMenu.h"
#include "app/LayoutTable.h"
#include "app/PropertiesRecord.h"
#include "magnification/PictureInfoRecord.h"
#include "view/CLumvexImgEdtView.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTest>

#include <cstring>

namespace {

PictureInfoRecord ReadInfo(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return PictureInfoRecord::FromBytes(file.readAll());
}

TEST_F(EditorWindowTest, OpensCentredWithTheFrameAndTheButtons)
{
    CLumvexImgEdtDlg& w = OpenMagnified();
    ASSERT_TRUE(opened);
    EXPECT_EQ(w.size(), QSize(660, 560));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("LumvexImgEdt"));
    EXPECT_TRUE(w.windowFlags() & Qt::FramelessWindowHint);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(w.pos(), QPoint(screen.x() + (screen.width() - 660) / 2,
                              screen.y() + (screen.height() - 560) / 2));
    EXPECT_EQ(w.Frame()->geometry(), QRect(10, 50, 640, 480));
    EXPECT_EQ(w.View().geometry(), QRect(0, 0, 640, 480));
    EXPECT_EQ(w.Button(1014)->geometry(), QRect(10, 10, 24, 24));
    EXPECT_EQ(w.Button(1018)->geometry(), QRect(222, 10, 10, 24));
    EXPECT_EQ(w.Button(1006)->geometry(), QRect(640, 5, 20, 20));
    EXPECT_EQ(w.MagnificationBox()->geometry(), QRect(558, 28, 92, 16));
    EXPECT_FALSE(w.Button(1009)->isVisible());
    EXPECT_FALSE(w.Button(1013)->isVisible());
    EXPECT_FALSE(w.RemarkBox()->isVisible());
    EXPECT_TRUE(w.Button(1024)->isVisible());
    EXPECT_EQ(w.MagnificationBox()->text(), QStringLiteral("50.000000"));
    EXPECT_EQ(w.lastDrawnMenuItem, CLumvexImgEdtDlg::NoMenuItem);
    EXPECT_EQ(w.popupState, 0);
    EXPECT_TRUE(w.picturePath.endsWith(QStringLiteral("/pics/20081231_1234.jpg")));
    EXPECT_TRUE(w.folderPath.endsWith(QStringLiteral("/pics/")));
    // mm is the unit loaded, so it carries the check mark.
    EXPECT_TRUE(w.MeasuringMenu().Find(32855)->checked);
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

TEST_F(EditorWindowTest, BackgroundAndStatusLineFollowTheSkin)
{
    WriteSetting(QStringLiteral("Skin"), QByteArray("\x01\0\0\0", 4));
    CLumvexImgEdtDlg& w = OpenMagnified();
    EXPECT_EQ(w.Button(1006)->Caption(), QStringLiteral("CLOSEGold"));
    EXPECT_EQ(w.Button(1008)->Caption(), QStringLiteral("MINGold"));
    const QImage shot = w.grab().toImage();
    EXPECT_EQ(shot.pixelColor(300, 45), QColor(220, 220, 110));
    EXPECT_EQ(shot.pixelColor(655, 555), QColor(220, 220, 110));
    // The path is drawn in yellow from the status rectangle's top-left corner.
    int yellow = 0;
    for (int y = 540; y < 556; ++y)
        for (int x = 10; x < 200; ++x) {
            const QColor c = shot.pixelColor(x, y);
            yellow += c.red() > 235 && c.green() > 235 && c.blue() < 60;
        }
    EXPECT_GT(yellow, 20);
}

TEST_F(EditorWindowTest, BlueSkinAndUnknownSkins)
{
    CLumvexImgEdtDlg& blue = OpenMagnified();
    EXPECT_EQ(blue.Button(1007)->Caption(), QStringLiteral("MAXBlue"));
    EXPECT_EQ(blue.grab().toImage().pixelColor(300, 45), QColor(12, 49, 96));
    ASSERT_NE(blue.Button(1007)->CurrentBitmap(), nullptr);

    window.reset();
    WriteSetting(QStringLiteral("Skin"), QByteArray("\x02\0\0\0", 4));
    CLumvexImgEdtDlg& other = OpenMagnified();
    EXPECT_EQ(other.Button(1007)->Caption(), QStringLiteral("MAXGold"));
    EXPECT_FALSE(other.FillsBackground());
    EXPECT_NE(other.grab().toImage().pixelColor(300, 45), QColor(12, 49, 96));
}

TEST_F(EditorWindowTest, DoubleClickOnTheStatusLineEditsTheRemark)
{
    CLumvexImgEdtDlg& w = OpenMagnified();
    QTest::mouseDClick(&w, Qt::LeftButton, Qt::NoModifier, QPoint(646, 548));
    EXPECT_FALSE(w.RemarkBox()->isVisible());
    QTest::mouseDClick(&w, Qt::LeftButton, Qt::NoModifier, QPoint(300, 557));
    EXPECT_FALSE(w.RemarkBox()->isVisible());

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

    w.Magnification().record.SetRemark(QStringLiteral("abc"));
    EXPECT_TRUE(w.StatusText().endsWith(QStringLiteral("   --   abc")));
}

TEST_F(EditorWindowTest, EnterEscAndTheWindowManagerNeverClose)
{
    CLumvexImgEdtDlg& w = OpenMagnified();
    w.activateWindow();
    QTest::keyClick(&w, Qt::Key_Return);
    QTest::keyClick(&w, Qt::Key_Enter);
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_FALSE(w.close());
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(w.IsClosed());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(EditorWindowTest, CloseWithChangesAnsweredNoStillStoresInfoAndProperties)
{
    CLumvexImgEdtDlg& w = OpenMagnified();
    int saves = 0;
    w.output.saveAs = [&] {
        ++saves;
    };
    w.Magnification().record.SetRemark(QStringLiteral("edited"));
    w.View().modificationCount = 1;
    boxAnswer = 7;
    w.OnCommand(CLumvexImgEdtDlg::IdClose);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, QStringLiteral("Lumvex picture editor"));
    EXPECT_EQ(boxes[0].message, QStringLiteral("Picture has been modified!\nSave picture..."));
    EXPECT_EQ(boxes[0].yes, QStringLiteral("YES"));
    EXPECT_EQ(boxes[0].no, QStringLiteral("NO"));
    EXPECT_EQ(saves, 0);
    EXPECT_TRUE(w.IsClosed());
    EXPECT_EQ(w.result(), 0);
    EXPECT_EQ(ReadInfo(InfoPath(QStringLiteral("20081231_1234"))).Remark(),
              QStringLiteral("edited"));
    EXPECT_EQ(ReadSetting(QStringLiteral("Properties"), 220), PropertiesRecord().ToBytes());
}

TEST_F(EditorWindowTest, CloseWithChangesAnsweredYesSavesFirst)
{
    CLumvexImgEdtDlg& w = OpenMagnified();
    int saves = 0;
    w.output.saveAs = [&] {
        ++saves;
    };
    w.View().modificationCount = 2;
    boxAnswer = 1;
    w.OnCommand(CLumvexImgEdtDlg::IdClose);
    EXPECT_EQ(saves, 1);
    EXPECT_TRUE(w.IsClosed()); // whatever the save did
}

TEST_F(EditorWindowTest, CloseBoxDismissedKeepsTheWindow)
{
    CLumvexImgEdtDlg& w = OpenMagnified();
    w.View().modificationCount = -1;
    boxAnswer = 2;
    w.OnCommand(CLumvexImgEdtDlg::IdClose);
    EXPECT_FALSE(w.IsClosed());
    EXPECT_EQ(ReadSetting(QStringLiteral("Properties"), 4), QByteArray(4, '\xEE'));
}

TEST_F(EditorWindowTest, QuitMessageClosesOnlyWithoutChanges)
{
    CLumvexImgEdtDlg& w = OpenMagnified();
    w.View().modificationCount = 1;
    w.Bus().PostQuit();
    QCoreApplication::processEvents();
    EXPECT_FALSE(w.IsClosed());
    EXPECT_TRUE(boxes.empty());

    w.View().modificationCount = 0;
    w.Bus().PostQuit();
    QCoreApplication::processEvents();
    EXPECT_TRUE(w.IsClosed());
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(ReadSetting(QStringLiteral("Properties"), 220).size(), 220);
}

TEST_F(EditorWindowTest, ChoosingTheCheckedDrawingToolTurnsItOff)
{
    CLumvexImgEdtDlg& w = OpenMagnified();
    Choose(CLumvexImgEdtDlg::IdDrawing, 32803);
    EXPECT_EQ(w.lastDrawnMenuItem, 32803u);
    EXPECT_TRUE(w.DrawingMenu().Find(32803)->checked);
    EXPECT_EQ(w.View().GetToolMode(), ToolMode::ToolLine);

    Choose(CLumvexImgEdtDlg::IdDrawingExtern, 32803);
    EXPECT_FALSE(w.DrawingMenu().Find(32803)->checked);
    EXPECT_EQ(w.View().GetToolMode(), ToolMode::ToolNone);

    Choose(CLumvexImgEdtDlg::IdDrawing, 32807);
    EXPECT_EQ(w.View().GetToolMode(), ToolMode::ToolEllipse);
    Choose(CLumvexImgEdtDlg::IdDrawing, 32805);
    EXPECT_FALSE(w.DrawingMenu().Find(32807)->checked);
    EXPECT_EQ(w.View().GetToolMode(), ToolMode::ToolFreehand);
}

TEST_F(EditorWindowTest, DrawingAndMeasuringMenusKeepTheirOwnCheckMarks)
{
    CLumvexImgEdtDlg& w = OpenMagnified();
    Choose(CLumvexImgEdtDlg::IdDrawing, 32803);
    Choose(CLumvexImgEdtDlg::IdMeasurement, 32810);
    EXPECT_TRUE(w.DrawingMenu().Find(32803)->checked);
    EXPECT_TRUE(w.MeasuringMenu().Find(32810)->checked);
    EXPECT_EQ(w.View().GetToolMode(), ToolMode::ToolPolygon);

    w.OnCommand(CLumvexImgEdtDlg::IdText);
    EXPECT_EQ(w.View().GetToolMode(), ToolMode::ToolText);
    EXPECT_TRUE(w.DrawingMenu().Find(32803)->checked);
    EXPECT_TRUE(w.MeasuringMenu().Find(32810)->checked);

    // A cancel with nothing under way toggles the last chosen item and takes
    // the measuring menu's tool.
    w.View().CancelOperation();
    EXPECT_FALSE(w.MeasuringMenu().Find(32810)->checked);
    EXPECT_FALSE(w.DrawingMenu().Find(32803)->checked);
    EXPECT_EQ(w.View().GetToolMode(), ToolMode::ToolNone);
}

TEST_F(EditorWindowTest, SecondClickOnTheSameButtonOnlyClosesThePopup)
{
    CLumvexImgEdtDlg& w = OpenMagnified();
    w.OnCommand(CLumvexImgEdtDlg::IdDrawing);
    EXPECT_EQ(w.popupState, 1);
    w.OnCommand(CLumvexImgEdtDlg::IdDrawing);
    EXPECT_EQ(w.popupState, 0);
    EXPECT_EQ(popups, 1);
    w.OnCommand(CLumvexImgEdtDlg::IdDrawing);
    EXPECT_EQ(popups, 2);
    MoveOverBackground();
    EXPECT_EQ(w.popupState, 0);
    w.OnCommand(CLumvexImgEdtDlg::IdMeasurement);
    EXPECT_EQ(w.popupState, 2);
    EXPECT_EQ(popups, 3);
}

TEST_F(EditorWindowTest, CalibrationPromptAcceptedSelectsCalibration)
{
    CLumvexImgEdtDlg& w = OpenUnmagnified();
    EXPECT_EQ(w.MagnificationBox()->text(), QStringLiteral("NONE"));
    w.Magnification().scale.useAdjustedMagnification = 1;
    boxAnswer = 1;
    w.OnCommand(CLumvexImgEdtDlg::IdMeasurement);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, QStringLiteral("Calibtration"));
    EXPECT_EQ(boxes[0].message, QStringLiteral("Please take measurement on calibration standard"));
    EXPECT_EQ(boxes[0].yes, QStringLiteral("OK"));
    EXPECT_TRUE(boxes[0].no.isEmpty());
    EXPECT_EQ(popups, 0);
    EXPECT_EQ(w.View().Protocol().Scale().useAdjustedMagnification, 0);
    EXPECT_EQ(w.View().GetToolMode(), ToolMode::ToolCalibration);
    EXPECT_TRUE(w.MeasuringMenu().Find(32814)->checked);
    EXPECT_EQ(w.lastDrawnMenuItem, 32814u);
    EXPECT_EQ(w.Magnification().calibrationPromptFlag, 1);

    // With the prompt answered, the menu opens with the length tools greyed.
    MoveOverBackground();
    std::vector<std::pair<uint32_t, bool>> states;
    onPopup = [&](CSpawnMenu& menu) {
        for (uint32_t id : {32874u, 32800u, 32801u, 32802u, 32814u})
            states.emplace_back(id, menu.ActionFor(id)->isEnabled());
    };
    w.OnCommand(CLumvexImgEdtDlg::IdMeasurementExtern);
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_EQ(popups, 1);
    const std::vector<std::pair<uint32_t, bool>> expected = {
        {32874u, false}, {32800u, false}, {32801u, true}, {32802u, true}, {32814u, true}};
    EXPECT_EQ(states, expected);
}

TEST_F(EditorWindowTest, CalibrationPromptDeclinedShowsItAgainLater)
{
    CLumvexImgEdtDlg& w = OpenUnmagnified();
    boxAnswer = 2;
    w.OnCommand(CLumvexImgEdtDlg::IdMeasurement);
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_EQ(w.Magnification().calibrationPromptFlag, 0);
    EXPECT_EQ(w.View().GetToolMode(), ToolMode::ToolNone);
    w.OnCommand(CLumvexImgEdtDlg::IdMeasurement);
    EXPECT_EQ(boxes.size(), 1u);
    MoveOverBackground();
    w.OnCommand(CLumvexImgEdtDlg::IdMeasurement);
    EXPECT_EQ(boxes.size(), 2u);
    EXPECT_EQ(popups, 0);
}

TEST_F(EditorWindowTest, MagnificationOfExactlyOneEnablesTheLengthTools)
{
    CLumvexImgEdtDlg& w = OpenUnmagnified();
    w.hooks.setMagnification = [](double& value) {
        value = 1.0;
        return true;
    };
    w.OnCommand(CLumvexImgEdtDlg::CmdSetPictureMagnification);
    EXPECT_EQ(w.MagnificationBox()->text(), QString());
    bool lengthToolsEnabled = false;
    onPopup = [&](CSpawnMenu& menu) {
        lengthToolsEnabled = menu.ActionFor(32874)->isEnabled();
    };
    w.OnCommand(CLumvexImgEdtDlg::IdMeasurement);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(popups, 1);
    EXPECT_TRUE(lengthToolsEnabled);

    w.OnCommand(CLumvexImgEdtDlg::CmdResetPictureMagnification);
    EXPECT_EQ(w.MagnificationBox()->text(), QStringLiteral("NONE"));
}

TEST_F(EditorWindowTest, WidthDialogShowsTheIndexAndStoresTheWidth)
{
    CLumvexImgEdtDlg& w = OpenMagnified();
    std::vector<int> shown;
    int answer = 8;
    w.hooks.chooseLineWidth = [&](int& index) {
        shown.push_back(index);
        index = answer;
        return answer >= 0;
    };
    w.OnCommand(CLumvexImgEdtDlg::CmdDrawWidth);
    EXPECT_EQ(w.View().Protocol().Style().drawWidth, 9);
    EXPECT_EQ(w.properties.drawWidth, 9);
    answer = 2;
    w.OnCommand(CLumvexImgEdtDlg::CmdMeasureWidth);
    EXPECT_EQ(w.View().Protocol().Style().measureWidth, 3);
    EXPECT_EQ(w.properties.measureWidth, 3);
    answer = -1; // cancelled: nothing changes
    w.OnCommand(CLumvexImgEdtDlg::CmdDrawWidth);
    EXPECT_EQ(w.View().Protocol().Style().drawWidth, 9);
    EXPECT_EQ(shown, (std::vector<int>{0, 0, 8}));

    const QByteArray bytes = w.properties.ToBytes();
    EXPECT_EQ(bytes[4], 9);
    EXPECT_EQ(bytes[112], 3);
}

TEST_F(EditorWindowTest, ColourStyleAndFontsReachViewAndRecord)
{
    CLumvexImgEdtDlg& w = OpenMagnified();
    w.hooks.chooseColor = [](ColorRef& color) {
        color = MakeColorRef(1, 2, 3);
        return true;
    };
    w.hooks.chooseLineStyle = [](int& index) {
        index = 4;
        return true;
    };
    LogFont seen;
    w.hooks.chooseFont = [&](LogFont& font, ColorRef& color) {
        seen = font;
        font.SetFaceName(QStringLiteral("Courier"));
        font.height = -30;
        color = MakeColorRef(255, 0, 0);
        return true;
    };
    w.OnCommand(CLumvexImgEdtDlg::CmdMeasureColor);
    w.OnCommand(CLumvexImgEdtDlg::CmdDrawStyle);
    w.OnCommand(CLumvexImgEdtDlg::IdTextExtern);
    EXPECT_EQ(seen, LogFont::DefaultTextFont());
    EXPECT_EQ(w.View().Protocol().Style().measureColor, MakeColorRef(1, 2, 3));
    EXPECT_EQ(w.View().Protocol().Style().drawColor, 0u);
    EXPECT_EQ(w.View().Protocol().Style().drawPenStyle, 4);
    EXPECT_EQ(w.View().Protocol().Style().textColor, MakeColorRef(255, 0, 0));
    EXPECT_EQ(w.View().Protocol().Style().textFont.FaceName(), QStringLiteral("Courier"));
    EXPECT_EQ(w.View().Protocol().Style().labelFont, LogFont::DefaultTextFont());

    const PropertiesRecord r = PropertiesRecord::FromBytes(w.properties.ToBytes());
    EXPECT_EQ(r.measureColor, MakeColorRef(1, 2, 3));
    EXPECT_EQ(r.drawPenStyle, 4);
    EXPECT_EQ(r.textColor, MakeColorRef(255, 0, 0));
    EXPECT_EQ(r.textFont.height, -30);

    w.OnCommand(CLumvexImgEdtDlg::CmdLabelFont);
    EXPECT_EQ(w.properties.labelColor, MakeColorRef(255, 0, 0));
    EXPECT_EQ(w.View().Protocol().Style().labelFont.FaceName(), QStringLiteral("Courier"));
}

TEST_F(EditorWindowTest, UnitCommandMovesTheCheckMark)
{
    CLumvexImgEdtDlg& w = OpenMagnified();
    w.OnCommand(32858);
    const MenuItem& units = w.MeasuringMenu().items[18];
    EXPECT_FALSE(units.items[0].checked);
    EXPECT_TRUE(units.items[3].checked);
    EXPECT_EQ(w.View().Protocol().Style().unit, 3);
    const QByteArray bytes = w.properties.ToBytes();
    int32_t stored = 0;
    std::memcpy(&stored, bytes.constData() + 216, 4);
    EXPECT_EQ(stored, 3);
    w.OnCommand(32856);
    EXPECT_TRUE(units.items[1].checked);
    EXPECT_FALSE(units.items[3].checked);
}

TEST_F(EditorWindowTest, PropertiesSurviveARestart)
{
    {
        CLumvexImgEdtDlg& w = OpenMagnified();
        w.hooks.chooseLineWidth = [](int& index) {
            index = 5;
            return true;
        };
        w.OnCommand(CLumvexImgEdtDlg::CmdDrawWidth);
        w.OnCommand(32857);
        w.OnCommand(CLumvexImgEdtDlg::IdClose);
        ASSERT_TRUE(w.IsClosed());
    }
    CLumvexImgEdtDlg& again = OpenMagnified();
    EXPECT_EQ(again.View().Protocol().Style().drawWidth, 6);
    EXPECT_EQ(again.properties.drawWidth, 6);
    EXPECT_EQ(again.View().Protocol().Style().unit, 2);
    EXPECT_TRUE(again.MeasuringMenu().Find(32857)->checked);
    EXPECT_FALSE(again.MeasuringMenu().Find(32855)->checked);
}

TEST_F(EditorWindowTest, OtherSettingsAreReadWithTheirSizes)
{
    WriteSettingValue<uint32_t>(QStringLiteral("PhotoSavedInfo"), 0x1234);
    WriteSettingValue<uint32_t>(QStringLiteral("PhotoSavedInfoFontColor"), 0x00FF00);
    WriteSettingValue<double>(QStringLiteral("InputMaginification"), 20.0);
    CLumvexImgEdtDlg& w = Open(Picture("20081231_1234.jpg", "20081231_1299", false));
    EXPECT_EQ(w.stamp.flags, 0x34u);
    EXPECT_EQ(w.stamp.color, 0x00FF00u);
    EXPECT_EQ(w.stamp.font, LogFont::DefaultStampFont());
    EXPECT_EQ(w.MagnificationBox()->text(), QStringLiteral("20.000000"));
}

TEST_F(EditorWindowTest, ButtonsCarryTheirTooltipsInTheChosenLanguage)
{
    for (int language : {0, 1}) {
        WriteSetting(QStringLiteral("Language"), QByteArray(1, char(language)) + QByteArray(3, 0));
        CLumvexImgEdtDlg& w = OpenMagnified();
        const LanguageTable texts(language);
        for (const LayoutRow& row : LayoutTable::Rows())
            if (row.IsButton())
                EXPECT_EQ(w.Button(row.controlId)->toolTip(), texts.TooltipText(row.tooltip))
                    << row.controlId;
        window.reset();
    }
}

TEST_F(EditorWindowTest, DraggingTheBackgroundMovesTheWindow)
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
    // The window moved under the pointer: the pointer now sits 30 pixels further.
    now += 20;
    MoveOverBackground({300, 75}, Qt::LeftButton);
    EXPECT_EQ(w.pos(), start + QPoint(30, 30));
    now += 300;
    MoveOverBackground({300, 45}, Qt::LeftButton);
    EXPECT_EQ(w.pos(), start + QPoint(30, 30));
    now += 10;
    MoveOverBackground({300, 45}, Qt::NoButton);
    EXPECT_EQ(w.pos(), start + QPoint(30, 30));
}

TEST_F(EditorWindowTest, PointerGivesFocusToButtonsAndTheView)
{
    CLumvexImgEdtDlg& w = OpenMagnified();
    // Focus only moves inside the active window.
    QApplication::setActiveWindow(&w);
    QMouseEvent over(QEvent::MouseMove, QPointF(5, 5),
                     QPointF(w.Button(1021)->mapToGlobal(QPoint(5, 5))), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(w.Button(1021), &over);
    EXPECT_TRUE(w.Button(1021)->hasFocus());
    w.popupState = 1; // a move over a button is not one over the background
    QApplication::sendEvent(w.Button(1021), &over);
    EXPECT_EQ(w.popupState, 1);
    MoveOverBackground();
    EXPECT_TRUE(w.View().hasFocus());
}

} // namespace

namespace {

void Click(CLumvexImgEdtView& view, QPoint at)
{
    view.PointerMove(at);
    view.LeftButtonDown(at);
    view.LeftButtonUp(at);
}

TEST_F(EditorWindowTest, CalibrateThenMeasureWithTheRealWindow)
{
    CLumvexImgEdtDlg& w = OpenUnmagnified();
    CLumvexImgEdtView& view = w.View();
    std::vector<CalibrationRequest> requests;
    w.hooks.adjustMagnification = [&](const CalibrationRequest& request) {
        requests.push_back(request);
        // The user types 0.1 mm for the standard.
        return CalibrationAnswer{true, request.measuredDimension / 0.1, 0};
    };

    boxAnswer = 1;
    w.OnCommand(CLumvexImgEdtDlg::IdMeasurement);
    ASSERT_EQ(view.GetToolMode(), ToolMode::ToolCalibration);

    // A 200-pixel line on a 640 x 480 picture shown 1:1.
    Click(view, {100, 100});
    Click(view, {300, 100});
    EXPECT_EQ(view.modificationCount, 1);
    QCoreApplication::processEvents();

    ASSERT_EQ(requests.size(), 1u);
    // 200 pixels x 0.355 x resolution factor 2 x 50, back at magnification 1.
    EXPECT_NEAR(requests[0].measuredDimension, 200 * 0.355 * 2, 0.75);
    EXPECT_EQ(requests[0].referenceMagnification, 0.0);
    const double adjusted = requests[0].measuredDimension / 0.1;
    EXPECT_EQ(w.Magnification().record.adjustedMagnification, adjusted);
    EXPECT_EQ(w.Magnification().measuringMagnification, adjusted);
    EXPECT_EQ(view.Protocol().Scale().useAdjustedMagnification, 1);
    EXPECT_EQ(w.MagnificationBox()->text(), QString::asprintf("%f", adjusted));
    EXPECT_EQ(view.modificationCount, 0); // the calibration line is gone
    EXPECT_EQ(view.GetToolMode(), ToolMode::ToolNone);
    EXPECT_FALSE(w.MeasuringMenu().Find(32814)->checked);

    // Now the length tools are offered and measure with the new magnification.
    MoveOverBackground();
    bool lengthToolsEnabled = false;
    onPopup = [&](CSpawnMenu& menu) {
        lengthToolsEnabled = menu.ActionFor(32874)->isEnabled();
    };
    Choose(CLumvexImgEdtDlg::IdMeasurement, 32874);
    EXPECT_TRUE(lengthToolsEnabled);
    EXPECT_EQ(view.GetToolMode(), ToolMode::ToolAnyAngleLine);
    Click(view, {100, 200});
    Click(view, {300, 200});
    Click(view, {320, 240});
    EXPECT_EQ(view.modificationCount, 1);
    EXPECT_EQ(view.History().Count(), 2);

    // A broadcast of nothing measured is ignored.
    w.OnCalibrationResult(0.0);
    EXPECT_EQ(requests.size(), 1u);
    EXPECT_EQ(view.modificationCount, 1);
}

} // namespace

#include "dialogs/CLineWidth.h"
#include "dialogs/ModalRunner.h"
#include "magnification/CSetMagnification.h"

#include <QPushButton>
#include <QRadioButton>

namespace {

TEST_F(EditorWindowTest, ProgramDialogsAnswerTheCommands)
{
    keepProgramDialogs = true;
    CLumvexImgEdtDlg& real = OpenUnmagnified();
    std::vector<QString> titles;
    ModalRunner::Scope answer([&](QDialog& dialog) {
        titles.push_back(dialog.windowTitle());
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
    real.OnCommand(CLumvexImgEdtDlg::CmdSetPictureMagnification);
    EXPECT_EQ(real.MagnificationBox()->text(), QStringLiteral("25.0"));
    EXPECT_EQ(real.Magnification().measuringMagnification, 25.0);
    real.OnCommand(CLumvexImgEdtDlg::CmdMeasureWidth);
    EXPECT_EQ(real.View().Protocol().Style().measureWidth, 5);
    EXPECT_EQ(titles.size(), 2u);
}

} // namespace
