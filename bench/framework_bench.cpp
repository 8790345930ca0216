// Costs of the framework on the paths that every window of a program takes.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <climits>
#include <cstdlib>

#include "framework/application/dispatch.h"
#include "framework/controls/listbox.h"
#include "framework/controls/push_button.h"
#include "framework/controls/static_text.h"
#include "framework/picture/graphics.h"
#include "framework/picture/picture.h"
#include "framework/property_stream/property_stream.h"
#include "framework/qt/window_peer.h"
#include "framework/runtime/class_builder.h"
#include "framework/runtime/runtime.h"
#include "framework/window/window.h"

namespace {

fw::PropertyStreamBuilder Head(const std::string& name, int left, int top, int width, int height) {
  fw::PropertyStreamBuilder b;
  b.String("Name", name).Integer("Index", INT32_MIN).Integer("Left", left).Integer("Top", top);
  b.Integer("Width", width).Integer("Height", height).Boolean("LockLeft", false);
  b.Boolean("LockTop", false).Boolean("LockRight", false).Boolean("LockBottom", false);
  b.Integer("TabPanelIndex", 0).Integer("TabIndex", 0);
  return b;
}

const std::string& WindowStream() {
  static const std::string stream = fw::PropertyStreamBuilder()
                                        .Integer("Placement", 3)
                                        .Integer("Width", 1000)
                                        .Integer("Height", 750)
                                        .Boolean("HasBackColor", true)
                                        .Colour("BackColor", fw::RGB(153, 255, 255))
                                        .String("Title", "Merkhaus")
                                        .Boolean("Visible", true)
                                        .Boolean("Resizeable", false)
                                        .Bytes();
  return stream;
}

// The background of a window: a picture tinted through a mask, tiled.
fw::Ref<fw::Picture> MaskPicture() {
  static fw::Ref<fw::Picture> mask = [] {
    auto p = fw::NewPicture(500, 375, 32);
    auto g = p->Graphics();
    for (int i = 0; i < 25; ++i) {
      g->ForeColor(fw::RGB(i * 10, i * 10, i * 10));
      g->FillRect(i * 20, 0, 20, 375);
    }
    return p;
  }();
  return mask;
}

class BenchWindow : public fw::Window {
 public:
  static const fw::ClassRecord& Lookup() {
    static const fw::ClassRecord record =
        fw::ClassBuilder<BenchWindow>("BenchWindow.BenchWindow", fw::Window::Lookup())
            .Handles(fw::Layout, "Layout", &BenchWindow::Layout)
            .Handles(fw::CreateControls, "CreateControls", &BenchWindow::CreateControls)
            .Handles(fw::Open, "Event_Open", &BenchWindow::Event_Open)
            .Handles(fw::Paint, "Event_Paint", &BenchWindow::Event_Paint)
            .Build();
    return record;
  }

  void Layout() { fw::SetProperties(*this, WindowStream()); }

  void CreateControls() {
    for (int i = 0; i < 5; ++i) {
      bool label = i % 2 == 0;
      auto control = New(label ? fw::StaticText::Lookup() : fw::PushButton::Lookup());
      std::string name = (label ? "StaticText" : "PushButton") + std::to_string(i);
      AddControl(name, control);
      auto stream = Head(name, 50, 50 + 60 * i, 300, 40)
                        .String(label ? "Text" : "Caption", "weiter")
                        .String("TextFont", "Verdana")
                        .Integer("TextSize", 18)
                        .Bytes();
      fw::SetProperties(*control, stream);
    }
  }

  void Event_Open() {
    auto tile = fw::NewPicture(500, 375, 32);
    auto g = tile->Graphics();
    g->ForeColor(fw::RGB(153, 255, 255));
    g->FillRect(0, 0, 500, 375);
    tile->Mask(MaskPicture());
    background = fw::NewPicture(1000, 750, 32);
    for (int i = 0; i < 2; ++i) {
      for (int j = 0; j < 2; ++j) background->Graphics()->DrawPicture(tile, i * 500, j * 375);
    }
  }

