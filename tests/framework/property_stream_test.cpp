#include "framework/property_stream/property_stream.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "framework/runtime/class_builder.h"
#include "framework/runtime/exceptions.h"

namespace {

using namespace std::string_literals;

class TestWindow : public fw::Object {
 public:
  int32_t placement = 0, width = 0, height = 0, minWidth = 0, minHeight = 0, maxWidth = 0,
          maxHeight = 0;
  int32_t frame = 0, macProcId = 0, index = 0;
  bool composite = false, hasBackColor = false, visible = false, fullScreen = false,
       menuBarVisible = false;
  bool closeButton = false, resizeable = false, liveResize = false, maximizeButton = false;
  bool minimizeButton = false;
  fw::Color backColor;
  std::string title = "unset", helpTag = "unset";
  double ratio = 0;

  int begins = 0, ends = 0;
  bool failOnEnd = false;

  void BeginPropertyUpdate() override { ++begins; }
  void EndPropertyUpdate() override {
    ++ends;
    if (failOnEnd) throw fw::RuntimeException("EndPropertyUpdate");
  }
};

// Two properties live in the base class, as a window's do in the
// framework's Window, so that lookups must walk up the chain.
const fw::ClassRecord& BaseRecord() {
  static const fw::ClassRecord record = [] {
    fw::ClassBuilder<TestWindow> builder("TestBase", TestWindow().Class());
    builder.Property("Visible", &TestWindow::visible).Property("Title", &TestWindow::title);
    return std::move(builder).Build();
  }();
  return record;
}

const fw::ClassRecord& WindowRecord() {
  static const fw::ClassRecord record = [] {
    fw::ClassBuilder<TestWindow> builder("TestWindow", BaseRecord());
    builder.Property("Placement", &TestWindow::placement)
        .Property("Width", &TestWindow::width)
        .Property("Height", &TestWindow::height)
        .Property("MinWidth", &TestWindow::minWidth)
        .Property("MinHeight", &TestWindow::minHeight)
        .Property("MaxWidth", &TestWindow::maxWidth)
        .Property("MaxHeight", &TestWindow::maxHeight)
        .Property("Frame", &TestWindow::frame)
        .Property("Composite", &TestWindow::composite)
        .Property("HasBackColor", &TestWindow::hasBackColor)
        .Property("BackColor", &TestWindow::backColor)
        .Property("FullScreen", &TestWindow::fullScreen)
        .Property("MenuBarVisible", &TestWindow::menuBarVisible)
        .Property("CloseButton", &TestWindow::closeButton)
        .Property("Resizeable", &TestWindow::resizeable)
        .Property("LiveResize", &TestWindow::liveResize)
        .Property("MaximizeButton", &TestWindow::maximizeButton)
        .Property("MinimizeButton", &TestWindow::minimizeButton)
        .Property("MacProcID", &TestWindow::macProcId)
        .Property("Index", &TestWindow::index)
        .Property("HelpTag", &TestWindow::helpTag)
        .Property("Ratio", &TestWindow::ratio);
    return std::move(builder).Build();
  }();
  return record;
}

std::shared_ptr<TestWindow> NewWindow() {
  return std::static_pointer_cast<TestWindow>(fw::RuntimeNewObject(WindowRecord()));
}

const std::vector<std::string> kWindowProperties = {
    "Placement",   "Width",      "Height",     "MinWidth",       "MinHeight",
    "MaxWidth",    "MaxHeight",  "Frame",      "Composite",      "HasBackColor",
    "BackColor",   "Title",      "Visible",    "FullScreen",     "MenuBarVisible",
    "CloseButton", "Resizeable", "LiveResize", "MaximizeButton", "MinimizeButton",
    "MacProcID"};

std::string WindowStream() {
  return fw::PropertyStreamBuilder()
      .Integer("Placement", 3)
      .Integer("Width", 1000)
      .Integer("Height", 750)
      .Integer("MinWidth", 400)
      .Integer("MinHeight", 400)
      .Integer("MaxWidth", 2000)
      .Integer("MaxHeight", 2000)
      .Integer("Frame", 0)
      .Boolean("Composite", true)
      .Boolean("HasBackColor", true)
      .Colour("BackColor", fw::Color{0x99, 0xFF, 0xFF})
      .String("Title", "Merkhaus")
      .Boolean("Visible", true)
      .Boolean("FullScreen", false)
      .Boolean("MenuBarVisible", true)
      .Boolean("CloseButton", true)
      .Boolean("Resizeable", false)
      .Boolean("LiveResize", true)
      .Boolean("MaximizeButton", true)
      .Boolean("MinimizeButton", true)
      .Integer("MacProcID", 0)
      .Bytes();
}

// Writes the named properties of an object back into a stream, so that a
// stream read into an object can be compared with the bytes it came from.
std::string StreamOf(const fw::Object& object, const std::vector<std::string>& names) {
  fw::PropertyStreamBuilder builder;
  for (const auto& name : names) {
    const fw::Value value = object.Class().FindProperty(name)->get(object);
    if (const auto* i = std::get_if<int32_t>(&value)) builder.Integer(name, *i);
    if (const auto* b = std::get_if<bool>(&value)) builder.Boolean(name, *b);
    if (const auto* c = std::get_if<fw::Color>(&value)) builder.Colour(name, *c);
    if (const auto* s = std::get_if<std::string>(&value)) builder.String(name, *s);
  }
  return builder.Bytes();
}

// Holds the bytes in a heap block of exactly their size, so that AddressSanitizer
// reports any read past the end.
void ApplyExactly(fw::Object& target, const std::string& bytes) {
  auto block = std::make_unique<char[]>(bytes.size());
  bytes.copy(block.get(), bytes.size());
  fw::SetProperties(target, std::string_view(block.get(), bytes.size()));
}

std::string ErrorOf(fw::Object& target, const std::string& bytes) {
  try {
    ApplyExactly(target, bytes);
  } catch (const fw::InvalidArgumentException& e) {
    return e.what();
  }
  return "(kein Fehler)";
}

TEST(PropertyStreamBuilder, WritesEachTypeInItsByteForm) {
  using Builder = fw::PropertyStreamBuilder;
  EXPECT_EQ(Builder().Integer("MacProcID", 0).Bytes(), "MacProcID \0\0\0\0"s);
  EXPECT_EQ(Builder().Integer("Width", 1000).Bytes(), "Width \0\0\x03\xE8"s);
  EXPECT_EQ(Builder().Integer("Index", std::numeric_limits<int32_t>::min()).Bytes(),
            "Index \x80\0\0\0"s);
  EXPECT_EQ(Builder().Integer("_ScrollWidth", -1).Bytes(), "_ScrollWidth \xFF\xFF\xFF\xFF"s);
  EXPECT_EQ(Builder().Boolean("Visible", true).Boolean("Resizeable", false).Bytes(),
            "Visible \x01Resizeable \0"s);
  EXPECT_EQ(Builder().Colour("BackColor", fw::Color{0x99, 0xFF, 0xFF}).Bytes(),
            "BackColor \x99\xFF\xFF"s);
  EXPECT_EQ(Builder().String("Title", "Liste").Bytes(), "Title \0\0\0\x05Liste"s);
  EXPECT_EQ(Builder().String("HelpTag", "").Bytes(), "HelpTag \0\0\0\0"s);
  EXPECT_EQ(Builder().String("HelpTag", "\r").Bytes(), "HelpTag \0\0\0\x01\r"s);
  EXPECT_EQ(Builder().String("Caption", "zurück").Bytes(),
            "Caption \0\0\0\x07zur\xC3\xBC"
            "ck"s);

  const std::string window = WindowStream();
  EXPECT_TRUE(window.ends_with("MacProcID \0\0\0\0"s));
  EXPECT_TRUE(window.starts_with("Placement \0\0\0\x03Width "s));
}

TEST(PropertyStreamBuilder, RefusesNamesThatWouldBreakTheStream) {
  for (const char* name : {"", "1Width", "Tab Index", "Größe", "Width\x01"}) {
    EXPECT_THROW(fw::PropertyStreamBuilder().Integer(name, 1), fw::InvalidArgumentException)
        << name;
  }
  EXPECT_TRUE(fw::IsPropertyName("_ScrollWidth"));
  EXPECT_TRUE(fw::IsPropertyName("PushButton2"));
}

TEST(SetProperties, AWindowStreamComesBackByteForByte) {
  auto window = NewWindow();
  ApplyExactly(*window, WindowStream());
  EXPECT_EQ(window->width, 1000);
  EXPECT_EQ(window->backColor, (fw::Color{0x99, 0xFF, 0xFF}));
  EXPECT_EQ(window->title, "Merkhaus");
  EXPECT_TRUE(window->visible);
  EXPECT_EQ(StreamOf(*window, kWindowProperties), WindowStream());
}

TEST(SetProperties, TwoObjectsFromOneStreamAreAlike) {
  auto first = NewWindow();
  auto second = NewWindow();
  ApplyExactly(*first, WindowStream());
  ApplyExactly(*second, WindowStream());
  EXPECT_EQ(StreamOf(*first, kWindowProperties), StreamOf(*second, kWindowProperties));
}

TEST(SetProperties, ReadsBoundaryValues) {
  auto window = NewWindow();
  ApplyExactly(*window, fw::PropertyStreamBuilder()
                            .Integer("Index", std::numeric_limits<int32_t>::min())
                            .Integer("Width", std::numeric_limits<int32_t>::max())
                            .String("Title", "")
                            .String("HelpTag", "\r\r")
                            .Bytes());
  EXPECT_EQ(window->index, std::numeric_limits<int32_t>::min());
  EXPECT_EQ(window->width, std::numeric_limits<int32_t>::max());
  EXPECT_EQ(window->title, "");
  EXPECT_EQ(window->helpTag, "\r\r");

  ApplyExactly(*window, "");
  EXPECT_EQ(window->begins, 2);
  EXPECT_EQ(window->ends, 2);
}

TEST(SetProperties, RefusesPropertiesTheClassLacks) {
  auto window = NewWindow();
  const std::string message = ErrorOf(*window,
                                      "Width \0\0\0\x07"
                                      "Foo \0\0\0\0"s);
  EXPECT_EQ(message, "Die Eigenschaft „Foo“ gibt es in der Klasse „TestWindow“ nicht.");
  EXPECT_EQ(window->width, 7);  // applied before the fault
  EXPECT_EQ(window->begins, 1);
  EXPECT_EQ(window->ends, 1);

  EXPECT_NE(ErrorOf(*NewWindow(), "Ratio \0\0\0\0\0\0\0\0"s).find("„f8“"), std::string::npos);
}

TEST(SetProperties, RefusesMalformedEntries) {
  auto window = NewWindow();
  EXPECT_NE(ErrorOf(*window, "Visible \x02"s).find("kein Wahrheitswert"), std::string::npos);
  EXPECT_NE(ErrorOf(*window,
                    "Title \xFF\xFF\xFF\xFB"
                    "abc"s)
                .find("negative Länge -5"),
            std::string::npos);
  EXPECT_EQ(ErrorOf(*window,
                    "Title \x7F\xFF\xFF\xFF"
                    "abc"s),
            "Der Eigenschaftsdatenstrom endet mitten im Wert von „Title“.");
  EXPECT_NE(ErrorOf(*window, " \0\0\0\0"s).find("kein gültiger Eigenschaftsname"),
            std::string::npos);
  EXPECT_NE(ErrorOf(*window, "1Width \0\0\0\0"s).find("An Byte 0"), std::string::npos);
  EXPECT_NE(ErrorOf(*window, "Width\0\0\0\0"s).find("mitten in einem Eigenschaftsnamen"),
            std::string::npos);
  EXPECT_EQ(window->title, "unset");
  EXPECT_EQ(window->begins, 6);
  EXPECT_EQ(window->ends, 6);
}

TEST(SetProperties, EveryCutOffStreamFailsWithoutReadingPastItsEnd) {
  fw::PropertyStreamBuilder builder;
  std::set<size_t> entryEnds = {0};
  auto mark = [&](fw::PropertyStreamBuilder&) { entryEnds.insert(builder.Bytes().size()); };
  mark(builder.Integer("Width", 1000));
  mark(builder.Boolean("Visible", true));
  mark(builder.Colour("BackColor", fw::Color{1, 2, 3}));
  mark(builder.String("Title", "Merkhaus"));
  mark(builder.String("HelpTag", ""));
  const std::string stream = builder.Bytes();

  for (size_t length = 0; length <= stream.size(); ++length) {
    auto window = NewWindow();
    const std::string prefix = stream.substr(0, length);
    if (entryEnds.contains(length)) {
      EXPECT_NO_THROW(ApplyExactly(*window, prefix)) << length;
    } else {
      EXPECT_THROW(ApplyExactly(*window, prefix), fw::InvalidArgumentException) << length;
    }
    EXPECT_EQ(window->begins, 1) << length;
    EXPECT_EQ(window->ends, 1) << length;
  }
}

TEST(SetProperties, AStreamFaultOutranksAFailingEndOfUpdate) {
  auto window = NewWindow();
  window->failOnEnd = true;
  EXPECT_THROW(ApplyExactly(*window, "Foo \0"s), fw::InvalidArgumentException);
  try {
    ApplyExactly(*window, "Width \0\0\0\x01"s);
    ADD_FAILURE() << "EndPropertyUpdate's failure was lost";
  } catch (const fw::InvalidArgumentException&) {
    ADD_FAILURE() << "not a stream fault";
  } catch (const fw::RuntimeException& e) {
    EXPECT_STREQ(e.what(), "EndPropertyUpdate");
  }
  EXPECT_EQ(window->ends, 2);
}

}  // namespace
