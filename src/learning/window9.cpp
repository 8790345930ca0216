#include "learning/window9.h"

#include "framework/application/application.h"
#include "learning/window8.h"
#include "shell/implicit_window.h"

namespace {

// The mark after "war" is the acute accent U+00B4, as the program has
// always shown it.
const char* const kFarewell =
    "Das war\u00B4s für heute!\r"
    "\r"
    "Hoffentlich hat es Ihnen Spaß gemacht!\r"
    "\r"
    "Einen schönen Tag noch!";

}  // namespace

const WindowDef<Window9>& Window9::Definition() {
  static const WindowDef<Window9> def{
      .className = "Window9.Window9",
      .stream = FullWindowStream(kTint),
      .controls =
          {
              {StaticText({.name = "StaticText1",
                           .box = {54, 49, 850, 400},
                           .tabIndex = 0,
                           .text = kFarewell,
                           .textAlign = 1,
                           .size = 30}),
               {}},
              {PushButton(
                   {.name = "PushButton1", .box = kWeiterBox, .tabIndex = 1, .caption = "Ende"}),
               {On(fw::Action, &Window9::PushButton1_Action)}},
              // "zurück" stands where the other windows have "Abbruch".
              {PushButton(
                   {.name = "PushButton2", .box = kAbbruchBox, .tabIndex = 2, .caption = "zurück"}),
               {On(fw::Action, &Window9::PushButton2_Action)}},
          },
      .windowEvents = {On(fw::Open, &Window9::Event_Open), On(fw::Paint, &Window9::Event_Paint)}};
  return def;
}

void Window9::PushButton1_Action() { fw::Quit(0); }

void Window9::PushButton2_Action() {
  ImplicitWindow<Window8>()->Show();
  ImplicitWindow<Window9>()->Close();
}
