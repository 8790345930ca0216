#pragma once

#include "shell/tinted_background.h"

// The code entry of the second day: which text was learnt last time.
class Window11 : public TintedWindow<Window11> {
 public:
  static constexpr fw::Color kTint = kTurquoise;
  static const WindowDef<Window11>& Definition();

  void PushButton1_Action();
  void PushButton2_Action();
  bool EditField1_KeyDown(const std::string& key);
  void PushButton3_Action();
};
