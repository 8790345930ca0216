#include "framework/controls/edit_field.h"

namespace fw {

const ClassRecord& EditField::Lookup() {
  static const ClassRecord record = [] {
    using P = ControlProperties;
    using S = EditFieldProperties;
    auto own = Own<&EditField::own_>();
    return ControlRecord<EditField>(
        {Common("TabStop", &P::tabStop), own("Border", &S::border), own("Multiline", &S::multiline),
         own("ScrollbarHorizontal", &S::scrollbarHorizontal),
         own("ScrollbarVertical", &S::scrollbarVertical), own("Styled", &S::styled),
         own("Password", &S::password), own("UseFocusRing", &S::useFocusRing),
         Common("TextColor", &P::textColor), own("BackColor", &S::backColor),
         own("Format", &S::format), own("Text", &S::text), own("Mask", &S::mask),
         own("ReadOnly", &S::readOnly), own("LimitText", &S::limitText),
         own("AcceptTabs", &S::acceptTabs), own("Alignment", &S::alignment),
         Common("DataSource", &P::dataSource), Common("DataField", &P::dataField)},
        {KeyDown, KeyUp, TextChange});
  }();
  return record;
}

std::unique_ptr<ControlPeer> EditField::MakePeer(fw::Window& window) {
  peerMultiline_ = own_.multiline;
  shownText_.clear();
  return PeerFor(window, *this, own_);
}

void EditField::SyncPeer() {
  if (own_.multiline != peerMultiline_) {
    std::string kept = Text();
    RebuildPeer();
    own_.text = kept;
  }
  Peer()->Sync();
  if (own_.text != shownText_) Text(own_.text);
}

std::string EditField::Text() const { return Peer() ? Peer()->Text() : own_.text; }

void EditField::Text(std::string text) {
  own_.text = std::move(text);
  shownText_ = own_.text;
  if (Peer()) Peer()->SetText(own_.text);
}

}  // namespace fw
