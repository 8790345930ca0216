#pragma once

#include "shell/tinted_background.h"

// The start screen: the program's name and what it is for.
class Window20 : public TintedWindow<Window20> {
 public:
  static constexpr fw::Color kTint = kTurquoise;
  static const WindowDef<Window20>& Definition();

  void PushButton2_Action();
  void PushButton2_Open() {}
};
