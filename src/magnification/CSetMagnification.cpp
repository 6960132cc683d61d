#include "magnification/CSetMagnification.h"

#include "dialogs/DialogUnits.h"
#include "dialogs/ModalRunner.h"
#include "magnification/DecimalText.h"
#include "text/LanguageTable.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QShowEvent>

namespace {

// The framework's own text for a field that needs a number; it only exists in
// Chinese and is shown whatever the language.
QString NotNumberMessage() {
    return LanguageTable::String(Texts::NotANumber.chinese);
}

} // namespace

CSetMagnification::CSetMagnification(QWidget* parent) : QDialog(parent) {
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    const DialogUnits scale = DialogUnits::FromFont(font());
    setFixedSize(scale.Map(199, 73));

    promptLabel = new QLabel(this);
    promptLabel->setGeometry(scale.Map(6, 6, 159, 20));
    promptLabel->setWordWrap(true);
    promptLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    rangeLabel = new QLabel(this);
    rangeLabel->setGeometry(scale.Map(4, 36, 110, 8));
    edit = new QLineEdit(this);
    edit->setGeometry(scale.Map(4, 51, 138, 14));
    okButton = new QPushButton(this);
    okButton->setGeometry(scale.Map(148, 33, 50, 14));
    okButton->setAutoDefault(false);
    cancelButton = new QPushButton(this);
    cancelButton->setGeometry(scale.Map(148, 52, 50, 14));
    cancelButton->setAutoDefault(false);

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

QString CSetMagnification::StartText(double value) {
    if (!InRange(value))
        return QStringLiteral("NONE");
    return QString::asprintf("%.*g", 15, value);
}

bool CSetMagnification::InRange(double value) {
    return value >= Minimum && value <= Maximum;
}

void CSetMagnification::SetTexts(const LanguageTable& language) {
    promptText = language.Text(Texts::SetMagnificationWarning);
    rangeText = language.Text(Texts::SetMagnificationLabel);
    captionText = language.Text(Texts::SetMagnificationTitle);
    okText = language.Text(Texts::Ok);
    cancelText = language.Text(Texts::Cancel);
}

bool CSetMagnification::Run(double& value) {
    magnification = value;
    if (ModalRunner::Run(*this) != QDialog::Accepted)
        return false;
    value = magnification;
    return true;
}

void CSetMagnification::InitDialog() {
    edit->setText(StartText(magnification));
    setWindowTitle(captionText);
    promptLabel->setText(promptText);
    rangeLabel->setText(rangeText);
    okButton->setText(okText);
    cancelButton->setText(cancelText);
    edit->setFocus();
    edit->selectAll();
}

void CSetMagnification::showEvent(QShowEvent* event) {
    if (!event->spontaneous())
        InitDialog();
    QDialog::showEvent(event);
}

void CSetMagnification::keyPressEvent(QKeyEvent* event) {
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

void CSetMagnification::OnOk() {
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
