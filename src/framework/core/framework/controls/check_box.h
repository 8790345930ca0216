#pragma once

#include "framework/controls/control.h"

namespace fw {

struct CheckBoxProperties {
  std::string caption;
  int32_t state = 0;  // 0 unticked, 1 ticked, 2 undecided
  bool value = false;
};

std::unique_ptr<ControlPeer> PeerFor(Window&, Control& owner, CheckBoxProperties& own);

class CheckBox : public Control {
 public:
  static constexpr const char* kTypeName = "CheckBox";
  static const ClassRecord& Lookup();

  const std::string& Caption() const { return own_.caption; }
  bool Value() const;
  void Value(bool ticked);

 protected:
  const ClassRecord& NativeClass() const override { return Lookup(); }
  std::unique_ptr<ControlPeer> MakePeer(fw::Window& w) override { return PeerFor(w, *this, own_); }

 private:
  CheckBoxProperties own_;
};

}  // namespace fw
