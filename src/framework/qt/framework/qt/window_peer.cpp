#include "framework/qt/window_peer.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScreen>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>
#include <utility>

#include "framework/application/application.h"
#include "framework/application/dispatch.h"
#include "framework/controls/control.h"
#include "framework/menu/menu_item.h"
#include "framework/qt/control_peer.h"
#include "framework/qt/handover.h"
#include "framework/qt/menu_bar_qt.h"
#include "framework/qt/painting.h"
#include "framework/qt/placement.h"
#include "framework/qt/qt_text.h"
#include "framework/window/toolkit.h"
#include "framework/window/window_system.h"

namespace fw::qt {

namespace {

const char* const kOwnerProperty = "fwWindow";

// How long the title bar is followed after a window first comes onto the
// screen: until the window manager's frame has been known this long, or,
// where none comes (no window manager), this long at most.
constexpr qint64 kFramedSettleMs = 500;
constexpr qint64 kLongestFollowMs = 10000;
constexpr int kFollowTickMs = 100;

// A window opened beside another that becomes the active one this soon
// after it was first painted on the screen, before the user pressed a
// button in it, was activated by the window manager, not by the user.
constexpr qint64 kActivatedByItselfMs = 1000;

// The frame the window manager put around our last framed window: the next
// window will have the same.
QMargins lastFrameMargins;

// Runs a window's handler with the window kept alive until it returns.
void DispatchFor(Window& window, const std::function<void()>& work) {
  Ref<Object> keep = window.shared_from_this();
  Dispatch(work);
}

class FrameWidget : public QWidget {
 public:
  explicit FrameWidget(Window& owner) : owner_(owner) {
    setProperty(kOwnerProperty, QVariant::fromValue(static_cast<void*>(&owner)));
  }

 protected:
  void closeEvent(QCloseEvent* event) override {
    // The close box gives the window up like Close.
    event->ignore();
    if (WindowOf(this)) DispatchFor(owner_, [this] { owner_.Close(); });
  }

  void changeEvent(QEvent* event) override {
    QWidget::changeEvent(event);
    // A frame still on the screen after its window is gone has no owner.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && WindowOf(this)) {
      owner_.Peer().ActivatedOnScreen();
    }
  }

  // Presses on the menu bar.
  bool eventFilter(QObject* target, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonPress && WindowOf(this)) owner_.Peer().PressedInto();
    return QWidget::eventFilter(target, event);
  }

 private:
  Window& owner_;
};

class ContentWidget : public QWidget {
 public:
  explicit ContentWidget(Window& owner, QWidget* parent) : QWidget(parent), owner_(owner) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    if (!WindowOf(this)) return;
    Paint();
    Painted(window());
    owner_.Peer().PaintedOnScreen();
  }

  void mousePressEvent(QMouseEvent* event) override {
    if (!WindowOf(this)) return;
    if (event->button() == Qt::LeftButton && owner_.Peer().GuardsPlace(*event)) return;
    owner_.Peer().PressedInto();
    QPoint at = owner_.Peer().ScaleShown().FromScreen(event->position().toPoint());
    DispatchFor(owner_, [&] { RaiseClassEvent(owner_, MouseDown, at.x(), at.y()); });
  }

 private:
  void Paint() {
    QPainter painter(this);
    const auto& p = owner_.Properties();
    std::optional<QColor> back;
    if (p.hasBackColor) back = ToQColor(p.backColor);
    if (!owner_.Class().FindEvent(fw::Paint)) {
      if (back) painter.fillRect(rect(), *back);
      return;
    }
    Ref<Object> keep = owner_.shared_from_this();
    // A window shown smaller paints its layout's picture onto its box.
    QSize laidOut(owner_.Peer().ContentWidth(), owner_.Peer().ContentHeight());
    if (!owner_.Peer().ScaleShown().None()) {
      PaintInLayout(painter, size(), laidOut);
      painter.setRenderHint(QPainter::SmoothPixmapTransform);
    }
    // No fill where the window's own painting covers it all.
    Ref<Graphics> g = GraphicsOnPainter(painter, laidOut.width(), laidOut.height(), back);
    DispatchPaint([&] { RaiseClassEvent(owner_, fw::Paint, *g); });
    Detach(*g);
  }

  Window& owner_;
};

// A layout's size as the toolkit can take it.
int Extent(int32_t v) { return std::clamp(v, 0, QWIDGETSIZE_MAX); }

// The size the content will have: the toolkit holds a resizeable one within
// its limits.
QSize ContentSize(const WindowProperties& p) {
  QSize size(Extent(p.width), Extent(p.height));
  if (!p.resizeable) return size;
  return size.boundedTo({Extent(p.maxWidth), Extent(p.maxHeight)})
      .expandedTo({Extent(p.minWidth), Extent(p.minHeight)});
}

