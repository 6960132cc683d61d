#pragma once

#include "dialogs/DialogUnits.h"

#include <QPoint>
#include <QRect>
#include <QString>
#include <QWidget>

#include <optional>

// One line of white text over the picture view, such as the hint shown in
// full-screen mode. It never takes the focus and paints no background, so
// the picture shows around the letters.
class CInformationDlg : public QWidget
{
    Q_OBJECT

  public:
    enum class ShowCommand { Hide, Show, ShowNoActivate };

    static constexpr int Width = 127;
    static constexpr int Height = 16;
    static constexpr int TextField = 260;
    static constexpr int CharacterWidth = 9;

    // Created hidden, as a child of the picture view.
    explicit CInformationDlg(QWidget* view);

    QString infoText;
    QPoint infoPosition;

    // Copies the text when given, places the window at the position when
    // given (else at the top right corner of the screen), 9 pixels wide per
    // character, keeps its height, and applies the show command.
    void ShowInformation(ShowCommand command, std::optional<QString> text = std::nullopt,
                         std::optional<QPoint> position = std::nullopt);

    static QRect Placement(int length, int height, std::optional<QPoint> position, int screenWidth);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    int ScreenWidth() const;

    DialogUnits units;
};
