#include "learning/window5.h"

#include "catalogue/text_catalogue.h"
#include "framework/application/application.h"
#include "framework/controls/edit_field.h"
#include "framework/text/text.h"
#include "learning/window2.h"
#include "learning/window4.h"
#include "learning/window6.h"
#include "learning/window7.h"
#include "learning/window8.h"
#include "shell/control_named.h"
#include "shell/implicit_window.h"

namespace {

// The code as it stands in the code entry, which keeps it while hidden.
std::string TypedCode() {
  return ControlNamed<fw::EditField>(ImplicitWindow<Window2>(), "EditField1")->Text();
}

}  // namespace

const WindowDef<Window5>& Window5::Definition() {
  static const WindowDef<Window5> def{
      .className = "Window5.Window5",
      .stream = FullWindowStream(kTint),
      .controls =
          {
              {EditField({.name = "EditField1",
                          .box = {54, 49, 850, 600},
                          .tabIndex = 0,
                          .multiline = true,
                          .scrollbarVertical = true,
                          .styled = true,
                          .backColor = kPaleYellow,
                          .font = "Times Roman",
                          .size = 16,
                          .bold = true}),
               {On(fw::KeyDown, &Window5::EditField1_KeyDown),
                On(fw::Open, &Window5::EditField1_Open)}},
              {PushButton({.name = "PushButton1",
                           .box = {90, 660, 90, 20},
                           .tabIndex = 1,
                           .caption = "Abbruch"}),
               {On(fw::Action, &Window5::PushButton1_Action)}},
              {PushButton({.name = "PushButton2",
                           .box = {800, 660, 90, 20},
                           .tabIndex = 2,
                           .caption = "weiter"}),
               {On(fw::Action, &Window5::PushButton2_Action)}},
          },
      .windowEvents = {On(fw::Activate, &Window5::Event_Activate),
                       On(fw::Paint, &Window5::Event_Paint), On(fw::Open, &Window5::Event_Open)},
      .more = [](fw::ClassBuilder<Window5>& b) { b.Property("Gehezu", &Window5::Gehezu); }};
  return def;
}

// The user may edit the shown text as a working copy; nothing is saved.
bool Window5::EditField1_KeyDown(const std::string&) { return false; }

// The code entry and the introduction are given up whether a text was
// found or not: from here on the run has no way back to choosing a text.
void Window5::EditField1_Open() {
  auto self = std::static_pointer_cast<fw::Window>(shared_from_this());
  if (const CatalogueEntry* entry = CodeLookup(TypedCode())) {
    std::string text = fw::DefineEncoding(entry->TextItem->Get(), fw::Encodings::MacRoman);
    ControlNamed<fw::EditField>(self, "EditField1")->Text(text);
  }
  ImplicitWindow<Window2>()->Close();
  ImplicitWindow<Window4>()->Close();
}

void Window5::PushButton1_Action() { fw::Quit(0); }

// "weiter": steps 2 and 3 the first time, the retelling the second, the
// review from then on. The counter moves before the next window is built.
void Window5::PushButton2_Action() {
  if (Gehezu == 6) {
    Gehezu = 7;
    ImplicitWindow<Window6>()->Show();
  } else if (Gehezu == 7) {
    Gehezu = 8;
    ImplicitWindow<Window7>()->Show();
  } else if (Gehezu == 8) {
    ImplicitWindow<Window8>()->Show();
  }
  Hide();
}
