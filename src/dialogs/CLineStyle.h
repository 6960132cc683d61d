#pragma once

#include "dialogs/CLineChoiceDialog.h"

// Chooses one of the five line styles: radio button k stands for style index k.
class CLineStyle : public CLineChoiceDialog
{
    Q_OBJECT

  public:
    static constexpr int Width = 94;
    static constexpr int Height = 134;
    static constexpr int ChoiceTotal = 5;

    explicit CLineStyle(QWidget* parent = nullptr);

    // Set by the caller before the dialog opens; holds the choice after OK.
    int styleIndex = 0;

    // Runs the dialog modally (through ModalRunner); returns 1 for OK, 2 otherwise.
    int Run();

    void accept() override;

  protected:
    void showEvent(QShowEvent* event) override;
};
