#pragma once

#include "shell/tinted_background.h"

// Step 4 of the reading protocol: retelling the text.
class Window7 : public TintedWindow<Window7> {
 public:
  static constexpr fw::Color kTint = kPink;
  static const WindowDef<Window7>& Definition();

  void PushButton1_Action();
  void CheckBox1_Action();
  void PushButton2_Action();
};
