#include <QRadioButton>

#include "framework/controls/radio_button.h"
#include "framework/qt/click_filter.h"
#include "framework/qt/control_peer.h"
#include "framework/qt/focus_frame.h"
#include "framework/qt/qt_text.h"
#include "framework/qt/window_peer.h"

namespace fw {

namespace {

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

std::unique_ptr<ControlPeer> PeerFor(Window& window, Control& owner, RadioButtonProperties& own) {
  auto* button = new RadioWidget(window.Peer().Content());
  qt::ActOnSingleClicksOnly(button);
  auto peer = std::make_unique<qt::ControlPeer>(owner, button);
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
