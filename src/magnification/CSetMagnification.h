#pragma once

#include <QDialog>

#include <functional>

class LanguageTable;
class QLabel;
class QLineEdit;
class QPushButton;

// Lets the user type a magnification from 1.00 to 9999.99. The editor window
// keeps one and sets its value and texts before every use.
class CSetMagnification : public QDialog
{
    Q_OBJECT

  public:
    static constexpr double Minimum = 1.0;
    static constexpr double Maximum = 9999.99;

    explicit CSetMagnification(QWidget* parent = nullptr);
    ~CSetMagnification() override;

    // The edit's first text: the shortest form of the value, or "NONE" when it
    // is outside the range.
    static QString StartText(double value);
    static bool InRange(double value);

    // The five texts in the given language.
    void SetTexts(const LanguageTable& language);

    // Runs the dialog modally on value; true on OK with value replaced.
    bool Run(double& value);

    // Puts the value and texts into the controls; done when the dialog is shown.
    void InitDialog();

    // Lays the controls out from the template in this font's dialog units,
    // grown where a text of the current language needs more room.
    void FitToTexts();

    QLabel* PromptLabel() const { return promptLabel; }
    QLabel* RangeLabel() const { return rangeLabel; }
    QLineEdit* Edit() const { return edit; }
    QPushButton* OkButton() const { return okButton; }
    QPushButton* CancelButton() const { return cancelButton; }

    double magnification = 1.0;
    QString promptText;
    QString rangeText;
    QString captionText;
    QString okText;
    QString cancelText;

    // Tells the user the text is not a number; a message box unless replaced.
    std::function<void(const QString& message)> showNotNumber;

  protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void OnOk();

    QLabel* promptLabel = nullptr;
    QLabel* rangeLabel = nullptr;
    QLineEdit* edit = nullptr;
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;
};
