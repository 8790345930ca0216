#pragma once

#include "shell/tinted_background.h"

// The welcome window: what the program is for, and the choice between
// learning a new text and retelling a known one.
class Window1 : public TintedWindow<Window1> {
 public:
  static constexpr fw::Color kTint = kTurquoise;
  static const WindowDef<Window1>& Definition();

  bool RadioButton1_MouseDown(int32_t x, int32_t y);
  void RadioButton1_Action();
  void CheckBox2_Action();
  void PushButton1_Action();
  void CheckBox1_Action();
  bool Event_MouseDown(int32_t x, int32_t y);
};
