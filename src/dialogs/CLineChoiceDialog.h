#pragma once

#include "dialogs/DialogUnits.h"

#include <QDialog>
#include <QImage>
#include <QRect>

#include <vector>

class QButtonGroup;
class QLabel;
class QPushButton;
class QRadioButton;

// A column of radio buttons, each beside a sample picture, and an OK button:
// the common form of the line style and line width choosers. Results: 1 for
// OK, 2 for Esc or the close box.
class CLineChoiceDialog : public QDialog
{
    Q_OBJECT

  public:
    static constexpr int ResultOk = 1;
    static constexpr int ResultCancel = 2;

    // A choice: its radio button in dialog units and the left edge of its sample.
    struct Choice
    {
        QRect radio;
        int sampleLeft;
        QImage sample;
    };

    int ChoiceCount() const { return int(radios.size()); }
    QRadioButton* Radio(int index) const { return radios.at(size_t(index)); }
    QLabel* Sample(int index) const { return samples.at(size_t(index)); }
    QPushButton* OkButton() const { return okButton; }

    // The index of the checked radio button, -1 when none is.
    int CheckedIndex() const;

    void reject() override;

  protected:
    CLineChoiceDialog(QWidget* parent, const QString& title, QSize size,
                      const std::vector<Choice>& choices, QRect okRect);

    // Puts a choice's index on the buttons when the dialog opens (none checked
    // when it is out of range), and reads it back on OK.
    void CheckIndex(int index);

  private:
    DialogUnits units;
    QButtonGroup* group;
    std::vector<QRadioButton*> radios;
    std::vector<QLabel*> samples;
    QPushButton* okButton;
};
