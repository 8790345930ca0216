#include <QCheckBox>

#include "framework/controls/check_box.h"
#include "framework/qt/click_filter.h"
#include "framework/qt/control_peer.h"
#include "framework/qt/focus_frame.h"
#include "framework/qt/qt_text.h"
#include "framework/qt/window_peer.h"

namespace fw {

std::unique_ptr<ControlPeer> PeerFor(Window& window, Control& owner, CheckBoxProperties& own) {
  auto* box = new qt::WholeAreaButton<qt::WithoutOwnFocusMark<QCheckBox>>(window.Peer().Content());
  qt::ActOnSingleClicksOnly(box);
  auto peer = std::make_unique<qt::ControlPeer>(owner, box);
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

}  // namespace fw
