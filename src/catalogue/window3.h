#pragma once

#include "framework/picture/graphics.h"
#include "shell/program_window.h"

// The list of the 82 texts: difficulty number, code and title. The user reads
// a code off it and types it by hand; nothing flows back from it.
class Window3 : public ProgramWindow<Window3> {
 public:
  static const WindowDef<Window3>& Definition();

  bool Listbox1_CellTextPaint(fw::Graphics& g, int32_t row, int32_t column, int32_t x, int32_t y);
  bool Listbox1_CellBackgroundPaint(fw::Graphics& g, int32_t row, int32_t column);
  void Listbox1_Change() {}
  void Listbox1_Open() {}
  void PushButton3_Action();
  void Event_Open() {}
};
