#include "framework/qt/handover.h"

#include <QAbstractButton>
#include <QApplication>
#include <QBackingStore>
#include <QMenuBar>
#include <QPointer>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <utility>
#include <vector>

#include "framework/qt/window_peer.h"
#include "framework/window/window_system.h"

namespace fw::qt {

namespace {

// Longest a frame waits for the one replacing it: one that never paints
// (minimized, or refused by the window manager) must not keep it there.
constexpr int kLongestWaitMs = 1000;

struct Leaver {
  QPointer<QWidget> frame;
  bool deleteAfter = false;
  QPointer<QObject> gate;
};

struct State {
  std::vector<Leaver> leaving;
  std::vector<QPointer<QWidget>> coming;
  QPointer<QTimer> deadline;
  bool settlePosted = false;
  bool keyboardAsked = false;
  // A frame came onto the screen since the frames last left: the keyboard
  // has somewhere to go.
  bool replaced = false;
};

State& S() {
  static State state;
  return state;
}

std::vector<Leaver>::iterator LeaverOf(const QWidget* frame) {
  return std::ranges::find(S().leaving, frame, [](const Leaver& l) { return l.frame.data(); });
}

// Input that reaches a frame on its way out: its window is gone or hidden
// for the program. The mouse's goes nowhere; keys go on, in the order typed,
// to the window that has the keyboard now, as they would once the window
// manager has moved the keyboard there.
class LeavingGate : public QObject {
 public:
  explicit LeavingGate(QWidget* frame) : QObject(frame) {}

  bool eventFilter(QObject*, QEvent* event) override {
    switch (event->type()) {
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
        if (QWidget* to = KeyboardTarget()) QCoreApplication::sendEvent(to, event);
        return true;
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::MouseMove:
      case QEvent::NonClientAreaMouseButtonPress:
      case QEvent::NonClientAreaMouseButtonRelease:
      case QEvent::NonClientAreaMouseButtonDblClick:
      case QEvent::Wheel:
      case QEvent::ContextMenu:
      case QEvent::DragEnter:
      case QEvent::DragMove:
      case QEvent::DragLeave:
      case QEvent::Drop:
      case QEvent::TabletPress:
      case QEvent::TabletMove:
      case QEvent::TabletRelease:
      case QEvent::TouchBegin:
      case QEvent::TouchUpdate:
      case QEvent::TouchEnd:
      case QEvent::TouchCancel:
        return true;
      default:
        return false;
    }
  }

