#include "learning/window6.h"

#include "framework/application/application.h"
#include "learning/window5.h"
#include "shell/implicit_window.h"

namespace {

const char* const kSteps =
    "2) Stichpunkte machen und Fragen stellen: \r"
    "\r"
    "Schreiben Sie die wichtigsten Stichpunkte zu dem Text heraus. \r"
    "Es könnte sinnvoll sein, wenn Sie diese dann in einer Art Raster anordnen, um die "
    "einzelnen Abläufe oder Beziehungen deutlich aufzugliedern. \r"
    "Können Sie schon die groben Züge des Textes wiedergeben? \r"
    "Besprechen Sie die Stichpunkte mit Ihrer Therapeutin oder Ihrem Therapeuten.\r"
    "\r"
    "Wenn möglich, formulieren Sie möglichst konkrete Fragen zu den Textteilen, die Ihnen "
    "noch unklar sind.\r"
    "\r"
    "Können Sie Verbindungen zu Ihrem Vorwissen herstellen?\r"
    "\r"
    "\r"
    "3) Aktives Lesen:\r"
    "\r"
    "Lesen Sie den Text nun sorgfältig durch. \r"
    "Machen Sie nach jedem Abschnitt ein kurze Pause und überlegen Sie, welche "
    "Informationen\r"
    "darin am wichtigsten sind.\r"
    "Achten Sie besonders auf die Textteile, zu denen Ihnen noch keine Stichpunkte "
    "eingefallen sind.\r"
    "\r"
    "Diese Texte sind besonders dazu geeignet, sich die Situationen bildlich vorzustellen. "
    "Versuchen Sie es einmal!";

}  // namespace

const WindowDef<Window6>& Window6::Definition() {
  static const WindowDef<Window6> def{
      .className = "Window6.Window6",
      .stream = FullWindowStream(kTint),
      .controls =
          {
              {StaticText({.name = "StaticText1",
                           .box = {55, 50, 850, 549},
                           .tabIndex = 0,
                           .text = kSteps}),
               {}},
              {PushButton({.name = "PushButton1",
                           .box = kAbbruchBox,
                           .tabIndex = 1,
                           .caption = "Abbruch"}),
               {On(fw::Action, &Window6::PushButton1_Action)}},
              {PushButton(
                   {.name = "PushButton2", .box = kWeiterBox, .tabIndex = 2, .caption = "weiter"}),
               {On(fw::Action, &Window6::PushButton2_Action)}},
              {PushButton(
                   {.name = "PushButton3", .box = kZurueckBox, .tabIndex = 3, .caption = "zurück"}),
               {On(fw::Action, &Window6::PushButton3_Action)}},
          },
      .windowEvents = {On(fw::Paint, &Window6::Event_Paint), On(fw::Open, &Window6::Event_Open)}};
  return def;
}

void Window6::PushButton1_Action() { fw::Quit(0); }

// "weiter" and "zurück" both lead back to the text; the text display's
// counter, already moved on, sends its next "weiter" to the retelling.
void Window6::PushButton2_Action() {
  ImplicitWindow<Window5>()->Show();
  Hide();
}

void Window6::PushButton3_Action() {
  ImplicitWindow<Window5>()->Show();
  ImplicitWindow<Window6>()->Close();
}
