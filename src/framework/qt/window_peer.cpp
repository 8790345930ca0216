#include "framework/qt/window_peer.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QBackingStore>
#include <QVBoxLayout>
#include <algorithm>

#include "framework/application/application.h"
#include "framework/application/dispatch.h"
#include "framework/controls/control.h"
#include "framework/menu/menu_item.h"
#include "framework/qt/click_filter.h"
#include "framework/qt/control_peer.h"
#include "framework/qt/focus_frame.h"
#include "framework/qt/menu_bar_qt.h"
#include "framework/qt/painting.h"
#include "framework/qt/placement.h"
#include "framework/qt/qt_text.h"
#include "framework/window/window.h"
#include "framework/window/window_system.h"

namespace fw::qt {

namespace {

const char* const kOwnerProperty = "fwWindow";

// Runs a window's handler with the window kept alive until it returns.
void DispatchFor(Window& window, const std::function<void()>& work) {
  Ref<Object> keep = window.shared_from_this();
  Dispatch(work);
}

class FrameWidget : public QWidget {
 public:
  explicit FrameWidget(Window& owner) : owner_(owner) {
    setProperty(kOwnerProperty, QVariant::fromValue(static_cast<void*>(&owner)));
    setAttribute(Qt::WA_DeleteOnClose, false);
  }

 protected:
  void closeEvent(QCloseEvent* event) override {
    // The close box gives the window up like Close.
    event->ignore();
    DispatchFor(owner_, [this] { owner_.Close(); });
  }

 private:
  Window& owner_;
};

class ContentWidget : public QWidget {
 public:
  explicit ContentWidget(Window& owner, QWidget* parent) : QWidget(parent), owner_(owner) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    // Mapped and settled where the window manager put it.
    owner_.Peer().KeepTitleBarOnScreen();
    QPainter painter(this);
    const auto& p = owner_.Properties();
    std::optional<QColor> back;
    if (p.hasBackColor) back = ToQColor(p.backColor);
    if (!owner_.Class().FindEvent("Paint")) {
      if (back) painter.fillRect(rect(), *back);
      return;
    }
    Ref<Object> keep = owner_.shared_from_this();
    // No fill where the window's own painting covers it all.
    Ref<Graphics> g = GraphicsOnPainter(painter, width(), height(), back);
    DispatchPaint([&] { RaiseClassEvent(owner_, "Paint", {g}); });
    Detach(*g);
  }

  void mousePressEvent(QMouseEvent* event) override {
    QPoint at = event->position().toPoint();
    DispatchFor(owner_, [&] { RaiseClassEvent(owner_, "MouseDown", {at.x(), at.y()}); });
  }

 private:
  Window& owner_;
};

// A layout's size as the toolkit can take it.
int Extent(int32_t v) { return std::clamp(v, 0, QWIDGETSIZE_MAX); }

// The size the content will have: the toolkit holds a resizeable one within
// its limits.
int ContentExtent(const WindowProperties& p, int32_t size, int32_t least, int32_t most) {
  if (!p.resizeable) return Extent(size);
  return std::max(Extent(least), std::min(Extent(size), Extent(most)));
}

Qt::WindowFlags FlagsFor(const WindowProperties& p) {
  Qt::WindowFlags flags =
      Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint;
  if (p.closeButton) flags |= Qt::WindowCloseButtonHint;
  if (p.minimizeButton) flags |= Qt::WindowMinimizeButtonHint;
  if (p.maximizeButton && p.resizeable) flags |= Qt::WindowMaximizeButtonHint;
  return flags;
}

}  // namespace

Window* WindowOf(QWidget* widget) {
  QWidget* top = widget ? widget->window() : nullptr;
  if (!top) return nullptr;
  QVariant owner = top->property(kOwnerProperty);
  return owner.isValid() ? static_cast<Window*>(owner.value<void*>()) : nullptr;
}

WindowPeer::WindowPeer(Window& owner) : owner_(owner) {}

void WindowPeer::MakeWidgets() {
  if (made_) return;
  made_ = true;
  WatchClicks();
  frame_ = new FrameWidget(owner_);
  auto* layout = new QVBoxLayout(frame_);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  content_ = new ContentWidget(owner_, frame_);
  layout->addWidget(content_);
  Apply(owner_.Properties());
  owner_.WidgetsMade();
}

WindowPeer::~WindowPeer() {
  if (frame_) {
    frame_->hide();
    frame_->setProperty(kOwnerProperty, QVariant());
    frame_->deleteLater();
  }
}

void WindowPeer::Apply(const WindowProperties& p) {
  if (!made_) return;
  frame_->setWindowTitle(ToQt(p.title));
  if (p.resizeable) {
    content_->setMinimumSize(Extent(p.minWidth), Extent(p.minHeight));
    content_->setMaximumSize(Extent(p.maxWidth), Extent(p.maxHeight));
    content_->resize(Extent(p.width), Extent(p.height));
    frame_->layout()->setSizeConstraint(QLayout::SetDefaultConstraint);
  } else {
    content_->setFixedSize(Extent(p.width), Extent(p.height));
    frame_->layout()->setSizeConstraint(QLayout::SetFixedSize);
  }
  Qt::WindowFlags flags = FlagsFor(p);
  if (flags_ != flags) {
    frame_->setWindowFlags(flags);
    flags_ = flags;
  }
  wantsMenuBar_ = p.menuBarVisible;
  if (wantsMenuBar_ && !menuBar_) BuildMenuBar();
  if (menuBar_) menuBar_->setVisible(wantsMenuBar_);
  content_->update();
}

