#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

#include "framework/controls/control.h"

namespace fw::qt {

// The toolkit side of a control: its widget, and the events the widget
// reports back. The widget dies with the peer.
class ControlPeer : public fw::ControlPeer {
 public:
  ControlPeer(Control& owner, QWidget* widget);
  ~ControlPeer() override;

  QWidget* Widget() const { return widget_; }
  Control& Owner() const { return owner_; }

  // Geometry, font, enabled state, visibility and help tag.
  void ApplyCommon(const ControlProperties& p);
  void EventsChanged() override;

  // Whether the control is one the user types into (it gets the first focus).
  virtual bool TakesTyping() const { return false; }

  // Raises an event on the control from the toolkit; true when a Boolean
  // handler consumed it.
  template <class R, class... A>
  bool Raise(const Event<R(A...)>& event, std::type_identity_t<A>... args) {
    bool consumed = false;
    Guarded([&] { consumed = owner_.Raise(event, args...); });
    return consumed;
  }

  // The control's own look at the widget's events (and, for scrolling
  // widgets, at their viewport's); true consumes the event.
  virtual bool Filter(QObject* target, QEvent* event);

 private:
  void Guarded(const std::function<void()>& raise);

  Control& owner_;
  QPointer<QWidget> widget_;
  QPointer<QWidget> viewport_;
  std::unique_ptr<QObject> filter_;
};

}  // namespace fw::qt
