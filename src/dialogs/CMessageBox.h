#pragma once

#include "dialogs/DialogUnits.h"

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

// The program's own question or notice box: one or two buttons, every text
// set by the caller. Results: 1 for button 1, 7 for button 7, 2 for Esc or
// the close box.
class CMessageBox : public QDialog
{
    Q_OBJECT

  public:
    static constexpr int ResultYes = 1;
    static constexpr int ResultNo = 7;
    static constexpr int ResultCancel = 2;

    static constexpr int Width = 186;
    static constexpr int Height = 63;

    explicit CMessageBox(QWidget* parent = nullptr);
    ~CMessageBox() override;

    // Filled by the caller before the box opens; each is cut to its field.
    QString caption;
    QString message;
    QString yesText;
    QString noText;
    int singleButton = 0;

    // Runs the box modally (through ModalRunner) and returns 1, 7 or 2.
    int Run();

    // The left edge that centres a button in the client area.
    static int CenteredLeft(int clientWidth, int buttonWidth)
    {
        return (clientWidth - buttonWidth) / 2;
    }

    QLabel* MessageLabel() const { return label; }
    QPushButton* YesButton() const { return yesButton; }
    QPushButton* NoButton() const { return noButton; }

    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void InitDialog();

    DialogUnits units;
    QLabel* label;
    QPushButton* yesButton;
    QPushButton* noButton;
};
