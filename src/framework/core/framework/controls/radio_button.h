#pragma once

#include "framework/controls/control.h"

namespace fw {

struct RadioButtonProperties {
  std::string caption;
  bool value = false;
};

std::unique_ptr<ControlPeer> PeerFor(Window&, Control& owner, RadioButtonProperties& own);

// Radio buttons on one window exclude each other.
class RadioButton : public Control {
 public:
  static constexpr const char* kTypeName = "RadioButton";
  static const ClassRecord& Lookup();

  const std::string& Caption() const { return own_.caption; }
  bool Value() const;  // true while selected
  void Value(bool selected);

 protected:
  const ClassRecord& NativeClass() const override { return Lookup(); }
  std::unique_ptr<ControlPeer> MakePeer(fw::Window& w) override { return PeerFor(w, *this, own_); }

 private:
  RadioButtonProperties own_;
};

}  // namespace fw
