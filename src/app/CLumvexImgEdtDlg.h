#pragma once

#include "app/CMenuSpawn.h"
#include "app/DragTracker.h"
#include "app/EditorControls.h"
#include "app/EditorHooks.h"
#include "app/MenuItem.h"
#include "app/PropertiesRecord.h"
#include "magnification/MagnificationModel.h"
#include "output/StampSettings.h"
#include "platform/GdiTypes.h"
#include "platform/LogFont.h"
#include "platform/MessageBus.h"
#include "platform/SettingsStore.h"
#include "text/LanguageTable.h"
#include "view/ViewOwner.h"

#include <QDialog>

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>

class CBitmapButton;
class CInformationDlg;
class EditorOutputCommands;
class ResultsController;
class CSetMagnification;
class CLumvexImgEdtView;
class CSpawnMenu;
class LanguageTable;
class QFrame;
class QLabel;
class QLineEdit;

// The editor's only window: caption-less and skinned, with the picture view in
// its frame, a row of picture buttons, the magnification box and the status
// line. It reads the settings, opens the picture of the command line, keeps the
// picture's magnification and info, and decides when the program may close.
class CLumvexImgEdtDlg : public QDialog, public ViewOwner
{
    Q_OBJECT

  public:
    enum ControlId : int {
        IdOk = 1,
        IdCancel = 2,
        IdFrame = 1005,
        IdClose = 1006,
        IdMax = 1007,
        IdMin = 1008,
        IdMail = 1009,
        IdCopyImage = 1010,
        IdCopyFile = 1011,
        IdRedo = 1012,
        IdColor = 1013,
        IdSaveAs = 1014,
        IdMeasurement = 1015,
        IdText = 1016,
        IdDrawing = 1017,
        IdMeasurementExtern = 1018,
        IdTextExtern = 1019,
        IdDrawingExtern = 1020,
        IdUndo = 1021,
        IdNext = 1022,
        IdPrevious = 1023,
        IdZoomIn = 1024,
        IdZoomOut = 1025,
        IdMagnificationBox = 1026,
        IdMagnificationLabel = 1027,
        IdRemarkBox = 1032,
    };

    enum CommandId : uint32_t {
        CmdCalibration = 32814,
        CmdDrawColor = 32825,
        CmdDrawWidth = 32826,
        CmdDrawStyle = 32827,
        CmdLabelFont = 32832,
        CmdMeasureStyle = 32851,
        CmdMeasureWidth = 32852,
        CmdMeasureColor = 32853,
        CmdUnitMm = 32855,
        CmdUnitInch = 32858,
        CmdSetPictureMagnification = 32892,
        CmdSetCaptureMagnification = 32893,
        CmdResetPictureMagnification = 32894,
        CmdResetCaptureMagnification = 32895,
    };

    static constexpr uint32_t NoMenuItem = 0xFFFFFFFF;
    static constexpr ColorRef BlueSkin = MakeColorRef(12, 49, 96);
    static constexpr ColorRef GoldSkin = MakeColorRef(220, 220, 110);
    using Hooks = EditorHooks;

    // The commands that browse, resize, save and share; each may be empty.
    struct OutputCommands
    {
        std::function<void()> saveAs;
        std::function<void()> copyFile;
        std::function<void()> copyImage;
        std::function<void()> mail;
        std::function<void()> previous;
        std::function<void()> next;
        std::function<void()> zoomIn;
        std::function<void()> zoomOut;
        std::function<void()> fullScreen;
        std::function<void()> cancel;
    };

    // Opens on the picture at picturePath. Without a store or a bus the window
    // makes its own.
    explicit CLumvexImgEdtDlg(const QString& picturePath,
                              std::unique_ptr<SettingsStore> settings = nullptr,
                              std::unique_ptr<MessageBus> bus = nullptr, QWidget* parent = nullptr);
    ~CLumvexImgEdtDlg() override;

    // The opening sequence. False when the first picture could not be loaded:
    // the window then ends with -1 and stores nothing.
    bool OpenEditor();
    void ApplySkinAndLayout();
    void ExchangeProperties(bool load);
    // Tells the user that a file could not be written, with the system's
    // reason; with once, only the first failure of that kind in this session.
    void ReportWriteFailure(TextPair message, const QString& reason, bool once);
    void CloseEditor();
    bool IsClosed() const { return closed; }

