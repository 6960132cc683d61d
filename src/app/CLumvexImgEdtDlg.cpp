#include "app/CLumvexImgEdtDlg.h"

#include "app/CBitmapButton.h"
#include "app/CSpawnMenu.h"
#include "app/EditorKeys.h"
#include "app/EditorOutputCommands.h"
#include "app/FontColorDialog.h"
#include "app/LayoutTable.h"
#include "app/ProgramIcon.h"
#include "app/QtTranslations.h"
#include "app/StatusLine.h"
#include "dialogs/CInformationDlg.h"
#include "dialogs/CLineStyle.h"
#include "dialogs/CLineWidth.h"
#include "dialogs/CMessageBox.h"
#include "magnification/CAdjustMagnificationDlg.h"
#include "magnification/CSetMagnification.h"
#include "platform/MessageBus.h"
#include "platform/SettingsStore.h"
#include "text/LanguageTable.h"
#include "view/CLumvexImgEdtView.h"

#include <QApplication>
#include <QCloseEvent>
#include <QColorDialog>
#include <QCursor>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace {

bool IsDrawingTool(uint32_t id)
{
    return id >= 32803 && id <= 32807;
}

bool IsMeasuringTool(uint32_t id)
{
    return id == 32814 || (id >= 32874 && id <= 32876) || (id >= 32809 && id <= 32812) ||
           (id >= 32799 && id <= 32802);
}

// Toggles the item chosen last and clears every other check mark of a pop-up.
void ToggleChosen(MenuItem& popup, uint32_t lastDrawn)
{
    for (MenuItem& item : popup.items) {
        if (item.IsPopup())
            continue;
        if (lastDrawn != CLumvexImgEdtDlg::NoMenuItem && item.id == lastDrawn)
            item.checked = !item.checked;
        else
            item.checked = false;
    }
}

} // namespace

CLumvexImgEdtDlg::CLumvexImgEdtDlg(const QString& picturePath,
                                   std::unique_ptr<SettingsStore> settingsStore,
                                   std::unique_ptr<MessageBus> messageBus, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::FramelessWindowHint), picturePath(picturePath),
      settings(settingsStore ? std::move(settingsStore) : std::make_unique<SettingsStore>()),
      bus(messageBus ? std::move(messageBus) : std::make_unique<MessageBus>()),
      languageTable(std::make_unique<LanguageTable>(0)),
      magnification(std::make_unique<MagnificationModel>(*settings, *bus)),
      view(std::make_unique<CLumvexImgEdtView>()), menu(ToolMenus::Load(0))
{
    setMagnificationDialog = new CSetMagnification(this);
    setWindowIcon(ProgramIcon::Load());
    setMouseTracking(true);
    // Tooltips show whether or not the window is active.
    setAttribute(Qt::WA_AlwaysShowToolTips);
    CreateControls();
    InstallDefaultHooks();
    outputCommands = std::make_unique<EditorOutputCommands>(*this);
    outputCommands->Install();
    magnification->boxTextChanged = [this](const QString& text) {
        magnificationBox->setText(text);
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
    }
    view.reset();
}

void CLumvexImgEdtDlg::CreateControls()
{
    QFont dialogFont = font();
    dialogFont.setPointSize(8);
    setFont(dialogFont);

    frame = new QFrame(this);
    frame->setFrameShape(QFrame::NoFrame);
    frame->setGeometry(LayoutTable::RectOf(IdFrame, 0));

    for (const LayoutRow& row : LayoutTable::Rows()) {
        if (!row.IsButton())
            continue;
        auto* button = new CBitmapButton(row.controlId, QString::fromLatin1(row.artwork), this);
        button->setMouseTracking(true);
        button->installEventFilter(this);
        button->setVisible(row.visible);
        connect(button, &QAbstractButton::clicked, this,
                [this, id = row.controlId] { OnCommand(uint32_t(id)); });
        buttons[row.controlId] = button;
    }

    magnificationLabel = new QLabel(this);
    magnificationLabel->setScaledContents(true);
    magnificationBox = new QLineEdit(this);
    magnificationBox->setReadOnly(true);
    magnificationBox->setFocusPolicy(Qt::ClickFocus);
    magnificationBox->setFrame(false);
    magnificationBox->setTextMargins(1, 0, 1, 0);

    remarkBox = new QLineEdit(this);
    remarkBox->setFrame(false);
    remarkBox->setMaxLength(PictureInfoRecord::TextSize - 1);
    remarkBox->hide();
    remarkBox->installEventFilter(this);
}

