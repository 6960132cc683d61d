#include "app/EditorControls.h"

#include "app/CBitmapButton.h"
#include "app/LayoutTable.h"
#include "magnification/PictureInfoRecord.h"
#include "text/LanguageTable.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>

void EditorControls::Create(QWidget* window, QObject* filter,
                            std::function<void(ControlId)> onPress)
{
    frame = new QFrame(window);
    frame->setFrameShape(QFrame::NoFrame);
    frame->setGeometry(LayoutTable::RectOf(ControlId::Frame, 0));

    for (const LayoutRow& row : LayoutTable::Rows()) {
        if (!row.IsButton())
            continue;
        auto* button = new CBitmapButton(QString::fromLatin1(row.artwork), window);
        button->setMouseTracking(true);
        button->installEventFilter(filter);
        button->setVisible(row.visible);
        QObject::connect(button, &QAbstractButton::clicked, window,
                         [onPress, id = row.controlId] { onPress(id); });
        buttons[row.controlId] = button;
    }

    magnificationLabel = new QLabel(window);
    magnificationLabel->setScaledContents(true);
    magnificationBox = new QLineEdit(window);
    magnificationBox->setReadOnly(true);
    magnificationBox->setFocusPolicy(Qt::ClickFocus);
    magnificationBox->setFrame(false);
    magnificationBox->setTextMargins(1, 0, 1, 0);

    remarkBox = new QLineEdit(window);
    remarkBox->setFrame(false);
    remarkBox->setMaxLength(PictureInfoRecord::TextSize - 1);
    remarkBox->hide();
    remarkBox->installEventFilter(filter);
}

void EditorControls::ApplySkin(int skin)
{
    for (const LayoutRow& row : LayoutTable::Rows()) {
        CBitmapButton* button = row.IsButton() ? Button(row.controlId) : nullptr;
        if (!button)
            continue;
        if (row.kind == LayoutRow::SkinnedButton) {
            const QString caption = button->Caption().left(63);
            button->SetCaption(caption +
                               (skin != 0 ? QStringLiteral("Gold") : QStringLiteral("Blue")));
        }
        button->LoadBitmaps();
    }
    const QPixmap label(CBitmapButton::FindBitmap(QStringLiteral("MAGNIFICATION")));
    if (!label.isNull())
        magnificationLabel->setPixmap(label);
}

void EditorControls::Place(int sizeStep)
{
    for (const LayoutRow& row : LayoutTable::Rows())
        if (row.kind != LayoutRow::Window)
            if (QWidget* control = Control(row.controlId))
                control->setGeometry(LayoutTable::RectOf(row.controlId, sizeStep));
}

void EditorControls::SetTooltips(const LanguageTable& texts)
{
    for (const LayoutRow& row : LayoutTable::Rows())
        if (row.HasTooltip())
            Button(row.controlId)->setToolTip(texts.TooltipText(row.tooltip));
}

void EditorControls::ChainTabOrder(QWidget* first)
{
    QWidget* previous = first;
    for (const LayoutRow& row : LayoutTable::Rows()) {
        if (row.HasTooltip()) {
            QWidget::setTabOrder(previous, Button(row.controlId));
            previous = Button(row.controlId);
        }
    }
}

CBitmapButton* EditorControls::Button(ControlId id) const
{
    const auto found = buttons.find(id);
    return found == buttons.end() ? nullptr : found->second;
}

QWidget* EditorControls::Control(ControlId id) const
{
    switch (id) {
    case ControlId::Frame:
        return frame;
    case ControlId::MagnificationBox:
        return magnificationBox;
    case ControlId::MagnificationLabel:
        return magnificationLabel;
    case ControlId::RemarkBox:
        return remarkBox;
    default:
        return Button(id);
    }
}