void WindowPeer::BuildMenuBar() {
  Ref<Application> app = GetAppObject();
  if (!app || !app->MenuBar()) return;
  menuBar_ = MakeMenuBar(*app->MenuBar(), frame_);
  static_cast<QVBoxLayout*>(frame_->layout())->setMenuBar(menuBar_);
}

void WindowPeer::ArrangeFocus(const std::vector<Ref<Control>>& controls) {
  std::vector<Control*> order;
  for (const auto& c : controls) order.push_back(c.get());
  std::stable_sort(order.begin(), order.end(), [](Control* a, Control* b) {
    return a->Common().tabIndex < b->Common().tabIndex;
  });
  // The content comes first in the focus chain: it holds the focus in a
  // window with nothing to type into, so that Space and Return press no
  // button until the user has put the focus on one with Tab.
  QWidget* previous = content_;
  typingFields_.clear();
  for (Control* c : order) {
    QWidget* w = c->Peer() ? c->Peer()->Widget() : nullptr;
    if (!w || w->focusPolicy() == Qt::NoFocus) continue;
    if (previous) QWidget::setTabOrder(previous, w);
    previous = w;
    if (c->Peer()->TakesTyping()) typingFields_.push_back(w);
  }
}

namespace {

bool HoldsNoText(QWidget* field) {
  if (auto* line = qobject_cast<QLineEdit*>(field)) return line->text().isEmpty();
  if (auto* area = qobject_cast<QPlainTextEdit*>(field)) return area->document()->isEmpty();
  return false;
}

}  // namespace

// Only a field still waiting for the user's typing takes the focus by
// itself: a stray key must not change a text or a number that the program
// has put in front of the user.
void WindowPeer::FocusFirstEmptyField() {
  for (const QPointer<QWidget>& field : typingFields_) {
    if (field && field->isEnabled() && HoldsNoText(field)) {
      field->setFocus(Qt::OtherFocusReason);
      return;
    }
  }
  content_->setFocus(Qt::OtherFocusReason);
}

int WindowPeer::ContentWidth() const {
  if (made_) return content_->width();
  const WindowProperties& p = owner_.Properties();
  return ContentExtent(p, p.width, p.minWidth, p.maxWidth);
}

int WindowPeer::ContentHeight() const {
  if (made_) return content_->height();
  const WindowProperties& p = owner_.Properties();
  return ContentExtent(p, p.height, p.minHeight, p.maxHeight);
}

void WindowPeer::Place(int placement) {
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  QRect area = screen->availableGeometry();
  Window* behind = WindowSystem::Behind(owner_);
  QWidget* caller = behind ? behind->Peer().Frame() : nullptr;
  if (caller && !caller->isVisible()) caller = nullptr;
  // The frame the window manager adds is not known before the window is
  // mapped; the caller's, if there is one, is the same.
  QSize decoration = caller ? caller->frameGeometry().size() - caller->size() : QSize();
  QSize size = frame_->sizeHint() + decoration;
  QPoint at = placement == 4 && caller ? PlaceBeside(area, caller->frameGeometry(), size,
                                                     ObstaclesOn(behind->Peer().Content()))
                                       : PlaceCentred(area, size);
  frame_->move(at);
}

void WindowPeer::KeepTitleBarOnScreen() {
  if (!checkTitleBar_ || !made_ || !frame_->isVisible()) return;
  checkTitleBar_ = false;
  QScreen* screen = frame_->screen();
  if (!screen) return;
  // The window manager's frame is known only once the window is mapped; a
  // window placed at the top of the work area before that may have its
  // title bar above it.
  QRect area = screen->availableGeometry();
  QRect frame = frame_->frameGeometry();
  if (frame.top() >= area.top() && frame.left() >= area.left()) return;
  frame_->move(std::max(frame.left(), area.left()), std::max(frame.top(), area.top()));
}

void WindowPeer::SetOnScreen(bool on) {
  if (!made_ && !on) return;
  MakeWidgets();
  if (on == frame_->isVisible()) return;
  if (!on) {
    frame_->hide();
    // A hidden window gives its pixel store back; the toolkit makes it anew,
    // and paints it all, before the window shows again. Later, so that no
    // paint that is under way loses its store.
    QTimer::singleShot(0, frame_, [frame = frame_] {
      if (frame && !frame->isVisible() && frame->backingStore())
        frame->backingStore()->resize(QSize(1, 1));
    });
    return;
  }
  if (!placed_) {
    Place(owner_.Properties().placement);
    placed_ = true;
    checkTitleBar_ = true;
  }
  frame_->show();
  FocusFirstEmptyField();
}

void WindowPeer::Raise(bool activate) {
  if (!made_ || !frame_->isVisible()) return;
  frame_->raise();
  if (activate) frame_->activateWindow();
}

}  // namespace fw::qt