  void Event_Paint(fw::Graphics& g) { g.DrawPicture(background, 0, 0, Width(), Height()); }

  fw::Ref<fw::Picture> background;
};

void DrainEvents() {
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void BM_WindowBuildShowClose(benchmark::State& state) {
  // Shown in one handler and closed in the next, so that the window reaches
  // the screen: one built and closed in one handler never makes its widgets.
  for (auto _ : state) {
    fw::Ref<fw::Window> window;
    fw::Dispatch([&] {
      window = std::static_pointer_cast<fw::Window>(fw::RuntimeNewObject(BenchWindow::Lookup()));
      window->Constructor();
      window->Show();
    });
    DrainEvents();
    fw::Dispatch([&] { window->Close(); });
    window.reset();
    DrainEvents();
  }
}
BENCHMARK(BM_WindowBuildShowClose)->Unit(benchmark::kMillisecond);

std::string ListText() {
  std::string text = "Schwier.-Grad\tKürzel\tTitel";
  for (int i = 1; i <= 82; ++i) {
    std::string number = std::to_string(i);
    text += "\r" + std::string(i < 10 ? 7 : 5, ' ') + number + "\tcode" + number +
            "\tEin Filmtitel Nummer " + number;
  }
  return text;
}

std::string ListboxStream() {
  return Head("Listbox1", 27, 30, 550, 575)
      .Boolean("TabStop", true)
      .Boolean("Visible", true)
      .String("HelpTag", "")
      .Boolean("AutoDeactivate", true)
      .Boolean("Enabled", true)
      .Boolean("Border", true)
      .Integer("ColumnCount", 3)
      .String("ColumnWidths", "20%,20%,60%,\r\r\r")
      .Boolean("HasHeading", true)
      .Boolean("UseFocusRing", true)
      .String("InitialValue", ListText())
      .Integer("HeadingIndex", -1)
      .Boolean("ScrollbarHorizontal", false)
      .Boolean("ScrollBarVertical", true)
      .Integer("GridLinesHorizontal", 3)
      .Integer("GridLinesVertical", 3)
      .Integer("DefaultRowHeight", -1)
      .Integer("_ScrollWidth", -1)
      .String("TextFont", "Verdana")
      .Integer("TextSize", 14)
      .Boolean("Bold", true)
      .Boolean("Italic", false)
      .Boolean("Underline", false)
      .Boolean("Hierarchical", false)
      .Boolean("EnableDrag", true)
      .Boolean("EnableDragReorder", false)
      .Boolean("RequiresSelection", false)
      .Integer("SelectionType", 0)
      .Boolean("ColumnsResizable", true)
      .Boolean("AutoHideScrollbars", true)
      .String("DataSource", "")
      .String("DataField", "")
      .String("InitialParent", "")
      .Bytes();
}

// The stream alone, and the stream applied to a new list on a window that
// has its widgets, where the 82 rows are made.
void BM_SetPropertiesListbox45(benchmark::State& state) {
  const std::string stream = ListboxStream();
  const bool onWindow = state.range(0) != 0;
  for (auto _ : state) {
    state.PauseTiming();
    fw::Ref<fw::Window> window;
    fw::Ref<fw::Control> list;
    if (onWindow) {
      window = std::static_pointer_cast<fw::Window>(fw::RuntimeNewObject(fw::Window::Lookup()));
      list = window->New(fw::Listbox::Lookup());
      window->AddControl("Listbox1", list);
      window->Peer().MakeWidgets();
    } else {
      list = std::static_pointer_cast<fw::Control>(fw::RuntimeNewObject(fw::Listbox::Lookup()));
    }
    state.ResumeTiming();
    fw::SetProperties(*list, stream);
    state.PauseTiming();
    list.reset();
    window.reset();
    DrainEvents();
    state.ResumeTiming();
  }
  state.SetLabel(onWindow ? "new list on a window" : "stream only");
}
BENCHMARK(BM_SetPropertiesListbox45)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  fw::RuntimeInit();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return fw::RuntimeExit();
}
