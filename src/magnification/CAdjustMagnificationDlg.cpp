#include "magnification/CAdjustMagnificationDlg.h"

#include "dialogs/DialogUnits.h"
#include "dialogs/ModalRunner.h"
#include "magnification/DecimalText.h"
#include "text/LanguageTable.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

#include <cmath>

namespace {

QString DataExchangeText(double value)
{
    return QString::asprintf("%.*g", 15, value);
}

} // namespace

CAdjustMagnificationDlg::CAdjustMagnificationDlg(QWidget* parent) : QDialog(parent)
{
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    const DialogUnits scale = DialogUnits::FromFont(font());
    setFixedSize(scale.Map(208, 94));

    unitLabel = new QLabel(this);
    unitLabel->setGeometry(scale.Map(7, 7, 47, 8));
    actualLabel = new QLabel(this);
    actualLabel->setGeometry(scale.Map(7, 22, 87, 8));
    actualEdit = new QLineEdit(this);
    actualEdit->setGeometry(scale.Map(102, 20, 99, 15));
    adjustedLabel = new QLabel(this);
    adjustedLabel->setGeometry(scale.Map(7, 42, 88, 8));
    adjustedEdit = new QLineEdit(this);
    adjustedEdit->setGeometry(scale.Map(102, 38, 99, 14));
    adjustedEdit->setReadOnly(true);
    adjustedEdit->setFocusPolicy(Qt::NoFocus);
    captureCheck = new QCheckBox(this);
    captureCheck->setGeometry(scale.Map(33, 57, 10, 10));
    checkLabel = new QLabel(this);
    checkLabel->setGeometry(scale.Map(47, 58, 140, 8));
    okButton = new QPushButton(this);
    okButton->setGeometry(scale.Map(77, 71, 50, 14));
    okButton->setDefault(true);

    // The exchanged values stay on the dialog, out of sight.
    auto* measuredLabel = new QLabel(LanguageTable::Common(::Texts::AdjustMeasuredDimension), this);
    measuredLabel->hide();
    measuredEdit = new QLineEdit(this);
    measuredEdit->setGeometry(scale.Map(102, 7, 99, 14));
    measuredEdit->setReadOnly(true);
    measuredEdit->hide();
    auto* referenceLabel =
        new QLabel(LanguageTable::Common(::Texts::AdjustReferenceMagnification), this);
    referenceLabel->hide();
    referenceEdit = new QLineEdit(this);
    referenceEdit->setGeometry(scale.Map(102, 7, 99, 14));
    referenceEdit->setReadOnly(true);
    referenceEdit->hide();

    setTabOrder(actualEdit, captureCheck);
    setTabOrder(captureCheck, okButton);

    connect(actualEdit, &QLineEdit::textChanged, this, &CAdjustMagnificationDlg::OnActualChanged);
    connect(okButton, &QPushButton::clicked, this, &CAdjustMagnificationDlg::OnOk);
}

CAdjustMagnificationDlg::~CAdjustMagnificationDlg() = default;

CAdjustMagnificationDlg::Texts CAdjustMagnificationDlg::TextsFor(const LanguageTable& language,
                                                                 int unitIndex)
{
    // Units the table does not know take the millimetre label.
    const int unit = unitIndex >= 1 && unitIndex <= 3 ? unitIndex : 0;
    return {language.Text(::Texts::AdjustTitle),
            language.Text(::Texts::AdjustUnitLabel[unit]),
            language.Text(::Texts::AdjustActualDimension),
            language.Text(::Texts::AdjustAdjustedMagnification),
            language.Text(::Texts::AdjustUseAsMeasure),
            language.Text(::Texts::Ok)};
}

double CAdjustMagnificationDlg::AdjustedFor(double measuredDimension, double actualDimension,
                                            int unitIndex)
{
    double adjusted = measuredDimension / actualDimension;
    switch (unitIndex) {
    case 1:
        adjusted *= 1000.0;
        break;
    case 2:
        adjusted /= 0.0254;
        break;
    case 3:
        adjusted /= 25.4;
        break;
    default:
        break;
    }
    return adjusted;
}

CalibrationAnswer CAdjustMagnificationDlg::Run(const CalibrationRequest& request,
                                               const Texts& texts, QWidget* parent)
{
    CAdjustMagnificationDlg dialog(parent);
    dialog.SetRequest(request);
    dialog.texts = texts;
    CalibrationAnswer answer;
    answer.accepted = ModalRunner::Run(dialog) == QDialog::Accepted;
    answer.adjustedMagnification = dialog.adjustedMagnification;
    answer.useAdjustedAsCapture = dialog.useAdjustedAsCapture;
    return answer;
}

void CAdjustMagnificationDlg::SetRequest(const CalibrationRequest& request)
{
    unitIndex = request.unitIndex;
    measuredDimension = request.measuredDimension;
    referenceMagnification = request.referenceMagnification;
    adjustedMagnification = request.adjustedMagnification;
}

void CAdjustMagnificationDlg::InitDialog()
{
    measuredEdit->setText(DataExchangeText(measuredDimension));
    referenceEdit->setText(DataExchangeText(referenceMagnification));
    captureCheck->setChecked(useAdjustedAsCapture != 0);

    setWindowTitle(texts.caption);
    unitLabel->setText(texts.unitLabel);
    actualLabel->setText(texts.actualLabel);
    adjustedLabel->setText(texts.adjustedLabel);
    checkLabel->setText(texts.checkLabel);
    okButton->setText(texts.okText);

    {
        const QSignalBlocker blocker(actualEdit);
        actualEdit->clear();
    }
    adjustedEdit->clear();
    actualEdited = false;
    actualValid = false;
    actualEdit->setFocus();
}

bool CAdjustMagnificationDlg::CanAccept() const
{
    return !actualEdited || actualValid;
}

void CAdjustMagnificationDlg::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        InitDialog();
    QDialog::showEvent(event);
}

void CAdjustMagnificationDlg::OnActualChanged(const QString& text)
{
    actualEdited = true;
    actualDimension = DecimalText::ReadLeading(text);
    const double adjusted = AdjustedFor(measuredDimension, actualDimension, unitIndex);
    // A length of 0, or text that is not a number, has no finite magnification;
    // keep the last good value and let OK wait for a usable length.
    actualValid = actualDimension > 0.0 && std::isfinite(actualDimension) &&
                  std::isfinite(adjusted) && adjusted > 0.0;
    if (actualValid) {
        adjustedMagnification = adjusted;
        adjustedEdit->setText(QString::asprintf("%f", adjusted));
    } else {
        adjustedEdit->clear();
    }
}

void CAdjustMagnificationDlg::OnOk()
{
    if (!CanAccept()) {
        actualEdit->setFocus();
        actualEdit->selectAll();
        return;
    }
    useAdjustedAsCapture = captureCheck->isChecked() ? 1 : 0;
    accept();
}
