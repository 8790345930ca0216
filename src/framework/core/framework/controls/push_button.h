#pragma once

#include "framework/controls/control.h"

namespace fw {

struct PushButtonProperties {
  std::string caption;
  bool isDefault = false;
  bool cancel = false;
};

std::unique_ptr<ControlPeer> PeerFor(Window&, Control& owner, const PushButtonProperties& own);

class PushButton : public Control {
 public:
  static constexpr const char* kTypeName = "PushButton";
  static const ClassRecord& Lookup();

  const std::string& Caption() const { return own_.caption; }
  void Caption(std::string caption);

 protected:
  const ClassRecord& NativeClass() const override { return Lookup(); }
  std::unique_ptr<ControlPeer> MakePeer(fw::Window& w) override { return PeerFor(w, *this, own_); }

 private:
  PushButtonProperties own_;
};

}  // namespace fw