void CLumvexImgEdtDlg::InstallDefaultHooks()
{
    hooks.messageBox = [this](const QString& caption, const QString& message, const QString& yes,
                              const QString& no) {
        CMessageBox box(this);
        box.caption = caption;
        box.message = message;
        box.yesText = yes;
        box.noText = no;
        box.singleButton = no.isEmpty() ? 1 : 0;
        return box.Run();
    };
    hooks.chooseColor = [this](ColorRef& color) {
        const QColor chosen = QColorDialog::getColor(ToQColor(color), this, QString(),
                                                     QColorDialog::DontUseNativeDialog);
        if (!chosen.isValid())
            return false;
        color = ToColorRef(chosen);
        return true;
    };
    hooks.chooseLineStyle = [this](int& styleIndex) {
        CLineStyle dialog(this);
        dialog.styleIndex = styleIndex;
        if (dialog.Run() != CLineChoiceDialog::ResultOk)
            return false;
        styleIndex = dialog.styleIndex;
        return true;
    };
    hooks.chooseLineWidth = [this](int& widthIndex) {
        CLineWidth dialog(this);
        dialog.widthIndex = widthIndex;
        if (dialog.Run() != CLineChoiceDialog::ResultOk)
            return false;
        widthIndex = dialog.widthIndex;
        return true;
    };
    hooks.chooseFont = [this](LogFont& font, ColorRef& color) {
        return FontColorDialog::Choose(font, color, *languageTable, this);
    };
    hooks.popupMenu = [](CSpawnMenu& popup, QPoint position) {
        return CSpawnMenu::CommandOf(popup.exec(position));
    };
    hooks.setMagnification = [this](double& value) {
        setMagnificationDialog->SetTexts(*languageTable);
        return setMagnificationDialog->Run(value);
    };
    hooks.adjustMagnification = [this](const CalibrationRequest& request) {
        const LanguageTable& texts = *languageTable;
        CAdjustMagnificationDlg::Texts t;
        t.caption = texts.Text(Texts::AdjustTitle);
        const int unit = request.unitIndex >= 1 && request.unitIndex <= 3 ? request.unitIndex : 0;
        t.unitLabel = texts.Text(Texts::AdjustUnitLabel[unit]);
        t.actualLabel = texts.Text(Texts::AdjustActualDimension);
        t.adjustedLabel = texts.Text(Texts::AdjustAdjustedMagnification);
        t.checkLabel = texts.Text(Texts::AdjustUseAsMeasure);
        t.okText = texts.Text(Texts::Ok);
        return CAdjustMagnificationDlg::Run(request, t, this);
    };
}

