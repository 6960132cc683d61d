#include "app/CLumvexImgEdtDlg.h"

#include "app/CBitmapButton.h"
#include "app/EditorKeys.h"
#include "app/EditorOutputCommands.h"
#include "app/EditorToolCommands.h"
#include "app/LayoutTable.h"
#include "app/ProgramIcon.h"
#include "app/QtTranslations.h"
#include "app/ResultsController.h"
#include "app/StatusLine.h"
#include "dialogs/CInformationDlg.h"
#include "dialogs/CMessageBox.h"
#include "magnification/CSetMagnification.h"
#include "platform/MessageBus.h"
#include "platform/SettingsStore.h"
#include "text/LanguageTable.h"
#include "view/CLumvexImgEdtView.h"

#include <QCloseEvent>
#include <QCursor>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

CLumvexImgEdtDlg::CLumvexImgEdtDlg(const QString& picturePath,
                                   std::unique_ptr<SettingsStore> settingsStore,
                                   std::unique_ptr<MessageBus> messageBus, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::FramelessWindowHint), picturePath(picturePath),
      settings(settingsStore ? std::move(settingsStore) : std::make_unique<SettingsStore>()),
      bus(messageBus ? std::move(messageBus) : std::make_unique<MessageBus>()),
      languageTable(std::make_unique<LanguageTable>(0)),
      magnification(std::make_unique<MagnificationModel>(*settings, *bus)),
      view(std::make_unique<CLumvexImgEdtView>())
{
    setMagnificationDialog = new CSetMagnification(this);
    setWindowIcon(ProgramIcon::Load());
    setMouseTracking(true);
    // Tooltips show whether or not the window is active.
    setAttribute(Qt::WA_AlwaysShowToolTips);
    CreateControls();
    hooks = EditorHooks::ProgramDialogs(
        this, [this]() -> const LanguageTable& { return *languageTable; }, setMagnificationDialog);
    tools = std::make_unique<EditorToolCommands>(hooks, *magnification, properties, *view, this);
    outputCommands = std::make_unique<EditorOutputCommands>(*this);
    outputCommands->Install();
    magnification->boxTextChanged = [this](const QString& text) {
        controls.magnificationBox->setText(text);
    };
    magnification->writeFailed = [this](MagnificationModel::WriteFailure what,
                                        const QString& reason) {
        ReportWriteFailure(what == MagnificationModel::WriteFailure::Info
                               ? Texts::InfoWriteFailed
                               : Texts::SettingsWriteFailed,
                           reason, true);
    };
}

CLumvexImgEdtDlg::~CLumvexImgEdtDlg()
{
    // The view may still hold the record and the owner; it goes first.
    if (view) {
        view->SetOwner(nullptr);
        view->SetInfoRecord(nullptr);
        view->SetMessageBus(nullptr);
        view->SetHistoryListener(nullptr);
    }
    view.reset();
}

void CLumvexImgEdtDlg::CreateControls()
{
    QFont dialogFont = font();
    dialogFont.setPointSize(8);
    setFont(dialogFont);
    controls.Create(this, this, [this](ControlId id) { OnCommand(CommandOf(id)); });
}