    void SelectDrawingTool() override;
    void SelectMeasuringTool() override;

    // A button, a menu item or a key command by its id.
    void OnCommand(uint32_t id);
    void OnCalibrationResult(double value);
    void OnQuitMessage();

    // The status line as drawn, and where.
    QString StatusText() const;
    QRect RemarkRect() const;
    QColor SkinColor() const;
    bool FillsBackground() const { return skin == 0 || skin == 1; }

    CLumvexImgEdtView& View() { return *view; }
    SettingsStore& Settings() { return *settings; }
    MessageBus& Bus() { return *bus; }
    MagnificationModel& Magnification() { return *magnification; }
    // The results table of the picture on screen; null until the window opens.
    ResultsController* Results() const { return results.get(); }
    const LanguageTable& Language() const { return *languageTable; }
    CMenuSpawn& MenuSpawn() { return menuSpawn; }
    // The menu with the drawing (0) and measuring (1) pop-ups.
    MenuItem& Menu() { return menu; }
    MenuItem& DrawingMenu() { return menu.items[ToolMenus::DrawingMenu]; }
    MenuItem& MeasuringMenu() { return menu.items[ToolMenus::MeasuringMenu]; }
    CBitmapButton* Button(int controlId) const { return controls.Button(controlId); }
    QWidget* Control(int controlId) const { return controls.Control(controlId); }
    EditorControls& Controls() { return controls; }
    QFrame* Frame() const { return controls.frame; }
    QLineEdit* RemarkBox() const { return controls.remarkBox; }
    QLineEdit* MagnificationBox() const { return controls.magnificationBox; }
    QLabel* MagnificationLabel() const { return controls.magnificationLabel; }
    // Shows "Press <Esc> to exit" over the view in full screen; null until opened.
    CInformationDlg* Information() const { return information; }

    Hooks hooks;
    OutputCommands output;
    std::function<uint32_t()> tickSource = &DragTracker::Now;

    uint32_t lastDrawnMenuItem = NoMenuItem;
    QString picturePath;
    QString folderPath;
    int sizeStep = 0;
    // How saved pictures are stamped.
    StampSettings stamp;
    int32_t skin = 0;
    int32_t language = 0;
    int popupState = 0;
    PropertiesRecord properties;
    int mailBusy = 0;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  public slots:
    // Enter does nothing; Esc, Alt+F4 and the window manager's close only cancel.
    void accept() override;
    void reject() override;

  private:
    std::set<int> reportedWriteFailures;

    void CreateControls();
    void CreateTooltips();
    void ReadSettings();
    void PrepareMenus();
    void SetLanguage(int value);
    void PrepareKeyboardFocus();
    // A key standing for a button (EditorKeys) runs that button's command.
    void OnKey(int buttonId);
    void CreateResults();

    void OnDrawingPopup();
    void OnMeasuringPopup();
    void ShowPopup(MenuItem& popup);
    void SetToolFromMeasuringMenu();
    void OnLineColor(ColorRef& styleColor);
    void OnLineStyle(int& penStyle);
    void OnLineWidth(int& width);
    void OnFont(LogFont& styleFont, ColorRef& styleColor);
    void OnUnit(uint32_t commandId);
    void OnMagnificationCommand(uint32_t commandId);
    void OnRemarkEdited();
    void ShowRemarkBox();

    void OnCancelCommand();
    // Runs an output command when one is installed.
    static void Run(const std::function<void()>& command)
    {
        if (command)
            command();
    }

    std::unique_ptr<SettingsStore> settings;
    std::unique_ptr<MessageBus> bus;
    std::unique_ptr<LanguageTable> languageTable;
    std::unique_ptr<MagnificationModel> magnification;
    std::unique_ptr<CLumvexImgEdtView> view;
    CMenuSpawn menuSpawn;
    MenuItem menu;
    DragTracker drag;

    EditorControls controls;
    CInformationDlg* information = nullptr;
    std::unique_ptr<EditorOutputCommands> outputCommands;
    std::unique_ptr<ResultsController> results;
    // Kept for the window's life and reused by the set commands.
    CSetMagnification* setMagnificationDialog = nullptr;
    bool closed = false;
    bool storingRemark = false;
    // Where a tool menu opened by a key shows; the pointer's place otherwise.
    std::optional<QPoint> popupAnchor;
};
