#include "framework/qt/click_filter.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QStyleHints>

#include "framework/application/dispatch.h"
#include "framework/qt/window_peer.h"
#include "framework/window/window.h"
#include "framework/window/window_system.h"

namespace fw::qt {

namespace {

const char* const kSingleClickProperty = "fwSingleClick";

class ClickFilter : public QObject {
 public:
  bool eventFilter(QObject* target, QEvent* event) override {
    bool press = event->type() == QEvent::MouseButtonPress;
    if (!press && event->type() != QEvent::MouseButtonDblClick) return false;
    if (!target->isWidgetType()) return false;
    auto* mouse = static_cast<QMouseEvent*>(event);
    bool follows = FollowsLastPress(*mouse);
    // Qt hands one press to the window's frame and then to the widget; one
    // physical press is looked at once.
    if (mouse->timestamp() != lastTime_ || mouse->globalPosition() != lastAt_) {
      lastTime_ = mouse->timestamp();
      lastAt_ = mouse->globalPosition();
      lastWasRepeat_ = follows || !press;
    }
    auto* widget = static_cast<QWidget*>(target);
    if (lastWasRepeat_ && widget->property(kSingleClickProperty).toBool()) return true;
    if (press) BringWindowForward(widget);
    return false;
  }

 private:
  // Whether the press comes within the double-click time and distance of
  // the one before; the first press of the run follows none.
  bool FollowsLastPress(const QMouseEvent& mouse) {
    if (!hasLast_) {
      hasLast_ = true;
      return false;
    }
    const QStyleHints* hints = QGuiApplication::styleHints();
    quint64 interval = static_cast<quint64>(hints->mouseDoubleClickInterval());
    QPointF moved = mouse.globalPosition() - lastAt_;
    bool near = std::abs(moved.x()) + std::abs(moved.y()) <= hints->mouseDoubleClickDistance();
    bool soon = mouse.timestamp() >= lastTime_ && mouse.timestamp() - lastTime_ <= interval;
    return near && soon && mouse.timestamp() != lastTime_;
  }

  static void BringWindowForward(QWidget* widget) {
    Window* window = WindowOf(widget);
    if (!window || WindowSystem::Front() == window) return;
    Ref<Object> keep = window->shared_from_this();
    Dispatch([window] { WindowSystem::NativeActivated(*window); });
  }

  bool hasLast_ = false;
  quint64 lastTime_ = 0;
  QPointF lastAt_;
  bool lastWasRepeat_ = false;
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
