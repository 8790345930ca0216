#include "catalogue/window3.h"

#include "catalogue/text_catalogue.h"
#include "shell/implicit_window.h"

namespace {

// The headings, then one line per entry: the number right-aligned in eight
// places, the code, the title; TAB between cells, CR between lines.
std::string ListText() {
  std::string text = "Schwier.-Grad\tKürzel\tTitel";
  for (const CatalogueEntry& entry : TextCatalogue()) {
    std::string number = std::to_string(entry.Difficulty);
    text += '\r';
    text.append(number.size() < 2 ? 7 : 5, ' ');
    text += number + '\t' + entry.Code + '\t' + entry.Title;
  }
  return text;
}

}  // namespace

const WindowDef<Window3>& Window3::Definition() {
  static const WindowDef<Window3> def{
      .className = "Window3.Window3",
      .stream = ListWindowStream(),
      .controls =
          {
              {Listbox({.name = "Listbox1",
                        .box = {27, 30, 550, 575},
                        .lockLeft = true,
                        .lockTop = true,
                        .tabIndex = 1,
                        .columnCount = 3,
                        .columnWidths = "20%,20%,60%,\r\r\r",
                        .hasHeading = true,
                        .initialValue = ListText(),
                        .gridLines = 3,
                        .size = 14,
                        .bold = true,
                        .enableDrag = true,
                        .columnsResizable = true}),
               {On(fw::CellTextPaint, &Window3::Listbox1_CellTextPaint),
                On(fw::CellBackgroundPaint, &Window3::Listbox1_CellBackgroundPaint),
                On(fw::Change, &Window3::Listbox1_Change), On(fw::Open, &Window3::Listbox1_Open)}},
              {PushButton({.name = "PushButton3",
                           .box = {231, 650, 170, 20},
                           .tabIndex = 2,
                           .caption = "Liste ausblenden"}),
               {On(fw::Action, &Window3::PushButton3_Action)}},
          },
      .windowEvents = {On(fw::Open, &Window3::Event_Open)}};
  return def;
}

// Cells are drawn the list's usual way.
bool Window3::Listbox1_CellTextPaint(fw::Graphics&, int32_t, int32_t, int32_t, int32_t) {
  return false;
}

bool Window3::Listbox1_CellBackgroundPaint(fw::Graphics&, int32_t, int32_t) { return false; }

// "Liste ausblenden" gives the list up; the next one starts afresh.
void Window3::PushButton3_Action() { ImplicitWindow<Window3>()->Close(); }
