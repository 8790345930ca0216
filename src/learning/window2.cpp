#include "learning/window2.h"

#include "catalogue/window3.h"
#include "framework/application/application.h"
#include "learning/code_entry.h"
#include "learning/window4.h"
#include "shell/implicit_window.h"
#include "shell/window1.h"

namespace {

const char* const kRecommendation =
    "Ist dies Ihr ERSTER Trainingstag, so empfehle ich:\r"
    "\r"
    "Text Nr. 21 = \"time\"    (No Time to Die)     als eher leichteren Text\r"
    "Text Nr. 44 = \"beste\"  (Die Bestechlichen)  als mittelschweren Text\r"
    "Text Nr. 65 = \"berlin\"  (Berlin am Meer)     als eher schwereren Text\r"
    "\r"
    "Ist dies NICHT Ihr erster Trainingstag, so haben Sie ja gerade den neuen Text ermittelt.\r"
    "\r"
    "\r"
    "Sie können aber grundsätzlich jeden beliebigen Text auswählen.\r"
    "Dazu blenden Sie einfach die Liste ein und wählen einen Text Ihrer Wahl aus.";

}  // namespace

const WindowDef<Window2>& Window2::Definition() {
  static const WindowDef<Window2> def{
      .className = "Window2.Window2",
      .stream = FullWindowStream(kTint),
      .controls =
          {
              {StaticText({.name = "StaticText2",
                           .box = {55, 49, 850, 261},
                           .tabIndex = 10,
                           .text = kRecommendation,
                           .autoDeactivate = false}),
               {}},
              {PushButton({.name = "PushButton1",
                           .box = {662, 370, 164, 20},
                           .tabIndex = 1,
                           .caption = "Liste einblenden"}),
               {On(fw::Action, &Window2::PushButton1_Action)}},
              {PushButton({.name = "PushButton2",
                           .box = kAbbruchBox,
                           .tabIndex = 2,
                           .caption = "Abbruch"}),
               {On(fw::Action, &Window2::PushButton2_Action)}},
              {EditField({.name = "EditField1",
                          .box = {460, 368, 96, 28},
                          .tabIndex = 4,
                          .backColor = kMint}),
               {On(fw::KeyDown, &Window2::EditField1_KeyDown)}},
              {StaticText({.name = "StaticText1",
                           .box = {99, 368, 329, 21},
                           .tabIndex = 5,
                           .text = "Bitte geben Sie nun das Kürzel ein:\r",
                           .multiline = false}),
               {}},
              {StaticText({.name = "StaticText3",
                           .box = {99, 401, 305, 21},
                           .tabIndex = 6,
                           .text = "(und drücken Sie dann die Return-Taste)",
                           .textAlign = 1,
                           .multiline = false,
                           .size = 14}),
               {}},
              {PushButton(
                   {.name = "PushButton3", .box = kZurueckBox, .tabIndex = 7, .caption = "zurück"}),
               {On(fw::Action, &Window2::PushButton3_Action)}},
          },
      .windowEvents = {On(fw::Open, &Window2::Event_Open), On(fw::Paint, &Window2::Event_Paint)}};
  return def;
}

// "Liste einblenden": the list beside this window, whose field keeps its text.
void Window2::PushButton1_Action() { ImplicitWindow<Window3>()->Show(); }

void Window2::PushButton2_Action() { fw::Quit(0); }

bool Window2::EditField1_KeyDown(const std::string& key) {
  return CodeEntryKeyDown(*this, key, &CatalogueEntry::TextItem,
                          [] { ImplicitWindow<Window4>()->Show(); });
}

// "zurück": the welcome window again; the typed code is given up.
void Window2::PushButton3_Action() {
  ImplicitWindow<Window1>()->Show();
  ImplicitWindow<Window2>()->Close();
}
