#include "app/EditorOutputCommands.h"

#include "app/CBitmapButton.h"
#include "app/CLumvexImgEdtDlg.h"
#include "app/LayoutTable.h"
#include "app/PictureList.h"
#include "app/ResultsController.h"
#include "app/WindowPlacement.h"
#include "dialogs/CInformationDlg.h"
#include "dialogs/CProcessDlg.h"
#include "output/CMailSender.h"
#include "text/LanguageTable.h"
#include "view/CLumvexImgEdtView.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLineEdit>
#include <QProgressBar>
#include <QScreen>

namespace {

QSize ScreenSize()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize(1024, 768);
}

} // namespace

EditorOutputCommands::EditorOutputCommands(CLumvexImgEdtDlg& window)
    : window(window), saveAs(&window), clipboard(&window),
      mail(std::make_unique<CMailSender>(&window)), progress(new CProcessDlg(&window))
{
    progress->hide();
    saveAs.beginProgress = [this](const QString& title, int rowCount) {
        progress->title = title;
        progress->progress->setRange(0, rowCount);
        progress->progress->setValue(0);
        progress->show();
        progress->repaint();
    };
    saveAs.stepProgress = [this](int row) {
        progress->progress->setValue(row);
    };
    saveAs.endProgress = [this] {
        progress->hide();
    };
    saveAs.repaintView = [this] {
        this->window.View().repaint();
    };
    mail->showBusy = [this](const QString& caption, const QString& text, const QString& button) {
        this->window.hooks.messageBox(caption, text, button, QString());
    };
    clipboard.writeFailed = [this](const QString&, const QString& reason) {
        this->window.ReportWriteFailure(Texts::ClipboardWriteFailed, reason, false);
    };
    mail->activateWindow = [this] {
        this->window.activateWindow();
    };
    QObject::connect(mail.get(), &CMailSender::finished, &window,
                     [this] { this->window.mailBusy = mail->mailBusy; });
}

EditorOutputCommands::~EditorOutputCommands() = default;

void EditorOutputCommands::Install()
{
    CLumvexImgEdtDlg::OutputCommands& output = window.output;
    output.saveAs = [this] {
        SaveAs();
    };
    output.copyFile = [this] {
        CopyFile();
    };
    output.copyImage = [this] {
        CopyImage();
    };
    output.mail = [this] {
        Mail();
    };
    output.previous = [this] {
        ShowAdjacentPicture(PictureList::Previous);
    };
    output.next = [this] {
        ShowAdjacentPicture(PictureList::Next);
    };
    output.zoomIn = [this] {
        Zoom(+1);
    };
    output.zoomOut = [this] {
        Zoom(-1);
    };
    output.fullScreen = [this] {
        FullScreen();
    };
    output.cancel = [this] {
        Cancel();
    };
}

void EditorOutputCommands::SaveAs()
{
    saveAs.language = window.language;
    saveAs.stamp.flags = window.stamp.flags;
    saveAs.stamp.color = window.stamp.color;
    saveAs.stamp.font = window.stamp.font;
    CLumvexImgEdtView& view = window.View();
    // The scale a straight line would be measured with now.
    const MeasuringScale& scale = view.Protocol().Scale();
    saveAs.labelScale = {scale.pixelSize, scale.resolutionFactor,
                         scale.CreationMagnification(false), view.Protocol().Style().unit};
    const bool scaleBar = StampSettings::ReadScaleBar(window.Settings());
    saveAs.scaleBar = scaleBar;
    const CSaveAsCommand::Result result =
        saveAs.Run(view.WorkingPicture(), window.picturePath, window.Magnification().record);
    if (saveAs.scaleBar != scaleBar)
        StampSettings::WriteScaleBar(window.Settings(), saveAs.scaleBar);
    if (result == CSaveAsCommand::Result::Saved)
        view.modificationCount = 0;
}

void EditorOutputCommands::CopyFile()
{
    clipboard.language = window.language;
    clipboard.CopyFile(window.picturePath);
}

void EditorOutputCommands::CopyImage()
{
    clipboard.language = window.language;
    clipboard.CopyPicture(window.View().WorkingPicture());
}

void EditorOutputCommands::Mail()
{
    mail->language = window.language;
    mail->Send(window.picturePath);
    window.mailBusy = mail->mailBusy;
}

void EditorOutputCommands::ShowAdjacentPicture(int direction)
{
    CLumvexImgEdtView& view = window.View();
    MagnificationModel& magnification = window.Magnification();
    PictureList::AdjacentPictureSteps steps;
    steps.isModified = [&view] {
        return view.modificationCount != 0;
    };
    steps.askSave = [this] {
        const LanguageTable& texts = window.Language();
        return window.hooks.messageBox(texts.CaptionText(Texts::ModifiedCaption),
                                       texts.MessageText(Texts::ModifiedMessage),
                                       texts.ButtonText(Texts::Yes), texts.ButtonText(Texts::No));
    };
    steps.saveAs = [this] {
        SaveAs();
    };
    steps.cancelOperation = [&view] {
        view.CancelOperation();
    };
    steps.savePictureInfo = [&magnification] {
        magnification.SavePictureInfo();
    };
    steps.loadPicture = [&view](const QString& path) {
        return view.LoadPicture(path);
    };
    steps.loadPictureInfo = [this, &view, &magnification](const QString& path) {
        magnification.LoadPictureInfo(path, view.PictureSize());
        view.SetInfoRecord(&magnification.record);
        if (ResultsController* results = window.Results())
            results->PictureOpened(path);
    };
    steps.refreshBoxes = [this, direction, &magnification] {
        window.RemarkBox()->clear();
        magnification.ShowChosenMagnification(direction == PictureList::Next
                                                  ? MagnificationModel::BoxFormat::Short
                                                  : MagnificationModel::BoxFormat::Full);
        window.repaint();
    };
    PictureList::ShowAdjacentPicture(direction, window.picturePath, window.folderPath, steps);
}

void EditorOutputCommands::Zoom(int delta)
{
    window.sizeStep = WindowPlacement::StepAfterZoom(window.sizeStep, delta);
    Relayout(window.sizeStep);
}

void EditorOutputCommands::Relayout(int step)
{
    window.Controls().Place(step);
    const QRect geometry = WindowPlacement::WindowGeometry(step, ScreenSize());
    window.setFixedSize(geometry.size());
    window.move(geometry.topLeft());
    window.raise();
    window.View().setGeometry(window.Frame()->contentsRect());
    window.repaint();
}

void EditorOutputCommands::FullScreen()
{
    const WindowPlacement::FullScreenLayout layout =
        WindowPlacement::FullScreenGeometry(ScreenSize());
    window.setFixedSize(layout.window.size());
    window.move(layout.window.topLeft());
    window.raise();
    window.View().setGeometry(layout.view);
    window.Frame()->setGeometry(layout.frame);
    if (CInformationDlg* information = window.Information())
        information->ShowInformation(CInformationDlg::ShowCommand::ShowNoActivate,
                                     LanguageTable::Common(Texts::PressEscToExit));
    window.View().SetToolMode(ToolMode::ToolNone);
}

void EditorOutputCommands::Cancel()
{
    window.View().CancelOperation();
    if (CInformationDlg* information = window.Information())
        information->ShowInformation(CInformationDlg::ShowCommand::Hide);
    Relayout(window.sizeStep);
}
