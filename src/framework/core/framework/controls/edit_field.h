#pragma once

#include "framework/controls/control.h"

namespace fw {

struct EditFieldProperties {
  bool border = true;
  bool multiline = false;
  bool scrollbarHorizontal = false;
  bool scrollbarVertical = false;
  bool styled = false;
  bool password = false;
  bool useFocusRing = true;
  Color backColor{255, 255, 255};
  std::string format;
  std::string text;
  std::string mask;
  bool readOnly = false;
  int32_t limitText = 0;
  bool acceptTabs = false;
  int32_t alignment = 0;
};

std::unique_ptr<ControlPeer> PeerFor(Window&, Control& owner, const EditFieldProperties& own);

// A text field, single-line or multi-line. KeyDown runs before the field
// takes a key (True keeps it out), KeyUp after the text has changed.
class EditField : public Control {
 public:
  static constexpr const char* kTypeName = "EditField";
  static const ClassRecord& Lookup();

  std::string Text() const;
  void Text(std::string text);

 protected:
  const ClassRecord& NativeClass() const override { return Lookup(); }
  std::unique_ptr<ControlPeer> MakePeer(fw::Window& window) override;
  void SyncPeer() override;

 private:
  EditFieldProperties own_;
  std::string shownText_;  // what the layout last put into the field
  bool peerMultiline_ = false;
};

}  // namespace fw
