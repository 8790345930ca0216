#include "shell/window20.h"

#include "shell/implicit_window.h"
#include "shell/window1.h"

const WindowDef<Window20>& Window20::Definition() {
  static const WindowDef<Window20> def{
      .className = "Window20.Window20",
      .stream = FullWindowStream(kTint),
      .controls =
          {
              {StaticText({.name = "StaticText1",
                           .box = {107, 63, 772, 93},
                           .tabIndex = 1,
                           .text = "MERKHAUS",
                           .textAlign = 1,
                           .size = 50}),
               {}},
              {PushButton(
                   {.name = "PushButton2", .box = kWeiterBox, .tabIndex = 2, .caption = "weiter"}),
               {On(fw::Action, &Window20::PushButton2_Action),
                On(fw::Open, &Window20::PushButton2_Open)}},
              {StaticText({.name = "StaticText2",
                           .box = {107, 215, 772, 170},
                           .tabIndex = 3,
                           .text = "Ein Gedächtnistrainingsprogramm\r"
                                   "für den Umgang mit Texten\r"
                                   "- besonders für Patientinnen und Patienten nach "
                                   "neurologischen Erkrankungen -\r",
                           .textAlign = 1,
                           .size = 30}),
               {}},
              {StaticText({.name = "StaticText3",
                           .box = {221, 650, 368, 20},
                           .tabIndex = 4,
                           .text = "Version 1.0",
                           .textAlign = 1,
                           .multiline = false}),
               {}},
          },
      .windowEvents = {On(fw::Paint, &Window20::Event_Paint), On(fw::Open, &Window20::Event_Open)}};
  return def;
}

// "weiter": the welcome window; the start screen is hidden for the rest of
// the run, never closed.
void Window20::PushButton2_Action() {
  ImplicitWindow<Window1>()->Show();
  ImplicitWindow<Window20>()->Hide();
}
