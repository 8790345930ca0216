#pragma once

#include "shell/tinted_background.h"

// The result: the feedback text and the difficulty number of the text just
// recalled, from which the user works out the next text.
class Window13 : public TintedWindow<Window13> {
 public:
  static constexpr fw::Color kTint = kTurquoise;
  static const WindowDef<Window13>& Definition();

  void PushButton1_Action();
  void PushButton2_Action();
  bool EditField2_KeyDown(const std::string& key);
  void EditField1_Open() {}
  void PushButton3_Action();
  void Event_Activate();
};