Qt::WindowFlags FlagsFor(const WindowProperties& p) {
  Qt::WindowFlags flags =
      Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint;
  if (p.closeButton) flags |= Qt::WindowCloseButtonHint;
  if (p.minimizeButton) flags |= Qt::WindowMinimizeButtonHint;
  if (p.maximizeButton && p.resizeable) flags |= Qt::WindowMaximizeButtonHint;
  return flags;
}

bool HoldsNoText(QWidget* field) {
  if (auto* line = qobject_cast<QLineEdit*>(field)) return line->text().isEmpty();
  if (auto* area = qobject_cast<QPlainTextEdit*>(field)) return area->document()->isEmpty();
  return false;
}

}  // namespace

Window* WindowOf(const QWidget* widget) {
  if (!widget) return nullptr;
  return static_cast<Window*>(widget->window()->property(kOwnerProperty).value<void*>());
}

Scale ScaleOf(const QWidget* widget) {
  Window* window = WindowOf(widget);
  return window ? window->Peer().ScaleShown() : Scale();
}

WindowPeer::WindowPeer(Window& owner) : owner_(owner) {}

void WindowPeer::MakeWidgets() {
  if (made_) return;
  made_ = true;
  frame_ = new FrameWidget(owner_);
  // A window opened beside another leaves the keyboard in that one; a
  // click into it makes it the active window as usual.
  if (owner_.Properties().placement == 4) frame_->setAttribute(Qt::WA_ShowWithoutActivating);
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
    if (follow_) follow_->stop();
    frame_->setProperty(kOwnerProperty, QVariant());
    LeaveScreen(frame_, true);
  }
}

void WindowPeer::Apply(const WindowProperties& p) {
  if (!made_) return;
  frame_->setWindowTitle(ToQt(p.title));
  Qt::WindowFlags flags = FlagsFor(p);
  if (flags_ != flags) {
    frame_->setWindowFlags(flags);
    flags_ = flags;
  }
  if (p.menuBarVisible && !menuBar_) BuildMenuBar();
  if (menuBar_) menuBar_->setVisible(p.menuBarVisible);
  if (!scaleChosen_) ChooseScale(p);
  auto extent = [this](int32_t v) { return scale_.ToScreen(Extent(v)); };
  if (p.resizeable) {
    content_->setMinimumSize(extent(p.minWidth), extent(p.minHeight));
    content_->setMaximumSize(extent(p.maxWidth), extent(p.maxHeight));
    content_->resize(extent(p.width), extent(p.height));
    frame_->layout()->setSizeConstraint(QLayout::SetDefaultConstraint);
  } else {
    content_->setFixedSize(extent(p.width), extent(p.height));
    frame_->layout()->setSizeConstraint(QLayout::SetFixedSize);
  }
  content_->update();
}

// Chosen before the controls are made, and kept for the window's life: a
// window does not change its size under the user's eyes. Only a window
// that came up before the window manager's frame was known is scaled
// again, once, as soon as the frame is known, so that it fits the work
// area and the program's windows share one scale.
void WindowPeer::ChooseScale(const WindowProperties& p) {
  scaleChosen_ = true;
  scaleAssumesFrame_ = lastFrameMargins.isNull();
  // Before the window manager has framed a window of ours, a title bar and
  // a thin border are assumed.
  scale_ = FittingFor(p, scaleAssumesFrame_ ? QMargins(4, 28, 4, 4) : lastFrameMargins);
}

Scale WindowPeer::FittingFor(const WindowProperties& p, QMargins frame) const {
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return Scale();
  if (p.menuBarVisible && menuBar_) frame.setTop(frame.top() + menuBar_->sizeHint().height());
  return FittingScale(ContentSize(p), frame, WorkArea(*screen), screen->devicePixelRatio());
}

void WindowPeer::ScaleForFrame(QMargins frame) {
  scaleAssumesFrame_ = false;
  Scale fitting = FittingFor(owner_.Properties(), frame);
  if (fitting.Factor() == scale_.Factor()) return;
  scale_ = fitting;
  Apply(owner_.Properties());
  for (const Ref<Control>& control : owner_.Controls()) control->PropertiesChanged();
}

void WindowPeer::BuildMenuBar() {
  Ref<Application> app = GetAppObject();
  if (!app || !app->MenuBar()) return;
  menuBar_ = MakeMenuBar(*app->MenuBar(), frame_);
  menuBar_->installEventFilter(frame_);
  static_cast<QVBoxLayout*>(frame_->layout())->setMenuBar(menuBar_);
}

