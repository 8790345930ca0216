#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>

#include "framework/application/dispatch.h"
#include "framework/controls/control.h"

namespace fw::qt {

// The toolkit side of a control: its widget, and the events the widget
// reports back. The widget dies with the peer.
class ControlPeer : public QObject, public fw::ControlPeer {
 public:
  ControlPeer(Control& owner, QWidget* widget);
  ~ControlPeer() override;

  QWidget* Widget() const { return widget_; }
  Control& Owner() const { return owner_; }

  void EventsChanged() override;
  // Geometry, font, enabled state, visibility and help tag, then showOwn.
  void Sync() override;
  bool Checked() const override;
  // What the control's kind shows besides the common values.
  std::function<void()> showOwn;

  // Raises an event on the control from the toolkit; true when a Boolean
  // handler consumed it.
  template <class R, class... A>
  bool Raise(const Event<R(A...)>& event, std::type_identity_t<A>... args) {
    // The handler may close the window; both stay alive until it returns.
    Ref<Object> keepControl = owner_.shared_from_this();
    Ref<Window> keepWindow = owner_.Window();
    bool consumed = false;
    Dispatch([&] { consumed = owner_.Raise(event, args...); });
    return consumed;
  }

  // The control's own look at the widget's events (and, for scrolling
  // widgets, at their viewport's); true consumes the event.
  bool eventFilter(QObject* target, QEvent* event) override;

 private:
  Control& owner_;
  QPointer<QWidget> widget_;
  QPointer<QWidget> viewport_;
};

// Nil while the control has no widget.
QWidget* WidgetOf(const Control& control);

}  // namespace fw::qt
