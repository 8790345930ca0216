#include "learning/window7.h"

#include "framework/application/application.h"
#include "learning/window5.h"
#include "learning/window8.h"
#include "shell/implicit_window.h"

namespace {

const char* const kRetelling =
    "\r"
    "\r"
    "4) Wiedergabe: \r"
    "\r"
    "Geben Sie den Text nun noch einmal mit eigenen Worten wieder. \r"
    "Erzählen Sie dazu den Inhalt Ihrer Therapeutin oder Ihrem Therapeuten.\r"
    "\r"
    "Wenn Lücken bei der Wiedergabe entstehen, lesen Sie diese Teile nochmals durch.";

}  // namespace

const WindowDef<Window7>& Window7::Definition() {
  static const WindowDef<Window7> def{
      .className = "Window7.Window7",
      .stream = FullWindowStream(kTint),
      .controls =
          {
              {StaticText({.name = "StaticText1",
                           .box = {55, 49, 850, 293},
                           .tabIndex = 0,
                           .text = kRetelling}),
               {}},
              {PushButton(
                   {.name = "PushButton1", .box = kWeiterBox, .tabIndex = 1, .caption = "weiter"}),
               {On(fw::Action, &Window7::PushButton1_Action)}},
              {CheckBox({.name = "CheckBox1",
                         .box = {527, 451, 52, 20},
                         .tabIndex = 2,
                         .caption = "",
                         .helpTag = "",
                         .size = 14}),
               {On(fw::Action, &Window7::CheckBox1_Action)}},
              {StaticText({.name = "StaticText2",
                           .box = {141, 451, 374, 20},
                           .tabIndex = 3,
                           .text = "Möchten Sie den Text nochmals lesen?",
                           .multiline = false}),
               {}},
              {PushButton({.name = "PushButton2",
                           .box = kAbbruchBox,
                           .tabIndex = 4,
                           .caption = "Abbruch"}),
               {On(fw::Action, &Window7::PushButton2_Action)}},
          },
      .windowEvents = {On(fw::Open, &Window7::Event_Open), On(fw::Paint, &Window7::Event_Paint)}};
  return def;
}

void Window7::PushButton1_Action() {
  ImplicitWindow<Window8>()->Show();
  Hide();
}

// Any use of the box means "read it again"; its tick only shows that the
// user has been back to the text.
void Window7::CheckBox1_Action() {
  ImplicitWindow<Window5>()->Show();
  Hide();
}

void Window7::PushButton2_Action() { fw::Quit(0); }
