#pragma once

#include <QMouseEvent>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "framework/application/dispatch.h"
#include "framework/controls/control.h"
#include "framework/qt/click_guard.h"

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
  // A button, check box or radio button: one double click is one step.
  void ActOnSingleClicksOnly();
  // What the control's kind shows besides the common values.
  std::function<void()> showOwn;

  // Raises an event on the control from the toolkit; true when a Boolean
  // handler consumed it.
  template <class R, class... A>
  bool Raise(const Event<R(A...)>& event, std::type_identity_t<A>... args) {
    // The handler may close the window; both stay alive until it returns.
    Ref<Object> keepControl = owner_.shared_from_this();
    Ref<Window> keepWindow = owner_.Window();
    std::weak_ptr<Object> front = FrontWindow();
    bool consumed = false;
    Dispatch([&] { consumed = owner_.Raise(event, args...); });
    GuardWhereFrontChanged(front);
    return consumed;
  }

  // The control's own look at the widget's events (and, for scrolling
  // widgets, at their viewport's); true consumes the event.
  bool eventFilter(QObject* target, QEvent* event) override;

 private:
  // Where a press stands between its press and its release.
  enum class Held { None, Taken, Void };

  // Whether the control takes the mouse event: each press of the left
  // button is paired with its own release, and a press that does nothing
  // takes its double click and release along.
  bool TakesMouse(const QMouseEvent& mouse);
  static std::weak_ptr<Object> FrontWindow();
  // What this control raised brought another window to the front: the
  // place of its last click is guarded there.
  void GuardWhereFrontChanged(const std::weak_ptr<Object>& before) const;

  Control& owner_;
  QPointer<QWidget> widget_;
  QPointer<QWidget> viewport_;
  std::optional<PressMark> lastPress_;  // the left button's, taken or not
  std::optional<PressMark> lastTaken_;
  Held held_ = Held::None;
  bool singleClicksOnly_ = false;
};

// Nil while the control has no widget.
QWidget* WidgetOf(const Control& control);

}  // namespace fw::qt
