#pragma once

#include "app/ControlId.h"
#include "app/DragTracker.h"
#include "app/EditorControls.h"
#include "app/EditorHooks.h"
#include "app/PropertiesRecord.h"
#include "magnification/MagnificationModel.h"
#include "output/StampSettings.h"
#include "platform/GdiTypes.h"
#include "platform/MessageBus.h"
#include "platform/SettingsStore.h"
#include "text/LanguageTable.h"

#include <QDialog>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>

class CBitmapButton;
class CInformationDlg;
class EditorOutputCommands;
class EditorToolCommands;
class ResultsController;
class CSetMagnification;
class CLumvexImgEdtView;
class LanguageTable;
class QFrame;
class QLabel;
class QLineEdit;

// The editor's only window: caption-less and skinned, with the picture view in
// its frame, a row of picture buttons, the magnification box and the status
// line. It reads the settings, opens the picture of the command line, keeps the
// picture's magnification and info, and decides when the program may close.
class CLumvexImgEdtDlg : public QDialog
{
    Q_OBJECT

  public:
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
    // The tool pop-ups, their check marks and the style commands.
    EditorToolCommands& Tools() { return *tools; }
    CBitmapButton* Button(ControlId id) const { return controls.Button(id); }
    QWidget* Control(ControlId id) const { return controls.Control(id); }
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

    QString picturePath;
    QString folderPath;
    int sizeStep = 0;
    // How saved pictures are stamped.
    StampSettings stamp;
    int32_t skin = 0;
    int32_t language = 0;
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
    void SetLanguage(int value);
    void PrepareKeyboardFocus();
    // A key (EditorKeys) runs the command of the button it stands for.
    void OnKey(uint32_t command);
    void CreateResults();

    // Where a tool pop-up shows: below the pointer, or where a key put it.
    QPoint PopupPosition() const;
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
    std::unique_ptr<EditorToolCommands> tools;
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