bool CLumvexImgEdtDlg::OpenEditor()
{
    ReadSettings();
    sizeStep = 0;
    ApplySkinAndLayout();

    view->setParent(controls.frame);
    view->setGeometry(controls.frame->contentsRect());
    view->SetOwner(tools.get());
    view->SetMessageBus(bus.get());
    view->SetStyle(&properties);
    view->SetScale(&magnification->scale);
    // The loupe's switch is the editor's own setting, kept apart from the
    // records it shares with the capture program.
    const QString loupeSetting = QStringLiteral("LumvexImgEdt/Loupe");
    view->SetLoupeEnabled(settings->ReadValue<int32_t>(loupeSetting, 1) != 0);
    disconnect(view.get(), &CLumvexImgEdtView::LoupeToggled, this, nullptr);
    connect(view.get(), &CLumvexImgEdtView::LoupeToggled, this, [this, loupeSetting](bool on) {
        settings->WriteValue<int32_t>(loupeSetting, on ? 1 : 0);
    });
    view->installEventFilter(this);
    view->show();

    folderPath = picturePath.left(std::max<qsizetype>(0, picturePath.size() - 17));

    tools->PrepareMenus(language, MenuItem::Command(ResultsController::CommandId,
                                                    ResultsTexts::MenuText(*languageTable)));
    CreateResults();
    magnification->scale.useAdjustedMagnification = 0;
    tools->lastDrawnMenuItem = EditorToolCommands::NoMenuItem;

    connect(bus.get(), &MessageBus::AdjustMagnificationReceived, this,
            &CLumvexImgEdtDlg::OnCalibrationResult, Qt::UniqueConnection);

    magnification->record.pictureMagnification = magnification->pictureMagnification;
    const bool loaded = view->LoadPicture(picturePath);
    if (loaded) {
        magnification->LoadPictureInfo(picturePath, view->PictureSize());
        view->SetInfoRecord(&magnification->record);
        results->PictureOpened(picturePath);
    } else {
        setResult(-1);
    }
    magnification->ShowChosenMagnification(MagnificationModel::BoxFormat::Full);

    information = new CInformationDlg(view.get());
    information->hide();
    update();
    tools->popupState = 0;
    ExchangeProperties(true);
    tools->Run(ToolMenus::CmdUnitMm + uint32_t(properties.unit));
    CreateTooltips();
    connect(bus.get(), &MessageBus::QuitReceived, this, &CLumvexImgEdtDlg::OnQuitMessage,
            Qt::UniqueConnection);
    PrepareKeyboardFocus();

    if (!loaded) {
        closed = true;
        hide();
    }
    return loaded;
}

void CLumvexImgEdtDlg::ReadSettings()
{
    stamp = StampSettings::Read(*settings);
    magnification->ReadCaptureMagnification();
    skin = settings->ReadValue<int32_t>(QStringLiteral("Skin"), 0);
    SetLanguage(settings->ReadValue<int32_t>(QStringLiteral("Language"), 0));
}

void CLumvexImgEdtDlg::SetLanguage(int value)
{
    language = value;
    languageTable = std::make_unique<LanguageTable>(value);
    QtTranslations::Install(value);
}

void CLumvexImgEdtDlg::ApplySkinAndLayout()
{
    controls.Place(0);
    controls.ApplySkin(skin);

    const QSize size = LayoutTable::WindowSize(0);
    hide();
    resize(size);
    setFixedSize(size);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - size.width()) / 2,
             area.y() + (area.height() - size.height()) / 2);
    }
    setWindowTitle(QStringLiteral("LumvexImgEdt"));
    show();
    raise();
    activateWindow();
}

void CLumvexImgEdtDlg::PrepareKeyboardFocus()
{
    // Tab goes from the view through the buttons in their tooltip order and
    // back; the keys start with the view, never on a button that Space would press.
    controls.ChainTabOrder(view.get());
    view->setFocus(Qt::OtherFocusReason);
}

void CLumvexImgEdtDlg::OnKey(uint32_t command)
{
    // A key that opens a tool menu opens it below its button, and always: the
    // menu it may have opened before is closed by now.
    for (const ControlId id : {ControlId::Drawing, ControlId::Measurement}) {
        if (command == CommandOf(id)) {
            popupAnchor = mapToGlobal(Button(id)->geometry().bottomLeft() + QPoint(0, 1));
            tools->popupState = 0;
        }
    }
    OnCommand(command);
    popupAnchor.reset();
}

QPoint CLumvexImgEdtDlg::PopupPosition() const
{
    return popupAnchor.value_or(QCursor::pos() + QPoint(0, 3));
}

void CLumvexImgEdtDlg::CreateResults()
{
    results = std::make_unique<ResultsController>(*languageTable, this);
    results->kindName = [this](int tool) {
        const MenuItem* item = tools->MeasuringMenu().Find(uint32_t(tool));
        return item ? item->text : QString();
    };
    results->showMessage = [this](const QString& caption, const QString& message) {
        hooks.messageBox(caption, message, languageTable->ButtonText(Texts::Ok), QString());
    };
    view->SetHistoryListener(results.get());
}

void CLumvexImgEdtDlg::CreateTooltips()
{
    controls.SetTooltips(*languageTable);
}

