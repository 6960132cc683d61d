#include "magnification/CSetMagnification.h"

#include "dialogs/DialogUnits.h"
#include "dialogs/ModalRunner.h"
#include "magnification/DecimalText.h"
#include "text/LanguageTable.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QShowEvent>

#include <algorithm>

namespace {

// The framework's own text for a field that needs a number; it only exists in
// Chinese and is shown whatever the language.
QString NotNumberMessage()
{
    return LanguageTable::String(Texts::NotANumber.chinese);
}

} // namespace

CSetMagnification::CSetMagnification(QWidget* parent) : QDialog(parent)
{
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    promptLabel = new QLabel(this);
    promptLabel->setWordWrap(true);
    promptLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    rangeLabel = new QLabel(this);
    edit = new QLineEdit(this);
    okButton = new QPushButton(this);
    okButton->setAutoDefault(false);
    cancelButton = new QPushButton(this);
    cancelButton->setAutoDefault(false);
    FitToTexts();

    setTabOrder(edit, okButton);
    setTabOrder(okButton, cancelButton);

    showNotNumber = [this](const QString& message) {
        QMessageBox::warning(this, QApplication::applicationDisplayName(), message,
                             QMessageBox::Ok);
    };

    connect(okButton, &QPushButton::clicked, this, &CSetMagnification::OnOk);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

CSetMagnification::~CSetMagnification() = default;

QString CSetMagnification::StartText(double value)
{
    if (!InRange(value))
        return QStringLiteral("NONE");
    return QString::asprintf("%.*g", 15, value);
}

bool CSetMagnification::InRange(double value)
{
    return value >= Minimum && value <= Maximum;
}

void CSetMagnification::SetTexts(const LanguageTable& language)
{
    promptText = language.Text(Texts::SetMagnificationWarning);
    rangeText = language.Text(Texts::SetMagnificationLabel);
    captionText = language.Text(Texts::SetMagnificationTitle);
    okText = language.Text(Texts::Ok);
    cancelText = language.Text(Texts::Cancel);
}

bool CSetMagnification::Run(double& value)
{
    magnification = value;
    if (ModalRunner::Run(*this) != QDialog::Accepted)
        return false;
    value = magnification;
    return true;
}

void CSetMagnification::InitDialog()
{
    edit->setText(StartText(magnification));
    setWindowTitle(captionText);
    promptLabel->setText(promptText);
    rangeLabel->setText(rangeText);
    okButton->setText(okText);
    cancelButton->setText(cancelText);
    FitToTexts();
    edit->setFocus();
    edit->selectAll();
}

void CSetMagnification::FitToTexts()
{
    const DialogUnits scale = DialogUnits::FromFont(font());
    QRect prompt = scale.Map(6, 6, 159, 20);
    QRect range = scale.Map(4, 36, 110, 8);
    QRect field = scale.Map(4, 51, 138, 14);
    QRect ok = scale.Map(148, 33, 50, 14);
    QRect cancel = scale.Map(148, 52, 50, 14);
    QSize size = scale.Map(199, 73);
    const int margin = scale.X(4);

    // A prompt that wraps to more lines than the template allows pushes the
    // rest of the dialog down.
    const int down = std::max(0, promptLabel->heightForWidth(prompt.width()) - prompt.height());
    prompt.setHeight(prompt.height() + down);
    for (QRect* r : {&range, &field, &ok, &cancel})
        r->translate(0, down);
    size.rheight() += down;

    // The range label keeps its whole text on its line; the buttons beside it
    // move right to make room, and keep a margin to the dialog's edge.
    const QFontMetrics metrics(rangeLabel->font());
    range.setWidth(std::max(range.width(), metrics.horizontalAdvance(rangeText) + 2));
    range.setHeight(std::max(range.height(), metrics.height()));
    const int shift = std::max(0, range.right() + 1 + margin - ok.left());
    const int buttonWidth =
        std::max({ok.width(), okButton->sizeHint().width(), cancelButton->sizeHint().width()});
    for (QRect* r : {&ok, &cancel}) {
        r->translate(shift, 0);
        r->setWidth(buttonWidth);
    }
    size.setWidth(std::max({size.width(), ok.right() + 1 + margin, prompt.right() + 1 + margin}));

    promptLabel->setGeometry(prompt);
    rangeLabel->setGeometry(range);
    edit->setGeometry(field);
    okButton->setGeometry(ok);
    cancelButton->setGeometry(cancel);
    setFixedSize(size);
}

void CSetMagnification::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        InitDialog();
    QDialog::showEvent(event);
}

void CSetMagnification::keyPressEvent(QKeyEvent* event)
{
    // No button is the default, yet Enter still means OK, with its checks.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (focusWidget() == cancelButton)
            reject();
        else
            OnOk();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CSetMagnification::OnOk()
{
    double value = 0.0;
    if (!DecimalText::ReadWhole(edit->text(), value)) {
        if (showNotNumber)
            showNotNumber(NotNumberMessage());
        edit->setFocus();
        edit->selectAll();
        return;
    }
    magnification = value;
    if (!InRange(value))
        return;
    accept();
}
