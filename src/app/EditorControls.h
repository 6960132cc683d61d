#pragma once

#include "app/ControlId.h"

#include <functional>
#include <map>

class CBitmapButton;
class LanguageTable;
class QFrame;
class QLabel;
class QLineEdit;
class QObject;
class QWidget;

// The editor window's controls, built from the layout table: the frame that
// holds the view, the picture buttons, the magnification label and box and the
// remark box over the status line.
class EditorControls
{
  public:
    // Creates every control on window. A pressed button calls onPress with its
    // id; filter watches the buttons and the remark box.
    void Create(QWidget* window, QObject* filter, std::function<void(ControlId)> onPress);
    // Takes the window buttons' artwork for the skin (0 blue, any other gold).
    void ApplySkin(int skin);
    // Places every control for a window size step (0..3).
    void Place(int sizeStep);
    void SetTooltips(const LanguageTable& texts);
    // Tab runs from first through the buttons in tooltip order and back.
    void ChainTabOrder(QWidget* first);

    CBitmapButton* Button(ControlId id) const;
    // A button, the frame, the magnification label or box or the remark box.
    QWidget* Control(ControlId id) const;

    QFrame* frame = nullptr;
    QLabel* magnificationLabel = nullptr;
    QLineEdit* magnificationBox = nullptr;
    QLineEdit* remarkBox = nullptr;

  private:
    std::map<ControlId, CBitmapButton*> buttons;
};
