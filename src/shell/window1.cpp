#include "shell/window1.h"

#include "framework/application/application.h"
#include "framework/controls/radio_button.h"
#include "learning/window2.h"
#include "recall/window11.h"
#include "shell/control_named.h"
#include "shell/implicit_window.h"
#include "shell/window10.h"

namespace {

const char* const kWelcome =
    "HERZLICH WILLKOMMEN\r"
    "\r"
    "zu dem Gedächtnistrainingsprogramm \"MERKHAUS\".\r"
    "\r"
    "Dieses Programm soll Ihnen bzw. Ihren Patient(inn)en helfen,\r"
    "sich besser Informationen aus Texten zu merken.\r"
    "\r"
    "Bei den Texten handelt es sich um vereinfachte und korrigierte\r"
    "Inhaltsangaben von Filmen aus der Zeitschrift \"bild-kurier\".\r"
    "\r"
    "Hierfür wurden 82 Filmbeschreibungen aufgenommen, die nach ihrer\r"
    "Schwierigkeit gestaffelt sind.\r"
    "(1 = leichtester Text; 82 = schwierigster Text)\r"
    "\r"
    "An einem Tag sollte zunächst ein Text gelernt werden. \r"
    "Dabei kommt es nicht so sehr darauf an, sich alle Details zu merken, \r"
    "sondern den Text in den wesentlichen Zügen wiedergeben zu können. \r"
    "\r"
    "An nächsten Tag sollte die Abfrage erfolgen. \r"
    "Je nach Ergebnis wird dann das Programm einen leichteren oder \r"
    "schwereren Text vorschlagen, um so die Patient(inn)en weder zu überfordern, \r"
    "noch zu unterfordern.\r"
    "\r"
    "Möchten Sie nun einen\r\r\r\r\r\r";

}  // namespace

const WindowDef<Window1>& Window1::Definition() {
  static const WindowDef<Window1> def{
      .className = "Window1.Window1",
      .stream = FullWindowStream(kTint),
      .controls =
          {
              {StaticText({.name = "StaticText1",
                           .box = {54, 50, 850, 531},
                           .tabIndex = 0,
                           .text = kWelcome}),
               {}},
              {RadioButton({.name = "RadioButton1",
                            .box = {546, 315, 124, 20},
                            .tabIndex = 1,
                            .caption = "mehr Info´s",
                            .size = 14,
                            .bold = true,
                            .underline = true,
                            .initialParent = "StaticText1"}),
               {On(fw::MouseDown, &Window1::RadioButton1_MouseDown),
                On(fw::Action, &Window1::RadioButton1_Action)}},
              {CheckBox({.name = "CheckBox2",
                         .box = {325, 586, 308, 35},
                         .tabIndex = 4,
                         .caption = " bekannten Text wiedergeben"}),
               {On(fw::Action, &Window1::CheckBox2_Action)}},
              {PushButton({.name = "PushButton1",
                           .box = kAbbruchBox,
                           .tabIndex = 5,
                           .caption = "Abbruch"}),
               {On(fw::Action, &Window1::PushButton1_Action)}},
              {CheckBox({.name = "CheckBox1",
                         .box = {325, 553, 308, 35},
                         .tabIndex = 6,
                         .caption = " neuen Text lernen",
                         .helpTag = "\r"}),
               {On(fw::Action, &Window1::CheckBox1_Action)}},
          },
      .windowEvents = {On(fw::Paint, &Window1::Event_Paint), On(fw::Open, &Window1::Event_Open),
                       On(fw::MouseDown, &Window1::Event_MouseDown)}};
  return def;
}

bool Window1::RadioButton1_MouseDown(int32_t, int32_t) { return false; }

// "mehr Info´s": the information window beside this one.
void Window1::RadioButton1_Action() {
  if (ControlNamed<fw::RadioButton>(*this, "RadioButton1")->Value()) {
    ImplicitWindow<Window10>()->Show();
  }
}

// " bekannten Text wiedergeben": the recall code entry; the box is not read.
void Window1::CheckBox2_Action() {
  ImplicitWindow<Window11>()->Show();
  ImplicitWindow<Window1>()->Hide();
}

void Window1::PushButton1_Action() { fw::Quit(0); }

// " neuen Text lernen": the code entry of the first day.
void Window1::CheckBox1_Action() {
  ImplicitWindow<Window2>()->Show();
  ImplicitWindow<Window1>()->Hide();
}

bool Window1::Event_MouseDown(int32_t, int32_t) { return false; }
