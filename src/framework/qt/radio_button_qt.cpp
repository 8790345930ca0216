#include <QRadioButton>

#include "framework/controls/radio_button.h"
#include "framework/qt/click_filter.h"
#include "framework/qt/control_peer.h"
#include "framework/qt/focus_frame.h"
#include "framework/qt/qt_text.h"
#include "framework/qt/window_peer.h"
#include "framework/window/window.h"

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

std::unique_ptr<qt::ControlPeer> RadioButton::MakePeer(qt::WindowPeer& window) {
  auto* button = new RadioWidget(window.Content());
  qt::ActOnSingleClicksOnly(button);
  auto peer = std::make_unique<qt::ControlPeer>(*this, button);
  QObject::connect(button, &QRadioButton::toggled, [this](bool on) { own_.value = on; });
  QObject::connect(button, &QRadioButton::clicked, [p = peer.get()] { p->Raise(Action); });
  return peer;
}

void RadioButton::SyncPeer() {
  auto* button = static_cast<QRadioButton*>(Peer()->Widget());
  Peer()->ApplyCommon(common_);
  button->setText(qt::Caption(own_.caption));
  if (own_.value != button->isChecked()) button->setChecked(own_.value);
}

// The screen knows best: selecting one button clears its neighbours.
bool RadioButton::Value() const {
  return Peer() ? static_cast<QRadioButton*>(Peer()->Widget())->isChecked() : own_.value;
}

void RadioButton::Value(bool selected) {
  own_.value = selected;
  // Without widgets yet, the neighbours are cleared here as the screen would.
  if (selected && !Peer()) {
    if (Ref<fw::Window> window = Window()) {
      for (const Ref<Control>& c : window->Controls()) {
        if (auto* other = dynamic_cast<RadioButton*>(c.get()); other && other != this)
          other->own_.value = false;
      }
    }
  }
  PropertiesChanged();
}

}  // namespace fw
