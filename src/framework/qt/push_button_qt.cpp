#include <QPushButton>

#include "framework/controls/push_button.h"
#include "framework/qt/click_filter.h"
#include "framework/qt/control_peer.h"
#include "framework/qt/qt_text.h"
#include "framework/qt/window_peer.h"

namespace fw {

std::unique_ptr<qt::ControlPeer> PushButton::MakePeer(qt::WindowPeer& window) {
  auto* button = new QPushButton(window.Content());
  qt::ActOnSingleClicksOnly(button);
  auto peer = std::make_unique<qt::ControlPeer>(*this, button);
  QObject::connect(button, &QPushButton::clicked, [p = peer.get()] { p->Raise("Action"); });
  return peer;
}

void PushButton::SyncPeer() {
  auto* button = static_cast<QPushButton*>(Peer()->Widget());
  Peer()->ApplyCommon(common_);
  button->setText(qt::Caption(own_.caption));
  // Return presses a default button only when the layout makes it one.
  button->setAutoDefault(false);
  button->setDefault(own_.isDefault);
}

}  // namespace fw
