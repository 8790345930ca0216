#pragma once

#include "shell/tinted_background.h"

// The end of the first day.
class Window9 : public TintedWindow<Window9> {
 public:
  static constexpr fw::Color kTint = kTurquoise;
  static const WindowDef<Window9>& Definition();

  void PushButton1_Action();
  void PushButton2_Action();
};
