#include <QLabel>

#include "framework/controls/static_text.h"
#include "framework/qt/control_peer.h"
#include "framework/qt/qt_text.h"
#include "framework/qt/window_peer.h"

namespace fw {

std::unique_ptr<ControlPeer> PeerFor(Window& window, Control& owner,
                                     const StaticTextProperties& own) {
  auto* label = new QLabel(window.Peer().Content());
  label->setTextFormat(Qt::PlainText);
  label->setFocusPolicy(Qt::NoFocus);
  label->setAttribute(Qt::WA_TranslucentBackground);
  auto peer = std::make_unique<qt::ControlPeer>(owner, label);
  peer->showOwn = [label, &own, &common = owner.Common()] {
    label->setText(qt::ToQt(own.text));
    label->setWordWrap(own.multiline);
    Qt::Alignment horizontal = own.textAlign == 1   ? Qt::AlignHCenter
                               : own.textAlign == 2 ? Qt::AlignRight
                                                    : Qt::AlignLeft;
    label->setAlignment(horizontal | Qt::AlignTop);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, qt::ToQColor(common.textColor));
    label->setPalette(palette);
  };
  return peer;
}

}  // namespace fw
