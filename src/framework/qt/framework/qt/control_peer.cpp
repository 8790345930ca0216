#include "framework/qt/control_peer.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QDragMoveEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <algorithm>
#include <utility>

#include "framework/qt/focus_frame.h"
#include "framework/qt/qt_text.h"
#include "framework/qt/window_peer.h"
#include "framework/window/window_system.h"

namespace fw::qt {

ControlPeer::ControlPeer(Control& owner, QWidget* widget) : owner_(owner), widget_(widget) {
  widget->installEventFilter(this);
  // A scrolling widget's clicks and drops land on its viewport.
  if (auto* area = qobject_cast<QAbstractScrollArea*>(widget)) {
    viewport_ = area->viewport();
    viewport_->installEventFilter(this);
    // Its scroll bars are pressed like the rest of it.
    for (QScrollBar* bar : {area->verticalScrollBar(), area->horizontalScrollBar()}) {
      bar->installEventFilter(this);
    }
  }
}

ControlPeer::~ControlPeer() {
  if (widget_) {
    widget_->removeEventFilter(this);
    if (viewport_) viewport_->removeEventFilter(this);
    for (QScrollBar* bar : widget_->findChildren<QScrollBar*>()) bar->removeEventFilter(this);
    HideFocusFrame(widget_);
    widget_->hide();
    // Later: the widget may be in the middle of handing us one of its events.
    widget_->deleteLater();
  }
}

void ControlPeer::Sync() {
  if (!widget_) return;
  const ControlProperties& p = owner_.Common();
  // The toolkit adds position and size; held within its own limits, the sum
  // stays inside int whatever a layout says.
  Scale scale = ScaleOf(widget_);
  auto place = [&](int32_t v) {
    return scale.ToScreen(std::clamp(v, -QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
  };
  auto extent = [&](int32_t v) { return scale.ToScreen(std::clamp(v, 0, QWIDGETSIZE_MAX)); };
  widget_->setGeometry(place(p.left), place(p.top), extent(p.width), extent(p.height));
  widget_->setFont(scale.ToScreen(MakeFont(p.textFont, p.textSize, p.bold, p.italic, p.underline)));
  widget_->setEnabled(p.enabled);
  widget_->setVisible(p.visible);
  const bool hasTip = p.helpTag.find_first_not_of(" \t\r\n") != std::string::npos;
  widget_->setToolTip(hasTip ? ToQt(p.helpTag) : QString());
  if (!p.tabStop) widget_->setFocusPolicy(Qt::NoFocus);
  if (showOwn) showOwn();
}

bool ControlPeer::Checked() const {
  auto* button = qobject_cast<QAbstractButton*>(widget_);
  return button && button->isChecked();
}

void ControlPeer::ActOnSingleClicksOnly() {
  singleClicksOnly_ = true;
  // Such controls take the focus only from Tab, never from a click, so that
  // Space and Return act only where the user has put the focus.
  widget_->setFocusPolicy(Qt::TabFocus);
}

bool ControlPeer::TakesMouse(const QMouseEvent& mouse) {
  Window* window = WindowOf(widget_);
  if (mouse.button() != Qt::LeftButton) {
    if (mouse.type() == QEvent::MouseButtonPress && window) window->Peer().PressedInto();
    return true;
  }
  switch (mouse.type()) {
    case QEvent::MouseButtonPress: {
      PressMark press = MarkOf(mouse);
      // A press the viewport did not take goes on to its area: one press.
      if (lastPress_ && lastPress_->time == press.time && lastPress_->at == press.at) {
        return held_ != Held::Void;
      }
      bool repeat = singleClicksOnly_ && RepeatOf(mouse, lastPress_);
      lastPress_ = press;
      // A press whose release never came (it went to a window on its way
      // out) is over: this one starts afresh.
      held_ = repeat || (window && window->Peer().GuardsPlace(mouse)) ? Held::Void : Held::Taken;
      if (held_ == Held::Void) return false;
      lastTaken_ = press;
      if (window) window->Peer().PressedInto();
      return true;
    }
    case QEvent::MouseButtonDblClick:
      return held_ == Held::Taken && !singleClicksOnly_;
    case QEvent::MouseButtonRelease:
      return std::exchange(held_, Held::None) == Held::Taken;
    default:
      return true;
  }
}

std::weak_ptr<Object> ControlPeer::FrontWindow() {
  Window* front = WindowSystem::Front();
  return front ? front->weak_from_this() : std::weak_ptr<Object>();
}

// Held weakly, so that a window built where a closed one lay is not taken
// for it.
void ControlPeer::GuardWhereFrontChanged(const std::weak_ptr<Object>& before) const {
  Window* front = WindowSystem::Front();
  if (!lastTaken_ || !front || before.lock().get() == static_cast<Object*>(front)) return;
  front->Peer().GuardPlace(*lastTaken_);
}

void ControlPeer::EventsChanged() { widget_->setAcceptDrops(owner_.Handles(DragOver)); }

bool ControlPeer::eventFilter(QObject* target, QEvent* event) {
  if (qobject_cast<QScrollBar*>(target)) {
    bool mouse = event->type() == QEvent::MouseButtonPress ||
                 event->type() == QEvent::MouseButtonRelease ||
                 event->type() == QEvent::MouseButtonDblClick;
    return mouse && !TakesMouse(*static_cast<QMouseEvent*>(event));
  }
  // Positions in the control's own coordinates, wherever the event landed.
  auto local = [&](QPointF position) {
    QPoint at = position.toPoint();
    return ScaleOf(widget_).FromScreen(target == viewport_ ? viewport_->mapTo(widget_, at) : at);
  };
  switch (event->type()) {
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
      return !TakesMouse(*static_cast<QMouseEvent*>(event));
    case QEvent::FocusIn: {
      // A button holds the focus only where Tab put it, and shows it however
      // the focus came back (its window returning to the front); a field
      // that the window gives the focus shows its caret.
      auto reason = static_cast<QFocusEvent*>(event)->reason();
      if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
          qobject_cast<QAbstractButton*>(widget_)) {
        ShowFocusFrame(widget_);
      }
      return false;
    }
    case QEvent::FocusOut:
    case QEvent::Hide:
      HideFocusFrame(widget_);
      return false;
    case QEvent::MouseButtonPress: {
      if (!TakesMouse(*static_cast<QMouseEvent*>(event))) return true;
      if (!owner_.Handles(MouseDown)) return false;
      QPoint at = local(static_cast<QMouseEvent*>(event)->position());
      return Raise(MouseDown, at.x(), at.y());
    }
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      if (!owner_.Handles(DragOver)) return false;
      auto* drag = static_cast<QDragMoveEvent*>(event);
      QPoint at = local(drag->position());
      auto item = std::make_shared<DragItem>();
      bool refused = Raise(DragOver, at.x(), at.y(), *item, drag->dropAction());
      if (refused) {
        drag->ignore();
      } else {
        drag->acceptProposedAction();
      }
      return true;
    }
    case QEvent::Drop:
      // No control takes dropped data; the drop ends here.
      event->ignore();
      return true;
    default:
      return false;
  }
}

QWidget* WidgetOf(const Control& control) {
  auto* peer = static_cast<ControlPeer*>(control.Peer());
  return peer ? peer->Widget() : nullptr;
}

}  // namespace fw::qt
