#pragma once

#include "magnification/MagnificationModel.h"

#include <QDialog>

class LanguageTable;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Computes a calibrated magnification from a line drawn over a standard of
// known length: the user types the real length, the dialog shows the result.
// There is no Cancel button; Esc and the close box cancel.
class CAdjustMagnificationDlg : public QDialog
{
    Q_OBJECT

  public:
    struct Texts
    {
        QString caption;
        QString unitLabel;
        QString actualLabel;
        QString adjustedLabel;
        QString checkLabel;
        QString okText;
    };

    explicit CAdjustMagnificationDlg(QWidget* parent = nullptr);
    ~CAdjustMagnificationDlg() override;

    // The six texts in the given language for the given unit.
    static Texts TextsFor(const LanguageTable& language, int unitIndex);
    // measured / actual, with the actual length turned into millimetres.
    static double AdjustedFor(double measuredDimension, double actualDimension, int unitIndex);

    // Fills the fields from a request, runs the dialog modally and reports.
    static CalibrationAnswer Run(const CalibrationRequest& request, const Texts& texts,
                                 QWidget* parent);

    void SetRequest(const CalibrationRequest& request);
    // Puts the fields and texts into the controls; done when the dialog is shown.
    void InitDialog();
    // Whether OK would end the dialog now.
    bool CanAccept() const;

    QLineEdit* ActualEdit() const { return actualEdit; }
    QLineEdit* AdjustedEdit() const { return adjustedEdit; }
    QCheckBox* CaptureCheckBox() const { return captureCheck; }
    QPushButton* OkButton() const { return okButton; }

    double actualDimension = 0.0;
    int unitIndex = 0;
    double measuredDimension = 0.0;
    double referenceMagnification = 0.0;
    double adjustedMagnification = 0.0;
    int useAdjustedAsCapture = 1;
    Texts texts;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void OnActualChanged(const QString& text);
    void OnOk();

    QLabel* unitLabel = nullptr;
    QLabel* actualLabel = nullptr;
    QLineEdit* actualEdit = nullptr;
    QLabel* adjustedLabel = nullptr;
    QLineEdit* adjustedEdit = nullptr;
    QCheckBox* captureCheck = nullptr;
    QLabel* checkLabel = nullptr;
    QPushButton* okButton = nullptr;
    QLineEdit* measuredEdit = nullptr;
    QLineEdit* referenceEdit = nullptr;
    // Until the user edits the length, OK returns the start value.
    bool actualEdited = false;
    bool actualValid = false;
};
