#include "recall/window13.h"

#include "catalogue/window3.h"
#include "framework/application/application.h"
#include "learning/window2.h"
#include "recall/window12.h"
#include "shell/implicit_window.h"
#include "shell/window1.h"

namespace {

const char* const kInstruction =
    "Blenden Sie bitte die Liste ein und errechnen Sie so, welchen Text Sie als nächstes "
    "kennenlernen wollen. Sollte Ihnen der Text schon bekannt sein, so wählen Sie einfach "
    "einen anderen, der dem ermittelten Schwierigkeitsgrad am nächsten ist.  ";

}  // namespace

const WindowDef<Window13>& Window13::Definition() {
  static const WindowDef<Window13> def{
      .className = "Window13.Window13",
      .stream = FullWindowStream(kTint),
      .controls =
          {
              {StaticText({.name = "StaticText2",
                           .box = {55, 49, 850, 41},
                           .tabIndex = 0,
                           .text = "BITTE TAUSCHEN SIE NUN WIEDER DIE PLÄTZE!\r",
                           .multiline = false}),
               {}},
              {PushButton({.name = "PushButton1",
                           .box = {735, 370, 164, 20},
                           .tabIndex = 1,
                           .caption = "Liste einblenden"}),
               {On(fw::Action, &Window13::PushButton1_Action)}},
              {PushButton({.name = "PushButton2",
                           .box = kAbbruchBox,
                           .tabIndex = 2,
                           .caption = "Abbruch"}),
               {On(fw::Action, &Window13::PushButton2_Action)}},
              {EditField({.name = "EditField2",
                          .box = {469, 358, 62, 34},
                          .tabIndex = 3,
                          .multiline = true,
                          .backColor = kMint}),
               {On(fw::KeyDown, &Window13::EditField2_KeyDown)}},
              {EditField({.name = "EditField1",
                          .box = {55, 102, 700, 218},
                          .tabIndex = 4,
                          .border = false,
                          .multiline = true,
                          .styled = true,
                          .backColor = kMint}),
               {On(fw::Open, &Window13::EditField1_Open)}},
              {StaticText({.name = "StaticText1",
                           .box = {55, 350, 390, 48},
                           .tabIndex = 5,
                           .text = "Der gerade wiedergegebene Text\r"
                                   "hatte den Schwierigkeitsgrad Nr.:"}),
               {}},
              {StaticText({.name = "StaticText3",
                           .box = {55, 420, 543, 157},
                           .tabIndex = 6,
                           .text = kInstruction}),
               {}},
              {PushButton(
                   {.name = "PushButton3", .box = kWeiterBox, .tabIndex = 7, .caption = "weiter"}),
               {On(fw::Action, &Window13::PushButton3_Action)}},
          },
      .windowEvents = {On(fw::Open, &Window13::Event_Open),
                       On(fw::Activate, &Window13::Event_Activate),
                       On(fw::Paint, &Window13::Event_Paint)}};
  return def;
}

// "Liste einblenden": the list in front; this window stays behind it.
void Window13::PushButton1_Action() { ImplicitWindow<Window3>()->Show(); }

void Window13::PushButton2_Action() { fw::Quit(0); }

// The number field is the user's to scribble in; each key gives up the
// welcome window, as the code fields do.
bool Window13::EditField2_KeyDown(const std::string&) {
  ImplicitWindow<Window1>()->Close();
  return false;
}

// "weiter": on to the next new text. This window stays alive, hidden, for
// the next recall of the run; the recall window and its answers are done.
void Window13::PushButton3_Action() {
  ImplicitWindow<Window2>()->Show();
  ImplicitWindow<Window13>()->Hide();
  ImplicitWindow<Window12>()->Close();
}

// The recall window's scoring is not for the patient's eyes.
void Window13::Event_Activate() { ImplicitWindow<Window12>()->Hide(); }
