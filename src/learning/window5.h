#pragma once

#include "shell/tinted_background.h"

// The text being learnt, and the step counter that chooses where its
// "weiter" leads.
class Window5 : public TintedWindow<Window5> {
 public:
  static constexpr fw::Color kTint = kApricot;
  static const WindowDef<Window5>& Definition();

  bool EditField1_KeyDown(const std::string& key);
  void EditField1_Open();
  void PushButton1_Action();
  void PushButton2_Action();
  void Event_Activate() {}

  // Where "weiter" leads: 6 to steps 2 and 3, 7 to the retelling, 8 to the
  // review for the rest of the run.
  int32_t Gehezu = 6;
};
