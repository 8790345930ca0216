#pragma once

#include "shell/tinted_background.h"

// The code entry of the first day: which text to learn.
class Window2 : public TintedWindow<Window2> {
 public:
  static constexpr fw::Color kTint = kTurquoise;
  static const WindowDef<Window2>& Definition();

  void PushButton1_Action();
  void PushButton2_Action();
  bool EditField1_KeyDown(const std::string& key);
  void PushButton3_Action();
};
