#include <QKeyEvent>
#include <QPushButton>

#include "framework/controls/push_button.h"
#include "framework/qt/click_filter.h"
#include "framework/qt/control_peer.h"
#include "framework/qt/focus_frame.h"
#include "framework/qt/qt_text.h"
#include "framework/qt/window_peer.h"

namespace fw {

namespace {

class PushButtonPeer : public qt::ControlPeer {
 public:
  using ControlPeer::ControlPeer;

  bool eventFilter(QObject* target, QEvent* event) override {
    // The windows tell their users to press Return: on a focused button it
    // does what Space does. A held key presses once.
    if (event->type() == QEvent::KeyPress) {
      auto* key = static_cast<QKeyEvent*>(event);
      bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
      Qt::KeyboardModifiers others = key->modifiers() & ~Qt::KeypadModifier;
      if (enter && others == Qt::NoModifier) {
        auto* button = static_cast<QPushButton*>(Widget());
        if (!key->isAutoRepeat() && button->isEnabled()) button->click();
        return true;
      }
    }
    return ControlPeer::eventFilter(target, event);
  }
};

}  // namespace

std::unique_ptr<ControlPeer> PeerFor(Window& window, Control& owner,
                                     const PushButtonProperties& own) {
  auto* button = new qt::WithoutOwnFocusMark<QPushButton>(window.Peer().Content());
  qt::ActOnSingleClicksOnly(button);
  auto peer = std::make_unique<PushButtonPeer>(owner, button);
  QObject::connect(button, &QPushButton::clicked, peer.get(),
                   [p = peer.get()] { p->Raise(Action); });
  peer->showOwn = [button, &own] {
    button->setText(qt::Caption(own.caption));
    // Return presses the focused button (above); the look of a default
    // button only where the layout makes it one.
    button->setAutoDefault(false);
    button->setDefault(own.isDefault);
  };
  return peer;
}

}  // namespace fw
