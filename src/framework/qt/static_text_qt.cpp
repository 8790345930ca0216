#include <QLabel>

#include "framework/controls/static_text.h"
#include "framework/qt/control_peer.h"
#include "framework/qt/qt_text.h"
#include "framework/qt/window_peer.h"

namespace fw {

std::unique_ptr<qt::ControlPeer> StaticText::MakePeer(qt::WindowPeer& window) {
  auto* label = new QLabel(window.Content());
  label->setTextFormat(Qt::PlainText);
  label->setFocusPolicy(Qt::NoFocus);
  label->setAttribute(Qt::WA_TranslucentBackground);
  return std::make_unique<qt::ControlPeer>(*this, label);
}

void StaticText::SyncPeer() {
  auto* label = static_cast<QLabel*>(Peer()->Widget());
  Peer()->ApplyCommon(common_);
  label->setText(qt::ToQt(own_.text));
  label->setWordWrap(own_.multiline);
  Qt::Alignment horizontal = own_.textAlign == 1   ? Qt::AlignHCenter
                             : own_.textAlign == 2 ? Qt::AlignRight
                                                   : Qt::AlignLeft;
  label->setAlignment(horizontal | Qt::AlignTop);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, qt::ToQColor(common_.textColor));
  label->setPalette(palette);
}

}  // namespace fw
