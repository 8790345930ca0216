#include <QCheckBox>

#include "framework/controls/check_box.h"
#include "framework/qt/click_filter.h"
#include "framework/qt/control_peer.h"
#include "framework/qt/focus_frame.h"
#include "framework/qt/qt_text.h"
#include "framework/qt/window_peer.h"

namespace fw {

std::unique_ptr<qt::ControlPeer> CheckBox::MakePeer(qt::WindowPeer& window) {
  auto* box = new qt::WholeAreaButton<qt::WithoutOwnFocusMark<QCheckBox>>(window.Content());
  qt::ActOnSingleClicksOnly(box);
  auto peer = std::make_unique<qt::ControlPeer>(*this, box);
  QObject::connect(box, &QCheckBox::clicked, [this, p = peer.get()](bool ticked) {
    own_.value = ticked;
    own_.state = ticked ? 1 : 0;
    p->Raise(Action);
  });
  return peer;
}

void CheckBox::SyncPeer() {
  auto* box = static_cast<QCheckBox*>(Peer()->Widget());
  Peer()->ApplyCommon(common_);
  box->setText(qt::Caption(own_.caption));
  box->setTristate(own_.state == 2);
  box->setCheckState(own_.state == 2 ? Qt::PartiallyChecked
                     : own_.value || own_.state == 1 ? Qt::Checked
                                                     : Qt::Unchecked);
}

bool CheckBox::Value() const {
  return Peer() ? static_cast<QCheckBox*>(Peer()->Widget())->isChecked() : own_.value;
}

void CheckBox::Value(bool ticked) {
  own_.value = ticked;
  own_.state = ticked ? 1 : 0;
  PropertiesChanged();
}

}  // namespace fw