bool CLumvexImgEdtDlg::OpenEditor()
{
    ReadSettings();
    sizeStep = 0;
    ApplySkinAndLayout();

    view->setParent(frame);
    view->setGeometry(frame->contentsRect());
    view->SetOwner(this);
    view->SetMessageBus(bus.get());
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

    PrepareMenus();
    view->useAdjustedMagnification = 0;
    lastDrawnMenuItem = NoMenuItem;

    connect(bus.get(), &MessageBus::AdjustMagnificationReceived, this,
            &CLumvexImgEdtDlg::OnCalibrationResult, Qt::UniqueConnection);

    magnification->record.pictureMagnification = magnification->pictureMagnification;
    const bool loaded = view->LoadPicture(picturePath);
    if (loaded) {
        magnification->LoadPictureInfo(picturePath, *view);
        view->SetInfoRecord(&magnification->record);
    } else {
        setResult(-1);
    }
    magnification->ShowChosenMagnification(MagnificationModel::BoxFormat::Full);

    information = new CInformationDlg(view.get());
    information->hide();
    update();
    popupState = 0;
    ExchangeProperties(true);
    OnUnit(CmdUnitMm + uint32_t(properties.unit));
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
    photoSavedInfo = settings->ReadValue<uint32_t>(QStringLiteral("PhotoSavedInfo"), 0) & 0xFF;
    photoSavedInfoFontColor =
        settings->ReadValue<ColorRef>(QStringLiteral("PhotoSavedInfoFontColor"), 0);
    QByteArray font = LogFont::DefaultStampFont().ToBytes();
    settings->Read(QStringLiteral("PhotoSavedInfoFont"), font.data(), LogFont::ByteSize);
    photoSavedInfoFont = LogFont::FromBytes(reinterpret_cast<const uint8_t*>(font.constData()));
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
    for (const LayoutRow& row : LayoutTable::Rows()) {
        if (row.kind == LayoutRow::Window)
            continue;
        QWidget* control = Control(row.controlId);
        if (!control)
            continue;
        control->setGeometry(row.rects[0]);
        if (CBitmapButton* button = Button(row.controlId)) {
            if (row.kind == LayoutRow::SkinnedButton) {
                const QString caption = button->Caption().left(63);
                button->SetCaption(caption +
                                   (skin != 0 ? QStringLiteral("Gold") : QStringLiteral("Blue")));
            }
            button->LoadBitmaps();
        }
    }
    const QPixmap label(CBitmapButton::FindBitmap(QStringLiteral("MAGNIFICATION")));
    if (!label.isNull())
        magnificationLabel->setPixmap(label);

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
    QWidget* previous = view.get();
    for (const LayoutRow& row : LayoutTable::Rows()) {
        if (row.HasTooltip()) {
            setTabOrder(previous, Button(row.controlId));
            previous = Button(row.controlId);
        }
    }
    view->setFocus(Qt::OtherFocusReason);
}

void CLumvexImgEdtDlg::OnKey(int buttonId)
{
    // A key that opens a tool menu opens it below its button, and always: the
    // menu it may have opened before is closed by now.
    const bool atButton = buttonId == IdDrawing || buttonId == IdMeasurement;
    if (atButton) {
        const CBitmapButton* button = Button(buttonId);
        popupAnchor = mapToGlobal(button->geometry().bottomLeft() + QPoint(0, 1));
        popupState = 0;
    }
    OnCommand(uint32_t(buttonId));
    popupAnchor.reset();
}

void CLumvexImgEdtDlg::PrepareMenus()
{
    menu = ToolMenus::Load(language);
    menuSpawn.LoadItemImages();
    const auto handled = [](uint32_t) {
        return true;
    };
    menuSpawn.MakeOwnerDrawn(MeasuringMenu());
    menuSpawn.UpdateItemStates(MeasuringMenu(), handled);
    menuSpawn.MakeOwnerDrawn(DrawingMenu());
    menuSpawn.UpdateItemStates(DrawingMenu(), handled);
}

