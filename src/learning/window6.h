#pragma once

#include "shell/tinted_background.h"

// Steps 2 and 3 of the reading protocol.
class Window6 : public TintedWindow<Window6> {
 public:
  static constexpr fw::Color kTint = kPink;
  static const WindowDef<Window6>& Definition();

  void PushButton1_Action();
  void PushButton2_Action();
  void PushButton3_Action();
};
