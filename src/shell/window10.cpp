#include "shell/window10.h"

namespace {

const char* const kInformation =
    "Es wurden nur Filme ausgewählt, die eine sinnvolle Inhaltsbeschreibung zulassen. \r"
    "Alle Filme erzählen \"Geschichten\". Dabei handelt es sich um Krimis, Problemfilme, "
    "Liebesfilme und Komödien. \r"
    "\r"
    "Der Schwierigkeitsgrad der Texte wurde wie folgt bestimmt:\r"
    "1) Die Texte sind alle gleich aufgebaut; es handelt sich um \r"
    "    reine Inhaltsbeschreibungen.\r"
    "\r"
    "2) Während v. a. bei den leichteren Texten weitgehend auf die \r"
    "    Verwendung von Fremdwörtern verzichtet wurde, enthalten \r"
    "    die schwierigeren Texte zunehmend auch Fremdwörter.\r"
    "\r"
    "3) Die Texte sind nach ihrer Länge gestaffelt.\r"
    "    Während die leichtesten Texte (Nr. 1 bis 15) nur 86 bis 170\r"
    "    Wörter lang sind, haben die schwierigsten Texte (Nr. 70 \r"
    "    bis 82) 350 bis 450 Wörter.\r"
    "\r"
    "4) Texte mit einer ähnlichen Länge wurden dann nochmals mit \r"
    "    Hilfe eines Verständlichkeitsindex unterteilt. Dieser sogen. \r"
    "    Flesch-Index (auch: Lesbarkeitsindex) misst, wie leicht ein \r"
    "    Text auf Grund seiner Struktur lesbar und verständlich ist. \r"
    "    Über den Inhalt sagt der Index nichts aus. Er basiert vor \r"
    "    allem auf der Tatsache, dass kurze Wörter und kurze Sätze in \r"
    "    der Regel leichter verständlich sind als lange, wobei die Länge \r"
    "    der Wörter ein grösseres Gewicht hat als die Länge der Sätze.";

}  // namespace

const WindowDef<Window10>& Window10::Definition() {
  static const WindowDef<Window10> def{.className = "Window10.Window10",
                                       .stream = InfoWindowStream(),
                                       .controls = {
                                           {PushButton({.name = "PushButton1",
                                                        .box = {251, 650, 174, 20},
                                                        .tabIndex = 0,
                                                        .caption = "Fenster schließen"}),
                                            {On(fw::Action, &Window10::PushButton1_Action)}},
                                           {EditField({.name = "EditField1",
                                                       .box = {50, 55, 1, 22},
                                                       .tabIndex = 1,
                                                       .scrollbarVertical = true,
                                                       .size = 12}),
                                            {}},
                                           {StaticText({.name = "StaticText1",
                                                        .box = {55, 50, 600, 600},
                                                        .tabIndex = 2,
                                                        .text = kInformation}),
                                            {}},
                                       }};
  return def;
}

// "Fenster schließen" puts the window away; the next "mehr Info´s" shows it
// again as it was.
void Window10::PushButton1_Action() { Hide(); }
