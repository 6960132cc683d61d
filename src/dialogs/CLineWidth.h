#pragma once

#include "dialogs/CLineChoiceDialog.h"

// Chooses one of the nine line widths: radio button k stands for width k + 1.
class CLineWidth : public CLineChoiceDialog
{
    Q_OBJECT

  public:
    static constexpr int Width = 94;
    static constexpr int Height = 191;
    static constexpr int ChoiceTotal = 9;

    explicit CLineWidth(QWidget* parent = nullptr);

    // Set by the caller before the dialog opens (width - 1); holds the choice after OK.
    int widthIndex = 0;

    static int IndexForWidth(int width) { return width - 1; }
    static int WidthForIndex(int index) { return index + 1; }

    // Runs the dialog modally (through ModalRunner); returns 1 for OK, 2 otherwise.
    int Run();

    void accept() override;

  protected:
    void showEvent(QShowEvent* event) override;
};
