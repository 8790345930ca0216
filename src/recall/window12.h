#pragma once

#include <string>

#include "catalogue/text_store.h"
#include "shell/tinted_background.h"

// The recall check: the text's key points for the therapist, and the two
// questions whose answers make the score.
class Window12 : public TintedWindow<Window12> {
 public:
  static constexpr fw::Color kTint = kApricot;
  static const WindowDef<Window12>& Definition();

  bool EditField1_KeyDown(const std::string& key);
  void EditField1_Open();
  void PushButton1_Action();
  void PushButton2_Action();
  bool EditField3_KeyDown(const std::string& key);
  void EditField3_KeyUp(const std::string& key);
  void Event_Activate() {}

  int32_t Punktemax = 0;
  int32_t Punkterichtig = 0;
  double Prozent = 0;
  int32_t Schwierigkeit = 0;

 private:
  // The feedback for the last accepted count and the answer to the gist,
  // put into the result window.
  StoreItem& Score();

  std::string countAtLastKey_;
};
