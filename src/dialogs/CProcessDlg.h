#pragma once

#include "dialogs/DialogUnits.h"

#include <QDialog>
#include <QString>

class QProgressBar;

// The progress window shown while a picture is saved: a caption-less pop-up
// with a progress bar under a title drawn twice, black and then white one
// pixel lower right, so it reads on any background.
class CProcessDlg : public QDialog
{
    Q_OBJECT

  public:
    static constexpr int Width = 311;
    static constexpr int Height = 29;
    static constexpr int TitleField = 260;

    explicit CProcessDlg(QWidget* parent = nullptr);

    // Set by the caller; its range and position too.
    QProgressBar* progress;
    QString title;

    // Where the title starts in a window width pixels wide, for a title of
    // length characters: centred as if each character were 6 pixels wide.
    static int TitleLeft(int width, int length) { return (width - 6 * length) / 2; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    DialogUnits units;
};
