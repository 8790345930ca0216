#include "recall/window11.h"

#include "catalogue/window3.h"
#include "framework/application/application.h"
#include "learning/code_entry.h"
#include "recall/window12.h"
#include "shell/implicit_window.h"
#include "shell/window1.h"

namespace {

const char* const kInstruction =
    "Sie haben das letzte Mal einen neuen Text kennengelernt.\r"
    "Den Inhalt des Textes sollen Sie nun wiedergeben!\r"
    "\r"
    "Erzählen Sie ihn dazu Ihrer Therapeutin oder Ihrem Therapeuten.\r"
    "Sie/Er wird Ihre Zusammenfassung mit der in diesem Programm vergleichen.\r"
    "\r"
    "Wenn Sie das Kürzel eingeben haben (als Erinnerungshilfe können Sie die Liste "
    "einblenden),\r"
    "dann\r"
    "\r"
    "TAUSCHEN SIE DIE PLÄTZE MIT IHRER THERAPEUTIN ODER IHREM THERAPEUTEN\r"
    "\r"
    "so, dass Sie selbst den Bildschirm nicht einsehen können.\r";

}  // namespace

const WindowDef<Window11>& Window11::Definition() {
  static const WindowDef<Window11> def{
      .className = "Window11.Window11",
      .stream = FullWindowStream(kTint),
      .controls =
          {
              {StaticText({.name = "StaticText2",
                           .box = {55, 50, 850, 271},
                           .tabIndex = 0,
                           .text = kInstruction}),
               {}},
              {PushButton({.name = "PushButton1",
                           .box = {715, 366, 165, 20},
                           .tabIndex = 1,
                           .caption = "Liste einblenden"}),
               {On(fw::Action, &Window11::PushButton1_Action)}},
              {PushButton({.name = "PushButton2",
                           .box = kAbbruchBox,
                           .tabIndex = 2,
                           .caption = "Abbruch"}),
               {On(fw::Action, &Window11::PushButton2_Action)}},
              {EditField({.name = "EditField1",
                          .box = {440, 359, 96, 28},
                          .tabIndex = 3,
                          .scrollbarVertical = true,
                          .backColor = kMint}),
               {On(fw::KeyDown, &Window11::EditField1_KeyDown)}},
              {StaticText({.name = "StaticText1",
                           .box = {98, 367, 330, 20},
                           .tabIndex = 4,
                           .text = "Bitte geben Sie nun das Kürzel ein:",
                           .multiline = false}),
               {}},
              {StaticText({.name = "StaticText3",
                           .box = {98, 390, 296, 20},
                           .tabIndex = 5,
                           .text = "(und drücken Sie dann die Return-Taste)",
                           .textAlign = 1,
                           .multiline = false,
                           .size = 14}),
               {}},
              {PushButton(
                   {.name = "PushButton3", .box = kZurueckBox, .tabIndex = 6, .caption = "zurück"}),
               {On(fw::Action, &Window11::PushButton3_Action)}},
          },
      .windowEvents = {On(fw::Open, &Window11::Event_Open), On(fw::Paint, &Window11::Event_Paint)}};
  return def;
}

void Window11::PushButton1_Action() { ImplicitWindow<Window3>()->Show(); }

void Window11::PushButton2_Action() { fw::Quit(0); }

bool Window11::EditField1_KeyDown(const std::string& key) {
  return CodeEntryKeyDown(*this, key, &CatalogueEntry::SummaryItem,
                          [] { ImplicitWindow<Window12>()->Show(); });
}

void Window11::PushButton3_Action() {
  ImplicitWindow<Window1>()->Show();
  ImplicitWindow<Window11>()->Close();
}