 private:
  static QWidget* KeyboardTarget() {
    Window* window = WindowSystem::KeyboardWindow();
    QWidget* frame = window ? window->Peer().Frame() : nullptr;
    if (!frame || !frame->isVisible() || Leaving(frame)) return nullptr;
    return frame->focusWidget() ? frame->focusWidget() : frame;
  }
};

void EnableMenuBar(QWidget* frame, bool enabled) {
  if (auto* menuBar = frame->findChild<QMenuBar*>(QString(), Qt::FindDirectChildrenOnly)) {
    menuBar->setEnabled(enabled);
  }
}

// The toolkit hands a window's input to its widgets from the native window;
// the menu bar's shortcuts it looks up for the active one.
void CloseToInput(Leaver& leaver) {
  QWidget* frame = leaver.frame;
  if (QWindow* native = frame->windowHandle()) {
    leaver.gate = new LeavingGate(frame);
    native->installEventFilter(leaver.gate);
  }
  EnableMenuBar(frame, false);
  // A button held down as its window leaves is let go: its release goes
  // nowhere.
  for (auto* button : frame->findChildren<QAbstractButton*>()) button->setDown(false);
}

void OpenToInput(Leaver& leaver) {
  delete leaver.gate.data();
  if (QWidget* frame = leaver.frame) EnableMenuBar(frame, true);
}

void Go(Leaver& leaver) {
  QWidget* frame = leaver.frame;
  if (!frame) return;
  frame->hide();
  OpenToInput(leaver);
  frame->setUpdatesEnabled(true);
  if (leaver.deleteAfter) {
    frame->deleteLater();
    return;
  }
  // A hidden window gives its pixel store back; the toolkit makes it anew,
  // and paints it all, before the window shows again. Later, so that no
  // paint that is under way loses its store.
  QTimer::singleShot(0, frame, [frame = QPointer<QWidget>(frame)] {
    if (frame && !frame->isVisible() && frame->backingStore())
      frame->backingStore()->resize(QSize(1, 1));
  });
}

// A busy window manager may still drop the keyboard on the floor when the
// frame that had it goes; it is looked for twice more, briefly.
constexpr int kKeyboardLooksMs[] = {250, 750};

void LeaveAndReturnKeyboard() {
  bool any = !S().leaving.empty();
  S().keyboardAsked = false;
  S().replaced = false;
  LeaveAllNow();
  if (!any) return;
  WindowSystem::ReturnKeyboard();
  for (int ms : kKeyboardLooksMs) {
    QTimer::singleShot(ms, QCoreApplication::instance(), [] {
      if (!QApplication::activeWindow() && S().leaving.empty()) WindowSystem::ReturnKeyboard();
    });
  }
}

void SettleSoon();

void WaitAtMostALittle() {
  auto& s = S();
  if (!s.deadline) {
    s.deadline = new QTimer(QCoreApplication::instance());
    s.deadline->setSingleShot(true);
    QObject::connect(s.deadline, &QTimer::timeout, [] {
      S().coming.clear();
      LeaveAndReturnKeyboard();
    });
  }
  if (!s.deadline->isActive()) s.deadline->start(kLongestWaitMs);
}

// A frame that goes while it has the keyboard leaves the window manager to
// choose where it goes, often to none of ours: the keyboard moves first.
bool KeyboardInLeaving() {
  QWidget* active = QApplication::activeWindow();
  return active && Leaving(active);
}

void Settle() {
  auto& s = S();
  std::erase_if(s.coming, [](const QPointer<QWidget>& f) { return !f || !f->isVisible(); });
  if (s.leaving.empty()) return;
  if (!s.coming.empty()) {
    WaitAtMostALittle();
    return;
  }
  if (s.replaced && KeyboardInLeaving() && !s.keyboardAsked) {
    s.keyboardAsked = true;
    static QMetaObject::Connection watching =
        QObject::connect(qApp, &QGuiApplication::focusWindowChanged, qApp, [] { SettleSoon(); });
    WindowSystem::ReturnKeyboard();
    WaitAtMostALittle();
    return;
  }
  if (s.keyboardAsked && KeyboardInLeaving()) return;  // on its way, or the deadline comes
  LeaveAndReturnKeyboard();
}

// After the current event: the paint that ended the wait has then gone out
// to the display, ahead of the frames' going.
void SettleSoon() {
  auto& s = S();
  if (s.settlePosted || !QCoreApplication::instance()) return;
  s.settlePosted = true;
  QTimer::singleShot(0, QCoreApplication::instance(), [] {
    S().settlePosted = false;
    Settle();
  });
}

}  // namespace

void LeaveScreen(QWidget* frame, bool deleteAfter) {
  if (!frame) return;
  auto& s = S();
  std::erase(s.coming, frame);
  if (!frame->isVisible() || !QCoreApplication::instance()) {
    Leaver gone{frame, deleteAfter, nullptr};
    Go(gone);
    return;
  }
  if (auto at = LeaverOf(frame); at != s.leaving.end()) {
    at->deleteAfter = at->deleteAfter || deleteAfter;
    return;
  }
  // What the frame shows stays as it was, whatever happens to its widgets.
  frame->setUpdatesEnabled(false);
  s.leaving.push_back({frame, deleteAfter, nullptr});
  CloseToInput(s.leaving.back());
  SettleSoon();
}

bool Leaving(const QWidget* frame) { return frame && LeaverOf(frame) != S().leaving.end(); }

void StayOnScreen(QWidget* frame) {
  auto at = LeaverOf(frame);
  if (at == S().leaving.end() || at->deleteAfter) return;
  OpenToInput(*at);
  S().leaving.erase(at);
  frame->setUpdatesEnabled(true);
}

void ComingOnScreen(QWidget* frame) {
  auto& coming = S().coming;
  S().replaced = true;
  if (std::find(coming.begin(), coming.end(), frame) == coming.end()) coming.push_back(frame);
}

void Painted(QWidget* frame) {
  auto& s = S();
  auto at = std::find(s.coming.begin(), s.coming.end(), frame);
  if (at == s.coming.end()) return;
  s.coming.erase(at);
  if (s.leaving.empty()) s.replaced = false;
  if (s.coming.empty() && !s.leaving.empty()) SettleSoon();
}

void LeaveAllNow() {
  auto& s = S();
  std::vector<Leaver> leaving = std::exchange(s.leaving, {});
  if (s.deadline) s.deadline->stop();
  for (Leaver& l : leaving) Go(l);
}

}  // namespace fw::qt