void CLumvexImgEdtDlg::ExchangeProperties(bool load)
{
    if (!load) {
        if (!settings->Write(QStringLiteral("Properties"), properties.ToBytes().constData(),
                             PropertiesRecord::ByteSize))
            ReportWriteFailure(Texts::SettingsWriteFailed, settings->ErrorString(), true);
        return;
    }
    if (!settings->IsOpen())
        return;
    // Bytes the read leaves alone keep the values in force.
    QByteArray bytes = properties.ToBytes();
    settings->Read(QStringLiteral("Properties"), bytes.data(), PropertiesRecord::ByteSize);
    properties = PropertiesRecord::FromBytes(bytes);
}

void CLumvexImgEdtDlg::ReportWriteFailure(TextPair message, const QString& reason, bool once)
{
    // A read-only picture folder would otherwise ask again on every picture.
    if (!reportedWriteFailures.insert(message.english).second && once)
        return;
    const LanguageTable& texts = *languageTable;
    hooks.messageBox(
        texts.CaptionText(Texts::WriteFailedCaption),
        LanguageTable::Cut(texts.Text(message).arg(reason), LanguageTable::MessageField),
        texts.ButtonText(Texts::Ok), QString());
}

void CLumvexImgEdtDlg::CloseEditor()
{
    if (closed)
        return;
    if (view->modificationCount != 0) {
        const LanguageTable& texts = *languageTable;
        const int answer = hooks.messageBox(
            texts.CaptionText(Texts::ModifiedCaption), texts.MessageText(Texts::ModifiedMessage),
            texts.ButtonText(Texts::Yes), texts.ButtonText(Texts::No));
        if (answer == CMessageBox::ResultYes)
            Run(output.saveAs);
        else if (answer != CMessageBox::ResultNo)
            return;
    }
    magnification->SavePictureInfo();
    ExchangeProperties(false);
    view->hide();
    closed = true;
    done(0);
}

QRect CLumvexImgEdtDlg::RemarkRect() const
{
    return controls.remarkBox->geometry();
}

QColor CLumvexImgEdtDlg::SkinColor() const
{
    if (skin == 0)
        return ToQColor(BlueSkin);
    if (skin == 1)
        return ToQColor(GoldSkin);
    return palette().color(QPalette::Window);
}

QString CLumvexImgEdtDlg::StatusText() const
{
    return StatusLine::Text(picturePath, magnification->record.Remark());
}

void CLumvexImgEdtDlg::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (FillsBackground())
        painter.fillRect(rect(), SkinColor());
    const QString text = StatusText();
    if (text.isEmpty())
        return;
    painter.setPen(QColor(255, 255, 0));
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(SkinColor());
    const QRect area = RemarkRect();
    painter.drawText(area.topLeft() + QPoint(0, painter.fontMetrics().ascent()), text);
}

void CLumvexImgEdtDlg::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        grabMouse();
    QDialog::mousePressEvent(event);
}

void CLumvexImgEdtDlg::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        releaseMouse();
    QDialog::mouseReleaseEvent(event);
}

void CLumvexImgEdtDlg::mouseMoveEvent(QMouseEvent* event)
{
    // Over the background the picture view takes the keys, so typed text
    // reaches the text tool.
    if (view->isVisible())
        view->setFocus(Qt::MouseFocusReason);
    tools->popupState = 0;
    const QPoint offset = drag.Move(event->globalPosition().toPoint(), tickSource(),
                                    (event->buttons() & Qt::LeftButton) != 0);
    if (!offset.isNull())
        move(pos() + offset);
}

void CLumvexImgEdtDlg::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton &&
        StatusLine::Hits(RemarkRect(), event->position().toPoint()))
        ShowRemarkBox();
    QDialog::mouseDoubleClickEvent(event);
}

void CLumvexImgEdtDlg::ShowRemarkBox()
{
    controls.remarkBox->setText(magnification->record.Remark());
    controls.remarkBox->show();
    controls.remarkBox->setFocus(Qt::MouseFocusReason);
}

void CLumvexImgEdtDlg::OnRemarkEdited()
{
    if (storingRemark || !controls.remarkBox->isVisible())
        return;
    storingRemark = true;
    controls.remarkBox->hide();
    magnification->record.SetRemark(
        controls.remarkBox->text().left(PictureInfoRecord::TextSize - 1));
    storingRemark = false;
    repaint();
}

