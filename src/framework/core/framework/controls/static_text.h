#pragma once

#include "framework/controls/control.h"

namespace fw {

struct StaticTextProperties {
  std::string text;
  int32_t textAlign = 0;  // 0 left, 1 centred, 2 right
  bool multiline = false;
};

std::unique_ptr<ControlPeer> PeerFor(Window&, Control& owner, const StaticTextProperties& own);

// A label. It is transparent: the window's background shows through.
class StaticText : public Control {
 public:
  static constexpr const char* kTypeName = "StaticText";
  static const ClassRecord& Lookup();

  const std::string& Text() const { return own_.text; }
  void Text(std::string text);

 protected:
  const ClassRecord& NativeClass() const override { return Lookup(); }
  std::unique_ptr<ControlPeer> MakePeer(fw::Window& w) override { return PeerFor(w, *this, own_); }

 private:
  StaticTextProperties own_;
};

}  // namespace fw
