#include "learning/window4.h"

#include "framework/application/application.h"
#include "learning/window2.h"
#include "learning/window5.h"
#include "shell/implicit_window.h"

namespace {

const char* const kIntroduction =
    "\r\r\rUm sich den Inhalt von Texten besser zu merken, sollte Sie sich intensiver mit dem "
    "Text auseinandersetzen, als man es normalerweise tun würde. Sie erreichen dadurch eine "
    "\r\"tiefere Verarbeitung\".\r"
    "\r"
    "Folgendes Vorgehen hat sich dabei bewährt:\r"
    "\r"
    "1) Vorprüfung und Vorwissen: \r"
    "\r"
    "Verschaffen Sie sich zunächst einen Überblick über den Text. Überfliegen Sie ihn also "
    "erst\r"
    "einmal.\r"
    "Wenn Sie sich vor dem Lesen überlegen, was Sie bereits über das Thema wissen, können \r"
    "Sie die neuen Informationen leichter integrieren. Auch wenn dies bei "
    "Filmbeschreibungen\r"
    "etwas schwieriger ist, so könnten Sie sich doch überlegen, ob Sie z. B. den Regisseur \r"
    "kennen oder ob Ihnen etwas zu dem Land und der Zeit einfällt, in der der Film spielt.\r";

}  // namespace

const WindowDef<Window4>& Window4::Definition() {
  static const WindowDef<Window4> def{
      .className = "Window4.Window4",
      .stream = FullWindowStream(kTint),
      .controls =
          {
              {StaticText({.name = "StaticText1",
                           .box = {55, 50, 850, 480},
                           .tabIndex = 0,
                           .text = kIntroduction}),
               {}},
              {PushButton({.name = "PushButton1",
                           .box = kAbbruchBox,
                           .tabIndex = 1,
                           .caption = "Abbruch"}),
               {On(fw::Action, &Window4::PushButton1_Action),
                On(fw::DragOver, &Window4::PushButton1_DragOver)}},
              {PushButton(
                   {.name = "PushButton2", .box = kWeiterBox, .tabIndex = 2, .caption = "weiter"}),
               {On(fw::Action, &Window4::PushButton2_Action)}},
              {PushButton(
                   {.name = "PushButton3", .box = kZurueckBox, .tabIndex = 3, .caption = "zurück"}),
               {On(fw::Action, &Window4::PushButton3_Action)}},
          },
      .windowEvents = {On(fw::Open, &Window4::Event_Open), On(fw::Paint, &Window4::Event_Paint)}};
  return def;
}

void Window4::PushButton1_Action() { fw::Quit(0); }

bool Window4::PushButton1_DragOver(int32_t, int32_t, fw::DragItem&, int32_t) { return false; }

// "weiter": building the text display reads the code from Window2 and then
// closes Window2 and this window, so neither is touched here before it.
// The Window2 asked for afterwards is a fresh one, given up at once.
void Window4::PushButton2_Action() {
  ImplicitWindow<Window5>()->Show();
  ImplicitWindow<Window2>()->Close();
}

// "zurück": the code entry comes back with the typed code still in it.
void Window4::PushButton3_Action() {
  ImplicitWindow<Window2>()->Show();
  ImplicitWindow<Window4>()->Close();
}

// Window2 is only hidden: the text display reads the chosen code from it.
void Window4::Event_Open() {
  ImplicitWindow<Window2>()->Hide();
  OpenBackground();
}
