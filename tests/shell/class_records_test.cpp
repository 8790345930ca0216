#include <gtest/gtest.h>

#include <cstring>

#include "catalogue/window3.h"
#include "framework/controls/check_box.h"
#include "framework/controls/edit_field.h"
#include "framework/controls/listbox.h"
#include "framework/controls/push_button.h"
#include "framework/controls/radio_button.h"
#include "framework/controls/static_text.h"
#include "learning/window2.h"
#include "learning/window4.h"
#include "learning/window5.h"
#include "learning/window6.h"
#include "learning/window7.h"
#include "learning/window8.h"
#include "learning/window9.h"
#include "recall/window11.h"
#include "recall/window12.h"
#include "recall/window13.h"
#include "shell/window1.h"
#include "shell/window10.h"
#include "shell/window20.h"

// What the class records and layout streams of the program's windows tell
// the framework: methods in slot order, the events each window handles, its
// properties, and every stream's properties in the order they are read.
namespace {

using Names = std::vector<std::string>;

Names Head(Names own) {
  Names all{"Layout", "CreateControls", "_CreateControls0"};
  all.insert(all.end(), own.begin(), own.end());
  return all;
}

Names EventsOf(const fw::ClassRecord& r) {
  Names events;
  for (const auto& e : r.events) events.push_back(e.event + ":" + e.method);
  return events;
}

Names PropertiesOf(const fw::ClassRecord& r) {
  Names properties;
  for (const auto& p : r.properties) properties.push_back(p.name + ":" + p.typeCode);
  return properties;
}

TEST(ClassRecords, MethodsStandInTheirSlotOrder) {
  const Names tinted{"ColourPicture"};
  auto with = [](Names a, const Names& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
  };
  EXPECT_EQ(
      Window20::Lookup().virtualMethods,
      Head(with({"PushButton2_Action", "PushButton2_Open", "Event_Paint", "Event_Open"}, tinted)));
  EXPECT_EQ(Window1::Lookup().virtualMethods,
            Head(with({"RadioButton1_MouseDown", "RadioButton1_Action", "CheckBox2_Action",
                       "PushButton1_Action", "CheckBox1_Action", "Event_Paint", "Event_Open",
                       "Event_MouseDown"},
                      tinted)));
  EXPECT_EQ(Window10::Lookup().virtualMethods, Head({"PushButton1_Action"}));
  EXPECT_EQ(Window3::Lookup().virtualMethods,
            Head({"Listbox1_CellTextPaint", "Listbox1_CellBackgroundPaint", "Listbox1_Change",
                  "Listbox1_Open", "PushButton3_Action", "Event_Open"}));
  EXPECT_EQ(Window2::Lookup().virtualMethods,
            Head(with({"PushButton1_Action", "PushButton2_Action", "EditField1_KeyDown",
                       "PushButton3_Action", "Event_Open", "Event_Paint"},
                      tinted)));
  EXPECT_EQ(Window4::Lookup().virtualMethods,
            Head(with({"PushButton1_Action", "PushButton1_DragOver", "PushButton2_Action",
                       "PushButton3_Action", "Event_Open", "Event_Paint"},
                      tinted)));
  EXPECT_EQ(Window5::Lookup().virtualMethods,
            Head(with({"EditField1_KeyDown", "EditField1_Open", "PushButton1_Action",
                       "PushButton2_Action", "Event_Activate", "Event_Paint", "Event_Open"},
                      tinted)));
  EXPECT_EQ(Window6::Lookup().virtualMethods,
            Head(with({"PushButton1_Action", "PushButton2_Action", "PushButton3_Action",
                       "Event_Paint", "Event_Open"},
                      tinted)));
  EXPECT_EQ(Window7::Lookup().virtualMethods,
            Head(with({"PushButton1_Action", "CheckBox1_Action", "PushButton2_Action", "Event_Open",
                       "Event_Paint"},
                      tinted)));
  EXPECT_EQ(Window8::Lookup().virtualMethods,
            Head(with({"PushButton1_Action", "PushButton2_Action", "PushButton3_Action",
                       "Event_Open", "Event_Paint"},
                      tinted)));
  EXPECT_EQ(Window9::Lookup().virtualMethods,
            Head(with({"PushButton1_Action", "PushButton2_Action", "Event_Open", "Event_Paint"},
                      tinted)));
  EXPECT_EQ(Window11::Lookup().virtualMethods,
            Head(with({"PushButton1_Action", "PushButton2_Action", "EditField1_KeyDown",
                       "PushButton3_Action", "Event_Open", "Event_Paint"},
                      tinted)));
  EXPECT_EQ(Window12::Lookup().virtualMethods,
            Head(with({"EditField1_KeyDown", "EditField1_Open", "PushButton1_Action",
                       "PushButton2_Action", "EditField3_KeyDown", "EditField3_KeyUp",
                       "Event_Activate", "Event_Open", "Event_Paint"},
                      tinted)));
  EXPECT_EQ(Window13::Lookup().virtualMethods,
            Head(with({"PushButton1_Action", "PushButton2_Action", "EditField2_KeyDown",
                       "EditField1_Open", "PushButton3_Action", "Event_Open", "Event_Activate",
                       "Event_Paint"},
                      tinted)));
}

TEST(ClassRecords, WindowsHandleTheirOwnEventsAndHoldTheirProperties) {
  const Names build{"Layout:Layout", "CreateControls:CreateControls"};
  auto with = [&](const Names& more) {
    Names all = build;
    all.insert(all.end(), more.begin(), more.end());
    return all;
  };
  EXPECT_EQ(EventsOf(Window1::Lookup()),
            with({"Paint:Event_Paint", "Open:Event_Open", "MouseDown:Event_MouseDown"}));
  EXPECT_EQ(EventsOf(Window10::Lookup()), build);
  EXPECT_EQ(EventsOf(Window3::Lookup()), with({"Open:Event_Open"}));
  EXPECT_EQ(EventsOf(Window13::Lookup()),
            with({"Open:Event_Open", "Activate:Event_Activate", "Paint:Event_Paint"}));
  EXPECT_EQ(PropertiesOf(Window5::Lookup()), (Names{"Gehezu:i4", "MyBackground:o<Picture>"}));
  EXPECT_EQ(PropertiesOf(Window12::Lookup()),
            (Names{"Punktemax:i4", "Punkterichtig:i4", "Prozent:f8", "Schwierigkeit:i4",
                   "MyBackground:o<Picture>"}));
  EXPECT_TRUE(PropertiesOf(Window3::Lookup()).empty());
  EXPECT_TRUE(PropertiesOf(Window10::Lookup()).empty());
  EXPECT_EQ(Window1::Lookup().name, "Window1.Window1");
  EXPECT_EQ(Window1::Lookup().FindMember("CheckBox1")->signature, "%o<CheckBox>%s");
  EXPECT_EQ(Window1::Lookup().FindMember("RadioButton1_MouseDown")->signature, "%b%i4i4");
  EXPECT_EQ(Window4::Lookup().FindMember("PushButton1_DragOver")->signature,
            "%b%i4i4o<DragItem>i4");
  EXPECT_EQ(Window3::Lookup().FindMember("Listbox1_CellTextPaint")->signature,
            "%b%o<Graphics>i4i4i4i4");
  EXPECT_EQ(Window12::Lookup().FindMember("EditField3_KeyUp")->signature, "%%s");
  EXPECT_EQ(Window1::Lookup().FindMember("ColourPicture")->signature, "%o<Picture>%o<Picture>c");
  EXPECT_EQ(Window1::Lookup().FindMember("_CreateControls0")->attributes.back().name, "Hidden");
  EXPECT_TRUE(Window1::Lookup().exit);
  EXPECT_FALSE(Window3::Lookup().exit);
}

// The names of a stream's entries, read the way the framework reads them.
Names StreamNames(const std::string& stream, const fw::ClassRecord& cls) {
  Names names;
  size_t at = 0;
  auto count = [&](size_t where) {
    uint32_t n = 0;
    for (int i = 0; i < 4; ++i) n = n << 8 | static_cast<unsigned char>(stream[where + i]);
    return n;
  };
  while (at < stream.size()) {
    size_t blank = stream.find(' ', at);
    std::string name = stream.substr(at, blank - at);
    names.push_back(name);
    const fw::PropertyInfo* p = cls.FindProperty(name);
    if (!p) return names;
    at = blank + 1;
    if (p->typeCode == "i4") at += 4;
    if (p->typeCode == "b") at += 1;
    if (p->typeCode == "c") at += 3;
    if (p->typeCode == "s") at += 4 + count(at);
  }
  return names;
}

const ControlLayout* Layout(const std::vector<ControlDef<Window1>>& controls,
                            const std::string& name) {
  for (const auto& c : controls) {
    if (c.layout.name == name) return &c.layout;
  }
  return nullptr;
}

TEST(ClassRecords, StreamsCarryEveryPropertyInTheOrderItIsRead) {
  const Names head{"Name",     "Index",   "Left",      "Top",        "Width",         "Height",
                   "LockLeft", "LockTop", "LockRight", "LockBottom", "TabPanelIndex", "TabIndex"};
  auto with = [&](const Names& more) {
    Names all = head;
    all.insert(all.end(), more.begin(), more.end());
    return all;
  };
  EXPECT_EQ(StreamNames(Window1::Definition().stream, fw::Window::Lookup()),
            (Names{"Placement",   "Width",      "Height",     "MinWidth",       "MinHeight",
                   "MaxWidth",    "MaxHeight",  "Frame",      "Composite",      "HasBackColor",
                   "BackColor",   "Title",      "Visible",    "FullScreen",     "MenuBarVisible",
                   "CloseButton", "Resizeable", "LiveResize", "MaximizeButton", "MinimizeButton",
                   "MacProcID"}));
  const auto& controls = Window1::Definition().controls;
  EXPECT_EQ(StreamNames(Layout(controls, "StaticText1")->stream, fw::StaticText::Lookup()),
            with({"Text", "TextAlign", "TextColor", "Multiline", "Enabled", "Visible", "HelpTag",
                  "AutoDeactivate", "TextFont", "TextSize", "Bold", "Italic", "Underline",
                  "DataSource", "DataField", "InitialParent"}));
  EXPECT_EQ(StreamNames(Layout(controls, "PushButton1")->stream, fw::PushButton::Lookup()),
            with({"TabStop", "Caption", "Default", "Cancel", "Enabled", "Visible", "HelpTag",
                  "AutoDeactivate", "TextFont", "TextSize", "Bold", "Italic", "Underline",
                  "InitialParent"}));
  EXPECT_EQ(StreamNames(Layout(controls, "CheckBox1")->stream, fw::CheckBox::Lookup()),
            with({"TabStop", "Caption", "Enabled", "Visible", "HelpTag", "AutoDeactivate",
                  "TextFont", "TextSize", "Bold", "Italic", "Underline", "State", "Value",
                  "DataSource", "DataField", "InitialParent"}));
  EXPECT_EQ(StreamNames(Layout(controls, "RadioButton1")->stream, fw::RadioButton::Lookup()).size(),
            25u);
  const auto& listStream = Window3::Definition().controls[0].layout.stream;
  EXPECT_EQ(StreamNames(listStream, fw::Listbox::Lookup()).size(), 45u);
  const auto& fieldStream = Window5::Definition().controls[0].layout.stream;
  EXPECT_EQ(StreamNames(fieldStream, fw::EditField::Lookup()).size(), 41u);
}

// A push button raises no KeyDown and a window no Change.
class MisboundWindow : public ProgramWindow<MisboundWindow> {
 public:
  static const WindowDef<MisboundWindow>& Definition() {
    static const WindowDef<MisboundWindow> def{
        .className = "MisboundWindow.MisboundWindow",
        .controls = {{PushButton({.name = "PushButton1"}),
                      {On(fw::KeyDown, &MisboundWindow::PushButton1_KeyDown)}}}};
    return def;
  }
  bool PushButton1_KeyDown(const std::string&) { return false; }
  void Event_Change() {}
};

TEST(ClassRecords, AHandlerForAnEventThatIsNotRaisedFailsWhenTheClassIsDescribed) {
  EXPECT_THROW(MisboundWindow::Lookup(), fw::InvalidArgumentException);
  fw::ClassBuilder<MisboundWindow> builder("MisboundWindow.MisboundWindow", fw::Window::Lookup());
  EXPECT_THROW(builder.Handles(fw::Change, "Event_Change", &MisboundWindow::Event_Change),
               fw::InvalidArgumentException);
}

}  // namespace