bool CLumvexImgEdtDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove) {
        // Buttons show their focus picture under the pointer; over the view the
        // keys go to the view.
        if (auto* button = qobject_cast<CBitmapButton*>(watched)) {
            if (!button->hasFocus())
                button->setFocus(Qt::MouseFocusReason);
        } else if (watched == view.get()) {
            if (!view->hasFocus())
                view->setFocus(Qt::MouseFocusReason);
        }
    } else if (event->type() == QEvent::KeyPress && watched == view.get()) {
        const bool typing = view->State() == InteractionState::StateTyping;
        if (const uint32_t command =
                EditorKeys::CommandFor(*static_cast<QKeyEvent*>(event), typing)) {
            OnKey(command);
            return true;
        }
    } else if (event->type() == QEvent::FocusOut && watched == controls.remarkBox) {
        OnRemarkEdited();
    }
    return QDialog::eventFilter(watched, event);
}

void CLumvexImgEdtDlg::accept() {}

void CLumvexImgEdtDlg::reject()
{
    OnCommand(CommandOf(ControlId::Cancel));
}

void CLumvexImgEdtDlg::closeEvent(QCloseEvent* event)
{
    if (closed) {
        event->accept();
        return;
    }
    event->ignore();
    OnCommand(CommandOf(ControlId::Cancel));
}

void CLumvexImgEdtDlg::OnCommand(uint32_t id)
{
    if (tools->Run(id))
        return;
    using enum ControlId;
    switch (id) {
    case CommandOf(Ok):
        break;
    case CommandOf(Cancel):
        OnCancelCommand();
        break;
    case CommandOf(SaveAs):
        Run(output.saveAs);
        break;
    case CommandOf(CopyFile):
        Run(output.copyFile);
        break;
    case CommandOf(CopyImage):
        Run(output.copyImage);
        break;
    case CommandOf(Mail):
        Run(output.mail);
        break;
    case CommandOf(Drawing):
    case CommandOf(DrawingExtern):
        if (const uint32_t chosen = tools->DrawingPopup(PopupPosition()))
            OnCommand(chosen);
        break;
    case CommandOf(Text):
        view->SetToolMode(ToolMode::ToolText);
        break;
    case CommandOf(TextExtern):
        tools->ChooseTextFont();
        break;
    case CommandOf(Measurement):
    case CommandOf(MeasurementExtern):
        if (const uint32_t chosen = tools->MeasuringPopup(PopupPosition(), *languageTable))
            OnCommand(chosen);
        break;
    case CommandOf(Previous):
        Run(output.previous);
        break;
    case CommandOf(Next):
        Run(output.next);
        break;
    case ResultsController::CommandId:
        results->ShowWindow();
        break;
    case CommandOf(Undo):
        view->Undo();
        break;
    case CommandOf(Redo):
        view->Redo();
        break;
    case CommandOf(ZoomIn):
        Run(output.zoomIn);
        break;
    case CommandOf(ZoomOut):
        Run(output.zoomOut);
        break;
    case CommandOf(Min):
        showMinimized();
        break;
    case CommandOf(Max):
        Run(output.fullScreen);
        break;
    case CommandOf(Close):
        CloseEditor();
        break;
    case ToolMenus::CmdSetPictureMagnification:
        magnification->SetPictureMagnification(hooks.setMagnification);
        break;
    case ToolMenus::CmdSetCaptureMagnification:
        magnification->SetCaptureMagnification(hooks.setMagnification);
        break;
    case ToolMenus::CmdResetPictureMagnification:
        magnification->ResetPictureMagnification();
        break;
    case ToolMenus::CmdResetCaptureMagnification:
        magnification->ResetCaptureMagnification();
        break;
    default:
        break;
    }
}

void CLumvexImgEdtDlg::OnCalibrationResult(double value)
{
    if (closed)
        return;
    if (!magnification->HandleCalibration(value, properties.unit, hooks.adjustMagnification))
        return;
    // The calibration line has served its purpose whatever the user chose.
    view->Undo();
    tools->EndCalibration();
}

void CLumvexImgEdtDlg::OnQuitMessage()
{
    if (!closed && view->modificationCount == 0)
        CloseEditor();
}

void CLumvexImgEdtDlg::OnCancelCommand()
{
    if (output.cancel) {
        output.cancel();
        return;
    }
    view->CancelOperation();
    if (information)
        information->ShowInformation(CInformationDlg::ShowCommand::Hide);
}
