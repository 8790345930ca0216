#pragma once

#include "shell/tinted_background.h"

// Step 5 of the reading protocol: looking back.
class Window8 : public TintedWindow<Window8> {
 public:
  static constexpr fw::Color kTint = kPink;
  static const WindowDef<Window8>& Definition();

  void PushButton1_Action();
  void PushButton2_Action();
  void PushButton3_Action();
};
