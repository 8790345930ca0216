#pragma once

#include "shell/tinted_background.h"

// The introduction and step 1 of the reading protocol.
class Window4 : public TintedWindow<Window4> {
 public:
  static constexpr fw::Color kTint = kPink;
  static const WindowDef<Window4>& Definition();

  void PushButton1_Action();
  bool PushButton1_DragOver(int32_t x, int32_t y, fw::DragItem& item, int32_t action);
  void PushButton2_Action();
  void PushButton3_Action();
  void Event_Open();
};
