#include "framework/qt/control_peer.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QDragMoveEvent>
#include <QMouseEvent>
#include <algorithm>

#include "framework/qt/focus_frame.h"
#include "framework/qt/qt_text.h"
#include "framework/qt/window_peer.h"

namespace fw::qt {

ControlPeer::ControlPeer(Control& owner, QWidget* widget) : owner_(owner), widget_(widget) {
  widget->installEventFilter(this);
  // A scrolling widget's clicks and drops land on its viewport.
  if (auto* area = qobject_cast<QAbstractScrollArea*>(widget)) {
    viewport_ = area->viewport();
    viewport_->installEventFilter(this);
  }
}

ControlPeer::~ControlPeer() {
  if (widget_) {
    widget_->removeEventFilter(this);
    if (viewport_) viewport_->removeEventFilter(this);
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

void ControlPeer::EventsChanged() { widget_->setAcceptDrops(owner_.Handles(DragOver)); }

bool ControlPeer::eventFilter(QObject* target, QEvent* event) {
  // Positions in the control's own coordinates, wherever the event landed.
  auto local = [&](QPointF position) {
    QPoint at = position.toPoint();
    return ScaleOf(widget_).FromScreen(target == viewport_ ? viewport_->mapTo(widget_, at) : at);
  };
  switch (event->type()) {
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
