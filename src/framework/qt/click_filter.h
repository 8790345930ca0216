#pragma once

#include <QPoint>
#include <QWidget>

namespace fw::qt {

// Watches every press of the mouse in the program: a click into a window
// that is not in front brings it to the front, and the second press of a
// double click does nothing on a widget marked as acting on single clicks.
void WatchClicks();

// A button, check box or radio button: one double click is one step, also
// when the first click brought up another window under the pointer.
void ActOnSingleClicksOnly(QWidget* widget);

// A check box or radio button whose whole rectangle takes the click, not
// only its small indicator and caption.
template <class Button>
class WholeAreaButton : public Button {
 public:
  using Button::Button;

 protected:
  bool hitButton(const QPoint& at) const override { return this->rect().contains(at); }
};

}  // namespace fw::qt
