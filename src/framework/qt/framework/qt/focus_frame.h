#pragma once

#include <QCheckBox>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QWidget>
#include <type_traits>

namespace fw::qt {

// A clearly visible frame around the control that holds the keyboard
// focus; the toolkit's own hint is too faint for many users.
void ShowFocusFrame(QWidget* control);
void HideFocusFrame(QWidget* control);

// A button that leaves its focus mark to the frame above: two marks, the
// faint one elsewhere than the clear one, only confuse.
template <class Button>
class WithoutOwnFocusMark : public Button {
 public:
  using Button::Button;

 protected:
  void paintEvent(QPaintEvent*) override {
    QStylePainter painter(this);
    QStyleOptionButton option;
    this->initStyleOption(&option);
    option.state &= ~QStyle::State_HasFocus;
    painter.drawControl(std::is_base_of_v<QCheckBox, Button>      ? QStyle::CE_CheckBox
                        : std::is_base_of_v<QRadioButton, Button> ? QStyle::CE_RadioButton
                                                                  : QStyle::CE_PushButton,
                        option);
  }
};

}  // namespace fw::qt
