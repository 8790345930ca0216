#include <QCheckBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>

#include "framework/controls/check_box.h"
#include "framework/controls/push_button.h"
#include "framework/controls/radio_button.h"
#include "framework/qt/click_guard.h"
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

// Once selected, a radio button stays selected when it is clicked again,
// and the click still counts.
class RadioWidget : public qt::WholeAreaButton<qt::WithoutOwnFocusMark<QRadioButton>> {
 public:
  using WholeAreaButton::WholeAreaButton;

 protected:
  void nextCheckState() override {
    if (!isChecked()) setChecked(true);
  }
};

}  // namespace

std::unique_ptr<ControlPeer> PeerFor(Window& window, Control& owner,
                                     const PushButtonProperties& own) {
  auto* button = new qt::WithoutOwnFocusMark<QPushButton>(window.Peer().Content());
  auto peer = std::make_unique<PushButtonPeer>(owner, button);
  peer->ActOnSingleClicksOnly();
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

std::unique_ptr<ControlPeer> PeerFor(Window& window, Control& owner, CheckBoxProperties& own) {
  auto* box = new qt::WholeAreaButton<qt::WithoutOwnFocusMark<QCheckBox>>(window.Peer().Content());
  auto peer = std::make_unique<qt::ControlPeer>(owner, box);
  peer->ActOnSingleClicksOnly();
  QObject::connect(box, &QCheckBox::clicked, peer.get(), [&own, p = peer.get()](bool ticked) {
    own.value = ticked;
    own.state = ticked ? 1 : 0;
    p->Raise(Action);
  });
  peer->showOwn = [box, &own] {
    box->setText(qt::Caption(own.caption));
    box->setTristate(own.state == 2);
    box->setCheckState(own.state == 2                ? Qt::PartiallyChecked
                       : own.value || own.state == 1 ? Qt::Checked
                                                     : Qt::Unchecked);
  };
  return peer;
}

std::unique_ptr<ControlPeer> PeerFor(Window& window, Control& owner, RadioButtonProperties& own) {
  auto* button = new RadioWidget(window.Peer().Content());
  auto peer = std::make_unique<qt::ControlPeer>(owner, button);
  peer->ActOnSingleClicksOnly();
  QObject::connect(button, &QRadioButton::toggled, peer.get(), [&own](bool on) { own.value = on; });
  QObject::connect(button, &QRadioButton::clicked, peer.get(),
                   [p = peer.get()] { p->Raise(Action); });
  peer->showOwn = [button, &own] {
    button->setText(qt::Caption(own.caption));
    if (own.value != button->isChecked()) button->setChecked(own.value);
  };
  return peer;
}

}  // namespace fw
