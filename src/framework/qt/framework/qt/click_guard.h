#pragma once

#include <QMouseEvent>
#include <QPoint>
#include <QPointF>
#include <optional>

namespace fw::qt {

// A press of the left mouse button: when, and where on the screen.
struct PressMark {
  quint64 time = 0;
  QPointF at;
};

PressMark MarkOf(const QMouseEvent& press);

// How long a click that brought another window to the front guards the
// same place on it: patients with a tremor click twice, slowly.
constexpr quint64 kSlowSecondClickMs = 1000;

// Whether the press comes within the given time and the double-click
// distance of an earlier one; none follows no press at all.
bool Follows(const QMouseEvent& press, const std::optional<PressMark>& earlier, quint64 interval);

// Whether the press comes within the double-click time of an earlier one.
bool RepeatOf(const QMouseEvent& press, const std::optional<PressMark>& earlier);

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
