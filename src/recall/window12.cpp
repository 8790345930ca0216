#include "recall/window12.h"

#include "catalogue/text_catalogue.h"
#include "framework/application/application.h"
#include "framework/controls/edit_field.h"
#include "framework/controls/radio_button.h"
#include "framework/text/text.h"
#include "recall/recall_score.h"
#include "recall/window11.h"
#include "recall/window13.h"
#include "shell/control_named.h"
#include "shell/implicit_window.h"

namespace {

// Every control is looked up by name at the moment it is used: the windows
// that own them may have been built anew or given up in between.
bool Selected(const fw::Ref<fw::Window>& window, const std::string& name) {
  return ControlNamed<fw::RadioButton>(window, name)->Value();
}

std::string CountText(const fw::Ref<fw::Window>& window) {
  return ControlNamed<fw::EditField>(window, "EditField3")->Text();
}

StoreItem& ItemOf(Feedback feedback) {
  switch (feedback) {
    case Feedback::Wleistung0:
      return x_Wleistung0::item;
    case Feedback::Wleistung51:
      return x_Wleistung51::item;
    case Feedback::Wleistung71:
      return x_Wleistung71::item;
    case Feedback::Wleistung90:
      break;
  }
  return x_Wleistung90::item;
}

constexpr const char* kWrongCount = "Diese Angabe muss falsch sein. Bitte korrigieren!";

}  // namespace

const WindowDef<Window12>& Window12::Definition() {
  static const WindowDef<Window12> def{
      .className = "Window12.Window12",
      .stream = FullWindowStream(kTint),
      .controls =
          {
              {EditField({.name = "EditField1",
                          .box = {55, 50, 890, 450},
                          .tabIndex = 0,
                          .multiline = true,
                          .scrollbarVertical = true,
                          .styled = true,
                          .backColor = kPaleYellow,
                          .font = "Times Roman",
                          .size = 16,
                          .bold = true}),
               {On(fw::KeyDown, &Window12::EditField1_KeyDown),
                On(fw::Open, &Window12::EditField1_Open)}},
              {PushButton({.name = "PushButton1",
                           .box = kAbbruchBox,
                           .tabIndex = 1,
                           .caption = "Abbruch"}),
               {On(fw::Action, &Window12::PushButton1_Action)}},
              {PushButton(
                   {.name = "PushButton2", .box = kWeiterBox, .tabIndex = 2, .caption = "weiter"}),
               {On(fw::Action, &Window12::PushButton2_Action)}},
              {StaticText({.name = "StaticText1",
                           .box = {55, 533, 336, 22},
                           .tabIndex = 3,
                           .text = "Wurde der Sinn verstanden? ",
                           .multiline = false}),
               {}},
              {StaticText({.name = "StaticText2",
                           .box = {55, 593, 347, 22},
                           .tabIndex = 5,
                           .text = "Anzahl der richtig erinnerten Punkte?",
                           .multiline = false}),
               {}},
              {EditField({.name = "EditField3",
                          .box = {435, 591, 80, 22},
                          .tabIndex = 6,
                          .scrollbarVertical = true,
                          .backColor = kPaleYellow}),
               {On(fw::KeyDown, &Window12::EditField3_KeyDown),
                On(fw::KeyUp, &Window12::EditField3_KeyUp)}},
              {RadioButton({.name = "RadioButton1",
                            .box = {403, 535, 60, 20},
                            .tabIndex = 10,
                            .caption = "Ja",
                            .size = 14,
                            .initialParent = ""}),
               {}},
              {RadioButton({.name = "RadioButton2",
                            .box = {502, 535, 60, 20},
                            .tabIndex = 11,
                            .caption = "Nein",
                            .size = 14,
                            .initialParent = ""}),
               {}},
          },
      .windowEvents = {On(fw::Activate, &Window12::Event_Activate),
                       On(fw::Open, &Window12::Event_Open), On(fw::Paint, &Window12::Event_Paint)},
      .more = [](fw::ClassBuilder<Window12>& b) {
        b.Property("Punktemax", &Window12::Punktemax)
            .Property("Punkterichtig", &Window12::Punkterichtig)
            .Property("Prozent", &Window12::Prozent)
            .Property("Schwierigkeit", &Window12::Schwierigkeit);
      }};
  return def;
}

// The summary is there for the therapist to read along; what is typed into
// it is never read back.
bool Window12::EditField1_KeyDown(const std::string&) { return false; }

// Runs while the window is built from the code entry's Return: the code is
// still in Window11's field, which is given up right after. The result
// window is cleared of an earlier check's feedback, so that no result but
// this check's can ever be shown.
void Window12::EditField1_Open() {
  auto self = std::static_pointer_cast<fw::Window>(shared_from_this());
  std::string code = ControlNamed<fw::EditField>(ImplicitWindow<Window11>(), "EditField1")->Text();
  if (const CatalogueEntry* entry = CodeLookup(code)) {
    std::string summary = fw::DefineEncoding(entry->SummaryItem->Get(), fw::Encodings::MacRoman);
    ControlNamed<fw::EditField>(self, "EditField1")->Text(summary);
    Punktemax = entry->KeyPointCount;
    Schwierigkeit = entry->Difficulty;
  }
  auto result = ImplicitWindow<Window13>();
  ControlNamed<fw::EditField>(result, "EditField2")->Text(fw::Str(Schwierigkeit));
  ControlNamed<fw::EditField>(result, "EditField1")->Text("");
  ImplicitWindow<Window11>()->Close();
  ImplicitWindow<Window13>()->Hide();
}

void Window12::PushButton1_Action() { fw::Quit(0); }

// "weiter" only when both questions are answered with a count that can be
// right. The answers are scored once more as they stand now: a count
// pasted without a key of its own, or "Nein" chosen after the count, must
// not leave an earlier feedback in the result.
void Window12::PushButton2_Action() {
  auto self = std::static_pointer_cast<fw::Window>(shared_from_this());
  bool gistAnswered = Selected(self, "RadioButton1") || Selected(self, "RadioButton2");
  if (!gistAnswered || IsBlank(CountText(self))) {
    fw::MsgBox("Ihre Angaben sind noch unvollständig! Bitte ergänzen!");
    return;
  }
  std::optional<int32_t> count = RecallCount(CountText(self), Punktemax);
  if (!count) {
    fw::MsgBox(kWrongCount);
    return;
  }
  Punkterichtig = *count;
  TextThere(Score());
  ImplicitWindow<Window13>()->Show();
}

bool Window12::EditField3_KeyDown(const std::string&) { return false; }

// Scores on every key release, so the result window always holds the
// feedback for the count as it stands. A count that can't be right is
// said once per change, not again for keys that change nothing.
void Window12::EditField3_KeyUp(const std::string&) {
  auto self = std::static_pointer_cast<fw::Window>(shared_from_this());
  std::string typed = CountText(self);
  bool changed = typed != countAtLastKey_;
  countAtLastKey_ = typed;
  std::optional<int32_t> count = RecallCount(typed, Punktemax);
  if (!count && changed) fw::MsgBox(kWrongCount);
  if (count) Punkterichtig = *count;
  Score();
}

StoreItem& Window12::Score() {
  auto self = std::static_pointer_cast<fw::Window>(shared_from_this());
  Prozent = RecallPercentage(Punkterichtig, Punktemax);
  StoreItem& feedback = ItemOf(FeedbackFor(Prozent, Selected(self, "RadioButton2")));
  ControlNamed<fw::EditField>(ImplicitWindow<Window13>(), "EditField1")
      ->Text(fw::DefineEncoding(feedback.Get(), fw::Encodings::MacRoman));
  return feedback;
}