void WindowPeer::ArrangeFocus(const std::vector<Ref<Control>>& controls) {
  std::vector<Ref<Control>> order = controls;
  std::ranges::stable_sort(order, {}, [](const Ref<Control>& c) { return c->Common().tabIndex; });
  // The content comes first in the focus chain: it holds the focus in a
  // window with nothing to type into, so that Space and Return press no
  // button until the user has put the focus on one with Tab.
  QWidget* previous = content_;
  typingFields_.clear();
  for (const Ref<Control>& c : order) {
    QWidget* w = WidgetOf(*c);
    if (!w || w->focusPolicy() == Qt::NoFocus) continue;
    if (previous) QWidget::setTabOrder(previous, w);
    previous = w;
    if (qobject_cast<QLineEdit*>(w) || qobject_cast<QPlainTextEdit*>(w)) typingFields_.push_back(w);
  }
}

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

// As desktop programs do, a window shown again gives the focus back to the
// field the user left it in; a button only ever gets it from the user.
void WindowPeer::GiveFocus() {
  QPointer<QWidget> field = std::exchange(focusWhenHidden_, nullptr);
  if (field && field->isEnabled() && field->isVisibleTo(frame_) && TypesText(field)) {
    field->setFocus(Qt::OtherFocusReason);
    return;
  }
  FocusFirstEmptyField();
}

bool WindowPeer::TypesText(const QWidget* widget) const {
  return widget && std::ranges::find(typingFields_, widget) != typingFields_.end();
}

// A window shown smaller still has the size its layout gave it, unless the
// user has resized it since.
int WindowPeer::ContentWidth() const {
  int laidOut = ContentSize(owner_.Properties()).width();
  return made_ ? scale_.FromScreen(content_->width(), laidOut) : laidOut;
}

int WindowPeer::ContentHeight() const {
  int laidOut = ContentSize(owner_.Properties()).height();
  return made_ ? scale_.FromScreen(content_->height(), laidOut) : laidOut;
}

void WindowPeer::Place() {
  Window* behind = owner_.Properties().placement == 4 ? WindowSystem::Behind(owner_) : nullptr;
  QWidget* caller = behind ? behind->Peer().Frame() : nullptr;
  placedBeside_ = caller && caller->isVisible() ? caller : nullptr;
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  QRect area = WorkArea(*screen);
  // The frame the window manager adds is not known before the window is
  // mapped, and until then the toolkit places the window's own box: it is
  // placed by the frame our last window had.
  QMargins m = lastFrameMargins;
  QPoint boxInFrame(m.left(), m.top());
  QSize size = frame_->sizeHint();
  if (placedBeside_) {
    frame_->move(BesideCaller(size.grownBy(m)) + boxInFrame);
    return;
  }
  // The program's windows replace each other at one place: the window's
  // own box is centred, and its frame kept on the work area.
  QPoint box = PlaceCentred(area, size);
  frame_->move(KeepWithin(area, QRect(box - boxInFrame, size.grownBy(m))) + boxInFrame);
}

// Its place is followed for a while: the window manager may put it
// elsewhere than asked.
void WindowPeer::FollowPlace() {
  followingFor_.start();
  framedSince_ = -1;
  if (!follow_) {
    follow_ = new QTimer(frame_);
    QObject::connect(follow_, &QTimer::timeout, frame_, [this] { KeepPlaced(); });
  }
  follow_->start(kFollowTickMs);
}

// Called up again, from whichever window is now behind it, the window goes
// where it would go as a new one: never over what the user works with on
// that window. Its frame is known by then. A window manager that activates
// the window it raises takes the keyboard from the caller, which gets it
// back as from a new window.
void WindowPeer::PlaceBesideCallerAgain() {
  shownFor_.start();
  Window* behind = WindowSystem::Behind(owner_);
  QWidget* caller = behind ? behind->Peer().Frame() : nullptr;
  if (!caller || !caller->isVisible() || Leaving(caller)) return;
  placedBeside_ = caller;
  frame_->move(BesideCaller(frame_->frameGeometry().size()));
  FollowPlace();
}

QPoint WindowPeer::BesideCaller(QSize frameSize) {
  QRect area = frame_->screen() ? WorkArea(*frame_->screen()) : QRect();
  Window* caller = WindowOf(placedBeside_);
  QRect callerFrame = placedBeside_->frameGeometry();
  BesidePlaces places = PlaceBeside(area, callerFrame, frameSize,
                                    ObstaclesOn(caller ? caller->Peer().Content() : nullptr));
  if (places.caller != callerFrame.topLeft()) placedBeside_->move(places.caller);
  return places.window;
}

