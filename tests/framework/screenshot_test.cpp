#include <climits>

#include "framework/controls/listbox.h"
#include "framework/controls/radio_button.h"
#include "framework/controls/static_text.h"
#include "framework/picture/graphics.h"
#include "framework/picture/picture.h"
#include "support/harness.h"
#include "test_windows.h"

using harness::Implicit;

namespace {

fw::PropertyStreamBuilder Head(const std::string& name, int left, int top, int width, int height) {
  fw::PropertyStreamBuilder b;
  b.String("Name", name).Integer("Index", INT32_MIN).Integer("Left", left).Integer("Top", top);
  b.Integer("Width", width).Integer("Height", height);
  return b;
}

// One control of each class on a tinted window, as a program lays them out.
class Showcase : public fw::Window {
 public:
  static const fw::ClassRecord& Lookup() {
    static const fw::ClassRecord record =
        fw::ClassBuilder<Showcase>("Showcase.Showcase", fw::Window::Lookup())
            .Handles(fw::Layout, "Layout", &Showcase::Layout)
            .Handles(fw::CreateControls, "CreateControls", &Showcase::CreateControls)
            .Handles(fw::Open, "Event_Open", &Showcase::Event_Open)
            .Handles(fw::Paint, "Event_Paint", &Showcase::Event_Paint)
            .Build();
    return record;
  }

  void Layout() { fw::SetProperties(*this, testwin::WindowStream(1000, 750, "Merkhaus")); }

  void CreateControls() {
    using testwin::MakeControl;
    MakeControl<Showcase, fw::StaticText>(*this, "StaticText1",
                                          Head("StaticText1", 107, 63, 772, 93)
                                              .String("Text", "MERKHAUS")
                                              .Integer("TextAlign", 1)
                                              .Boolean("Multiline", true)
                                              .String("TextFont", "Verdana")
                                              .Integer("TextSize", 50)
                                              .Bytes());
    MakeControl<Showcase, fw::RadioButton>(*this, "RadioButton1",
                                           Head("RadioButton1", 546, 530, 124, 20)
                                               .String("Caption", "mehr Info´s")
                                               .String("TextFont", "Verdana")
                                               .Integer("TextSize", 14)
                                               .Boolean("Bold", true)
                                               .Boolean("Underline", true)
                                               .Bytes());
    MakeControl<Showcase, fw::CheckBox>(
        *this, "CheckBox1", testwin::CheckBoxStream("CheckBox1", " neuen Text lernen", 325, 553));
    MakeControl<Showcase, fw::PushButton>(*this, "PushButton1",
                                          testwin::ButtonStream("PushButton1", "weiter", 800, 650));
    MakeControl<Showcase, fw::EditField>(
        *this, "EditField1", testwin::FieldStream("EditField1", 54, 200, 400, 300, true));
    MakeControl<Showcase, fw::EditField>(
        *this, "EditField2", testwin::FieldStream("EditField2", 469, 600, 62, 34, true));
    MakeControl<Showcase, fw::Listbox>(
        *this, "Listbox1",
        Head("Listbox1", 500, 200, 450, 300)
            .Integer("ColumnCount", 3)
            .String("ColumnWidths", "20%,20%,60%,\r\r\r")
            .Boolean("HasHeading", true)
            .String("InitialValue",
                    "Schwier.-Grad\tKürzel\tTitel\r       1\tgold\tGolden Girl\r"
                    "     82\tband\tDie Band von nebenan")
            .Integer("GridLinesHorizontal", 3)
            .Integer("GridLinesVertical", 3)
            .String("TextFont", "Verdana")
            .Integer("TextSize", 14)
            .Boolean("Bold", true)
            .Bytes());
  }

  void Event_Open() {
    background = fw::NewPicture(Width(), Height(), 32);
    auto g = background->Graphics();
    g->ForeColor(fw::RGB(153, 255, 255));
    g->FillRect(0, 0, Width(), Height());
    g->ForeColor(fw::RGB(120, 200, 200));
    g->FillRect(0, 0, Width(), 40);
  }

  void Event_Paint(fw::Graphics& g) { g.DrawPicture(background, 0, 0, Width(), Height()); }

  fw::Ref<fw::Picture> background;
};

class ScreenshotTest : public harness::FrameworkTest {};

TEST_F(ScreenshotTest, WindowShowsItsControlsWhereTheLayoutPutsThem) {
  harness::AsHandler([] { Implicit<Showcase>(); });
  auto w = Implicit<Showcase>();
  harness::SaveScreenshot(*w, "framework_showcase");
  QImage content = harness::Grab(*w);
  ASSERT_EQ(content.width(), 1000);
  ASSERT_EQ(content.height(), 750);
  // The painted background: its band at the top, the window colour below.
  EXPECT_EQ(content.pixelColor(5, 5), QColor(120, 200, 200));
  EXPECT_EQ(content.pixelColor(20, 700), QColor(153, 255, 255));
  // The field's own colour inside it, and only there.
  EXPECT_EQ(content.pixelColor(200, 400), QColor(255, 255, 153));
  EXPECT_EQ(content.pixelColor(50, 400), QColor(153, 255, 255));
  EXPECT_EQ(content.pixelColor(460, 400), QColor(153, 255, 255));
  for (const auto& control : w->Controls()) {
    QWidget* widget = fw::qt::WidgetOf(*control);
    const auto& p = control->Common();
    EXPECT_EQ(widget->geometry(), QRect(p.left, p.top, p.width, p.height)) << control->Name();
  }
}

}  // namespace
