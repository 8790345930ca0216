#include "framework/qt/click_filter.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QStyleHints>
#include <utility>

#include "framework/application/dispatch.h"
#include "framework/qt/window_peer.h"
#include "framework/window/window.h"
#include "framework/window/window_system.h"

namespace fw::qt {

namespace {

const char* const kSingleClickProperty = "fwSingleClick";

// How long a click that brought another window to the front guards the
// same place on it: patients with a tremor click twice, slowly.
constexpr quint64 kSlowSecondClickMs = 1000;

class ClickFilter : public QObject {
 public:
  bool eventFilter(QObject* target, QEvent* event) override {
    if (!target->isWidgetType()) return false;
    // The release of a press that did nothing does nothing either.
    if (event->type() == QEvent::MouseButtonRelease) return std::exchange(swallowRelease_, false);
    bool press = event->type() == QEvent::MouseButtonPress;
    if (!press && event->type() != QEvent::MouseButtonDblClick) return false;
    auto* mouse = static_cast<QMouseEvent*>(event);
    auto* widget = static_cast<QWidget*>(target);
    // Qt hands one press to the window's frame and then to the widget; one
    // physical press is looked at once.
    bool newPress = mouse->timestamp() != last_.time || mouse->globalPosition() != last_.at;
    if (newPress) {
      int doubleClick = QGuiApplication::styleHints()->mouseDoubleClickInterval();
      lastWasRepeat_ = Follows(*mouse, last_, static_cast<quint64>(doubleClick)) || !press;
      guarded_ = Follows(*mouse, anchor_, kSlowSecondClickMs) && LandsOnANewFront(widget);
      last_ = {mouse->timestamp(), mouse->globalPosition(), true};
    }
    if (guarded_ || (lastWasRepeat_ && widget->property(kSingleClickProperty).toBool())) {
      swallowRelease_ = true;
      return true;
    }
    Window* window = WindowOf(widget);
    if (press && newPress && window) window->Peer().PressedInto();
    if (press) BringWindowForward(window);
    // Taken after the press has brought its own window forward: only what
    // the click itself then changes guards the place.
    if (newPress) {
      anchor_ = last_;
      Window* front = WindowSystem::Front();
      frontAtAnchor_ = front ? front->weak_from_this() : std::weak_ptr<Object>();
    }
    return false;
  }

 private:
  struct Press {
    quint64 time = 0;
    QPointF at;
    bool happened = false;
  };

  // Whether the press comes within the given time and the double-click
  // distance of an earlier one; the first press of the run follows none.
  static bool Follows(const QMouseEvent& mouse, const Press& earlier, quint64 interval) {
    if (!earlier.happened) return false;
    QPointF moved = mouse.globalPosition() - earlier.at;
    int distance = QGuiApplication::styleHints()->mouseDoubleClickDistance();
    bool near = std::abs(moved.x()) + std::abs(moved.y()) <= distance;
    quint64 now = mouse.timestamp();
    return near && now > earlier.time && now - earlier.time <= interval;
  }

  // Whether the press is on the front window and that window came to the
  // front since the anchor press. Held weakly, so that a window built where
  // a closed one lay is not taken for it.
  bool LandsOnANewFront(QWidget* widget) const {
    Window* front = WindowSystem::Front();
    Ref<Object> before = frontAtAnchor_.lock();
    return front && WindowOf(widget) == front && before.get() != static_cast<Object*>(front);
  }

  static void BringWindowForward(Window* window) {
    if (!window || WindowSystem::Front() == window) return;
    Ref<Object> keep = window->shared_from_this();
    Dispatch([window] { WindowSystem::NativeActivated(*window); });
  }

  Press last_;
  // The last press that was let through: the one whose click may have
  // changed the front window.
  Press anchor_;
  std::weak_ptr<Object> frontAtAnchor_;
  bool lastWasRepeat_ = false;
  bool guarded_ = false;
  bool swallowRelease_ = false;
};

}  // namespace

void WatchClicks() {
  // Held weakly: the filter dies with the toolkit's application.
  static QPointer<ClickFilter> filter;
  if (filter || !QCoreApplication::instance()) return;
  filter = new ClickFilter;
  filter->setParent(QCoreApplication::instance());
  QCoreApplication::instance()->installEventFilter(filter);
}

void ActOnSingleClicksOnly(QWidget* widget) {
  widget->setProperty(kSingleClickProperty, true);
  // Such controls take the focus only from Tab, never from a click, so that
  // Space and Return act only where the user has put the focus.
  widget->setFocusPolicy(Qt::TabFocus);
}

}  // namespace fw::qt