void CLumvexImgEdtDlg::CreateTooltips()
{
    for (const LayoutRow& row : LayoutTable::Rows())
        if (row.HasTooltip())
            Button(row.controlId)->setToolTip(languageTable->TooltipText(row.tooltip));
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
    CLumvexImgEdtView& v = *view;
    properties.drawColor = v.drawColor;
    properties.drawWidth = v.drawWidth;
    properties.drawPenStyle = v.drawPenStyle;
    properties.textColor = v.textColor;
    properties.textFont = v.textFont;
    properties.measureColor = v.measureColor;
    properties.measureWidth = v.measureWidth;
    properties.measurePenStyle = v.measurePenStyle;
    properties.labelColor = v.labelColor;
    properties.labelFont = v.labelFont;
    properties.unit = v.unit;
    QByteArray bytes = properties.ToBytes();
    settings->Read(QStringLiteral("Properties"), bytes.data(), PropertiesRecord::ByteSize);
    properties = PropertiesRecord::FromBytes(bytes);
    v.drawColor = properties.drawColor;
    v.drawWidth = properties.drawWidth;
    v.drawPenStyle = properties.drawPenStyle;
    v.textColor = properties.textColor;
    v.textFont = properties.textFont;
    v.measureColor = properties.measureColor;
    v.measureWidth = properties.measureWidth;
    v.measurePenStyle = properties.measurePenStyle;
    v.labelColor = properties.labelColor;
    v.labelFont = properties.labelFont;
    v.unit = properties.unit;
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
            OnSaveAs();
        else if (answer != CMessageBox::ResultNo)
            return;
    }
    magnification->SavePictureInfo();
    ExchangeProperties(false);
    view->hide();
    closed = true;
    done(0);
}

CBitmapButton* CLumvexImgEdtDlg::Button(int controlId) const
{
    const auto found = buttons.find(controlId);
    return found == buttons.end() ? nullptr : found->second;
}

QWidget* CLumvexImgEdtDlg::Control(int controlId) const
{
    switch (controlId) {
    case IdFrame:
        return frame;
    case IdMagnificationBox:
        return magnificationBox;
    case IdMagnificationLabel:
        return magnificationLabel;
    case IdRemarkBox:
        return remarkBox;
    default:
        return Button(controlId);
    }
}

QRect CLumvexImgEdtDlg::RemarkRect() const
{
    return remarkBox->geometry();
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
    popupState = 0;
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
    remarkBox->setText(magnification->record.Remark());
    remarkBox->show();
    remarkBox->setFocus(Qt::MouseFocusReason);
}

void CLumvexImgEdtDlg::OnRemarkEdited()
{
    if (storingRemark || !remarkBox->isVisible())
        return;
    storingRemark = true;
    remarkBox->hide();
    magnification->record.SetRemark(remarkBox->text().left(PictureInfoRecord::TextSize - 1));
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
        const bool typing = view->InteractionStateValue() == StateTyping;
        if (const int buttonId = EditorKeys::ButtonFor(*static_cast<QKeyEvent*>(event), typing)) {
            OnKey(buttonId);
            return true;
        }
    } else if (event->type() == QEvent::FocusOut && watched == remarkBox) {
        OnRemarkEdited();
    }
    return QDialog::eventFilter(watched, event);
}

void CLumvexImgEdtDlg::accept() {}

void CLumvexImgEdtDlg::reject()
{
    OnCommand(IdCancel);
}

void CLumvexImgEdtDlg::closeEvent(QCloseEvent* event)
{
    if (closed) {
        event->accept();
        return;
    }
    event->ignore();
    OnCommand(IdCancel);
}