void WindowPeer::KeepPlaced() {
  if (!frame_->isVisible()) return;
  QWindow* native = frame_->windowHandle();
  QScreen* screen = frame_->screen();
  if (!native || !screen) return;
  // The window manager's frame comes some time after the window is mapped,
  // and the window manager may put the window elsewhere than asked, or move
  // it more than once, before it settles: looking once, too early, sees
  // only the window's own box, and a place seen only in passing is no
  // place to correct.
  QRect area = WorkArea(*screen);
  QRect frame = native->frameGeometry();
  bool framed = frame != native->geometry();
  bool settled = frame == lastSeen_;
  lastSeen_ = frame;
  qint64 elapsed = followingFor_.elapsed();
  if (framed && framedSince_ < 0) framedSince_ = elapsed;
  if (framed) lastFrameMargins = native->frameMargins();
  if (framed && scaleAssumesFrame_) ScaleForFrame(lastFrameMargins);
  // A window manager that refuses the move is not asked for ever.
  if (elapsed >= kLongestFollowMs) follow_->stop();
  if (!settled) return;
  // With its frame known, a window beside another goes where it was meant
  // to; any other comes whole onto the work area, or with its title bar
  // where it is larger.
  QPoint target = placedBeside_ && placedBeside_->isVisible() && framed ? BesideCaller(frame.size())
                                                                        : KeepWithin(area, frame);
  if (target != frame.topLeft()) {
    frame_->move(target);
    return;
  }
  if (framedSince_ >= 0 && elapsed - framedSince_ >= kFramedSettleMs) follow_->stop();
}

void WindowPeer::ActivatedOnScreen() {
  // Some window managers give a new window the keyboard whatever it asks,
  // and some more than once (xfwm4 with its compositor): a window opened
  // beside another hands it back to the caller each time.
  if (owner_.OpensBeside() && shownFor_.isValid() && shownFor_.elapsed() <= kActivatedByItselfMs) {
    WindowSystem::ReturnKeyboard();
  }
}

void WindowPeer::PaintedOnScreen() {
  // A busy window manager activates the window only once it is mapped and
  // painted, which may be long after it was asked to show it.
  if (!std::exchange(firstPaintSeen_, true) && shownFor_.isValid()) shownFor_.start();
}

void WindowPeer::PressedInto() {
  // A click makes it the active window as usual, also where the window
  // manager's activation came first and was handed back.
  if (owner_.OpensBeside() && shownFor_.isValid()) {
    shownFor_.invalidate();
    TakeKeyboard(false);
  }
  if (WindowSystem::Front() != &owner_) {
    DispatchFor(owner_, [this] { WindowSystem::NativeActivated(owner_); });
  }
}

bool WindowPeer::GuardsPlace(const QMouseEvent& press) const {
  return WindowSystem::Front() == &owner_ && Follows(press, guardedPlace_, kSlowSecondClickMs);
}

bool WindowPeer::OnScreen() const { return made_ && frame_->isVisible() && !Leaving(frame_); }

void WindowPeer::SetOnScreen(bool on) {
  if (!made_ && !on) return;
  MakeWidgets();
  bool placeAgain = std::exchange(placeAgain_, false) && on && follow_;
  if (on == OnScreen()) {
    if (placeAgain) PlaceBesideCallerAgain();
    return;
  }
  if (!on) {
    if (follow_) follow_->stop();
    QWidget* focused = frame_->focusWidget();
    focusWhenHidden_ = TypesText(focused) ? focused : nullptr;
    LeaveScreen(frame_, false);
    return;
  }
  if (Leaving(frame_)) {
    // Hidden and shown again before it had gone: the focus never left.
    StayOnScreen(frame_);
    focusWhenHidden_ = nullptr;
    if (placeAgain) PlaceBesideCallerAgain();
    return;
  }
  // A window is placed as it first comes onto the screen, and again only
  // where the program calls it up beside another.
  bool first = !follow_;
  if (first) Place();
  if (placeAgain) PlaceBesideCallerAgain();
  shownFor_.start();
  firstPaintSeen_ = false;
  frame_->show();
  ComingOnScreen(frame_);
  if (first) FollowPlace();
  GiveFocus();
}

void WindowPeer::Raise() {
  if (OnScreen()) frame_->raise();
}

std::unique_ptr<fw::WindowPeer> MakeWindowPeer(Window& owner) {
  return std::make_unique<WindowPeer>(owner);
}

void WindowPeer::TakeKeyboard(bool evenWhereItIs) {
  if (OnScreen() && (evenWhereItIs || !frame_->isActiveWindow())) frame_->activateWindow();
}

}  // namespace fw::qt

namespace fw {

qt::WindowPeer& Window::Peer() const { return static_cast<qt::WindowPeer&>(*peer_); }

}  // namespace fw
