#pragma once

#include "shell/program_window.h"

// The information window: how the films were chosen and the texts graded.
class Window10 : public ProgramWindow<Window10> {
 public:
  static const WindowDef<Window10>& Definition();

  void PushButton1_Action();
};