void CLumvexImgEdtDlg::OnCommand(uint32_t id)
{
    if (IsDrawingTool(id)) {
        SelectDrawingTool();
        return;
    }
    if (IsMeasuringTool(id)) {
        SelectMeasuringTool();
        return;
    }
    if (id >= CmdUnitMm && id <= CmdUnitInch) {
        OnUnit(id);
        return;
    }
    CLumvexImgEdtView& v = *view;
    switch (id) {
    case IdOk:
        break;
    case IdCancel:
        OnCancelCommand();
        break;
    case IdSaveAs:
        OnSaveAs();
        break;
    case IdCopyFile:
        OnCopyFile();
        break;
    case IdCopyImage:
        OnCopyImage();
        break;
    case IdMail:
        OnMail();
        break;
    case IdDrawing:
    case IdDrawingExtern:
        OnDrawingPopup();
        break;
    case IdText:
        v.SetToolMode(ToolText);
        break;
    case IdTextExtern:
        OnFont(v.textFont, v.textColor, properties.textFont, properties.textColor);
        break;
    case IdMeasurement:
    case IdMeasurementExtern:
        OnMeasuringPopup();
        break;
    case IdPrevious:
        OnPrevious();
        break;
    case IdNext:
        OnNext();
        break;
    case IdUndo:
        v.Undo();
        break;
    case IdRedo:
        v.Redo();
        break;
    case IdZoomIn:
        OnZoomIn();
        break;
    case IdZoomOut:
        OnZoomOut();
        break;
    case IdMin:
        showMinimized();
        break;
    case IdMax:
        OnFullScreen();
        break;
    case IdClose:
        CloseEditor();
        break;
    case CmdDrawColor:
        OnLineColor(v.drawColor, properties.drawColor);
        break;
    case CmdDrawStyle:
        OnLineStyle(v.drawPenStyle, properties.drawPenStyle);
        break;
    case CmdDrawWidth:
        OnLineWidth(v.drawWidth, properties.drawWidth);
        break;
    case CmdMeasureColor:
        OnLineColor(v.measureColor, properties.measureColor);
        break;
    case CmdMeasureStyle:
        OnLineStyle(v.measurePenStyle, properties.measurePenStyle);
        break;
    case CmdMeasureWidth:
        OnLineWidth(v.measureWidth, properties.measureWidth);
        break;
    case CmdLabelFont:
        OnFont(v.labelFont, v.labelColor, properties.labelFont, properties.labelColor);
        break;
    case CmdSetPictureMagnification:
    case CmdSetCaptureMagnification:
    case CmdResetPictureMagnification:
    case CmdResetCaptureMagnification:
        OnMagnificationCommand(id);
        break;
    default:
        break;
    }
}

void CLumvexImgEdtDlg::OnDrawingPopup()
{
    if (popupState == 1) {
        popupState = 0;
        return;
    }
    popupState = 1;
    ShowPopup(DrawingMenu());
}

void CLumvexImgEdtDlg::OnMeasuringPopup()
{
    if (popupState == 2) {
        popupState = 0;
        return;
    }
    popupState = 2;
    if (magnification->ShouldPromptCalibration()) {
        view->useAdjustedMagnification = 0;
        const LanguageTable& texts = *languageTable;
        const int answer = hooks.messageBox(texts.CaptionText(Texts::CalibrationPromptCaption),
                                            texts.MessageText(Texts::CalibrationPromptMessage),
                                            texts.ButtonText(Texts::Ok), QString());
        if (answer == CMessageBox::ResultYes) {
            lastDrawnMenuItem = CmdCalibration;
            if (MenuItem* calibration = MeasuringMenu().Find(CmdCalibration))
                calibration->checked = true;
            SetToolFromMeasuringMenu();
            magnification->calibrationPromptFlag = 1;
        } else {
            magnification->calibrationPromptFlag = 0;
        }
        return;
    }
    const bool lengthTools = magnification->LengthToolsEnabled();
    for (int position = ToolMenus::FirstLengthTool; position <= ToolMenus::LastLengthTool;
         ++position)
        MeasuringMenu().items[size_t(position)].grayed = !lengthTools;
    ShowPopup(MeasuringMenu());
}

void CLumvexImgEdtDlg::ShowPopup(MenuItem& popup)
{
    CSpawnMenu shown(popup, menuSpawn, this);
    const uint32_t chosen =
        hooks.popupMenu(shown, popupAnchor.value_or(QCursor::pos() + QPoint(0, 3)));
    if (chosen == 0)
        return;
    lastDrawnMenuItem = chosen;
    OnCommand(chosen);
}

void CLumvexImgEdtDlg::SelectDrawingTool()
{
    MenuItem& drawing = DrawingMenu();
    ToggleChosen(drawing, lastDrawnMenuItem);
    int mode = ToolNone;
    for (size_t position = 0; position < drawing.items.size(); ++position) {
        if (drawing.items[position].checked) {
            if (position <= 4)
                mode = ToolLine + int(position);
            break;
        }
    }
    view->SetToolMode(mode);
}

