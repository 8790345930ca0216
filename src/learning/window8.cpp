#include "learning/window8.h"

#include "framework/application/application.h"
#include "learning/window7.h"
#include "learning/window9.h"
#include "shell/implicit_window.h"

namespace {

const char* const kReview =
    "5) Rückblick: \r"
    "\r"
    "Gehen Sie den Text nochmals im Geiste durch. \r"
    "\r"
    "Versuchen Sie, sich die Situationen bildlich vorzustellen.\r"
    "\r"
    "Können Sie die von Ihnen gestellten Fragen (in Punkt 2) beantworten?";

}  // namespace

const WindowDef<Window8>& Window8::Definition() {
  static const WindowDef<Window8> def{
      .className = "Window8.Window8",
      .stream = FullWindowStream(kTint),
      .controls =
          {
              {StaticText({.name = "StaticText1",
                           .box = {55, 50, 850, 300},
                           .tabIndex = 0,
                           .text = kReview}),
               {}},
              {PushButton({.name = "PushButton1",
                           .box = kAbbruchBox,
                           .tabIndex = 1,
                           .caption = "Abbruch"}),
               {On(fw::Action, &Window8::PushButton1_Action)}},
              {PushButton(
                   {.name = "PushButton2", .box = kWeiterBox, .tabIndex = 2, .caption = "weiter"}),
               {On(fw::Action, &Window8::PushButton2_Action)}},
              {PushButton(
                   {.name = "PushButton3", .box = kZurueckBox, .tabIndex = 3, .caption = "zurück"}),
               {On(fw::Action, &Window8::PushButton3_Action)}},
          },
      .windowEvents = {On(fw::Open, &Window8::Event_Open), On(fw::Paint, &Window8::Event_Paint)}};
  return def;
}

void Window8::PushButton1_Action() { fw::Quit(0); }

void Window8::PushButton2_Action() {
  ImplicitWindow<Window9>()->Show();
  Hide();
}

// "zurück": the retelling as the user left it; this window starts afresh
// next time, having nothing of its own to keep.
void Window8::PushButton3_Action() {
  ImplicitWindow<Window7>()->Show();
  ImplicitWindow<Window8>()->Close();
}