void CLumvexImgEdtDlg::SelectMeasuringTool()
{
    magnification->RederiveForMeasuringTool();
    ToggleChosen(MeasuringMenu(), lastDrawnMenuItem);
    SetToolFromMeasuringMenu();
}

void CLumvexImgEdtDlg::SetToolFromMeasuringMenu()
{
    int mode = ToolNone;
    for (const MenuItem& item : MeasuringMenu().items) {
        if (!item.IsPopup() && !item.separator && item.checked) {
            mode = int(item.id);
            break;
        }
    }
    view->SetToolMode(mode);
}

void CLumvexImgEdtDlg::OnLineColor(ColorRef& viewColor, ColorRef& recordColor)
{
    ColorRef color = viewColor;
    if (!hooks.chooseColor(color))
        return;
    viewColor = color;
    recordColor = color;
}

void CLumvexImgEdtDlg::OnLineStyle(int& viewStyle, int& recordStyle)
{
    int index = viewStyle;
    if (!hooks.chooseLineStyle(index))
        return;
    viewStyle = index;
    recordStyle = index;
}

void CLumvexImgEdtDlg::OnLineWidth(int& viewWidth, int& recordWidth)
{
    int index = viewWidth - 1;
    if (!hooks.chooseLineWidth(index))
        return;
    viewWidth = index + 1;
    recordWidth = index + 1;
}

void CLumvexImgEdtDlg::OnFont(LogFont& viewFont, ColorRef& viewColor, LogFont& recordFont,
                              ColorRef& recordColor)
{
    LogFont font = viewFont;
    ColorRef color = viewColor;
    if (!hooks.chooseFont(font, color))
        return;
    viewColor = color;
    viewFont = font;
    recordColor = color;
    recordFont = font;
}

void CLumvexImgEdtDlg::OnUnit(uint32_t commandId)
{
    const int unit = int(commandId - CmdUnitMm);
    properties.unit = unit;
    view->unit = unit;
    MenuItem& units = MeasuringMenu().items[ToolMenus::UnitsPosition];
    for (size_t position = 0; position < units.items.size(); ++position)
        units.items[position].checked = int(position) == unit;
}

void CLumvexImgEdtDlg::OnMagnificationCommand(uint32_t commandId)
{
    switch (commandId) {
    case CmdSetPictureMagnification:
        magnification->SetPictureMagnification(*view, hooks.setMagnification);
        break;
    case CmdSetCaptureMagnification:
        magnification->SetCaptureMagnification(hooks.setMagnification);
        break;
    case CmdResetPictureMagnification:
        magnification->ResetPictureMagnification(*view);
        break;
    case CmdResetCaptureMagnification:
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
    if (!magnification->HandleCalibration(value, properties.unit, *view, hooks.adjustMagnification))
        return;
    if (MenuItem* calibration = MeasuringMenu().Find(CmdCalibration))
        calibration->checked = false;
}

void CLumvexImgEdtDlg::OnQuitMessage()
{
    if (!closed && view->modificationCount == 0)
        CloseEditor();
}

void CLumvexImgEdtDlg::OnSaveAs()
{
    if (output.saveAs)
        output.saveAs();
}

void CLumvexImgEdtDlg::OnCopyFile()
{
    if (output.copyFile)
        output.copyFile();
}

void CLumvexImgEdtDlg::OnCopyImage()
{
    if (output.copyImage)
        output.copyImage();
}

void CLumvexImgEdtDlg::OnMail()
{
    if (output.mail)
        output.mail();
}

void CLumvexImgEdtDlg::OnPrevious()
{
    if (output.previous)
        output.previous();
}

void CLumvexImgEdtDlg::OnNext()
{
    if (output.next)
        output.next();
}

void CLumvexImgEdtDlg::OnZoomIn()
{
    if (output.zoomIn)
        output.zoomIn();
}

void CLumvexImgEdtDlg::OnZoomOut()
{
    if (output.zoomOut)
        output.zoomOut();
}

void CLumvexImgEdtDlg::OnFullScreen()
{
    if (output.fullScreen)
        output.fullScreen();
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
