#include "test_windows.h"

#include <climits>

#include "framework/runtime/delegate.h"

namespace testwin {

std::string WindowStream(int width, int height, const std::string& title, bool visible) {
  return fw::PropertyStreamBuilder()
      .Integer("Placement", 3)
      .Integer("Width", width)
      .Integer("Height", height)
      .Integer("MinWidth", 400)
      .Integer("MinHeight", 400)
      .Integer("MaxWidth", 2000)
      .Integer("MaxHeight", 2000)
      .Integer("Frame", 0)
      .Boolean("Composite", true)
      .Boolean("HasBackColor", true)
      .Colour("BackColor", fw::RGB(153, 255, 255))
      .String("Title", title)
      .Boolean("Visible", visible)
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

namespace {

fw::PropertyStreamBuilder Head(const std::string& name, int left, int top, int width, int height) {
  fw::PropertyStreamBuilder b;
  b.String("Name", name)
      .Integer("Index", INT32_MIN)
      .Integer("Left", left)
      .Integer("Top", top)
      .Integer("Width", width)
      .Integer("Height", height)
      .Boolean("LockLeft", false)
      .Boolean("LockTop", false)
      .Boolean("LockRight", false)
      .Boolean("LockBottom", false)
      .Integer("TabPanelIndex", 0)
      .Integer("TabIndex", 0);
  return b;
}

}  // namespace

std::string FieldStream(const std::string& name, int left, int top, int width, int height,
                        bool multiline) {
  return Head(name, left, top, width, height)
      .Boolean("TabStop", true)
      .Boolean("Border", true)
      .Boolean("Multiline", multiline)
      .Boolean("ScrollbarHorizontal", false)
      .Boolean("ScrollbarVertical", multiline)
      .Boolean("Styled", false)
      .Boolean("Password", false)
      .Boolean("UseFocusRing", true)
      .Colour("TextColor", fw::RGB(0, 0, 0))
      .Colour("BackColor", fw::RGB(255, 255, 153))
      .Boolean("Enabled", true)
      .String("Format", "")
      .Boolean("Visible", true)
      .String("HelpTag", "")
      .Boolean("AutoDeactivate", true)
      .String("TextFont", "Verdana")
      .Integer("TextSize", 18)
      .Boolean("Bold", false)
      .Boolean("Italic", false)
      .Boolean("Underline", false)
      .String("Text", "")
      .String("Mask", "")
      .Boolean("ReadOnly", false)
      .Integer("LimitText", 0)
      .Boolean("AcceptTabs", false)
      .Integer("Alignment", 0)
      .String("DataSource", "")
      .String("DataField", "")
      .String("InitialParent", "")
      .Bytes();
}

std::string ButtonStream(const std::string& name, const std::string& caption, int left, int top) {
  return Head(name, left, top, 90, 20)
      .Boolean("TabStop", true)
      .String("Caption", caption)
      .Boolean("Default", false)
      .Boolean("Cancel", false)
      .Boolean("Enabled", true)
      .Boolean("Visible", true)
      .String("HelpTag", "")
      .Boolean("AutoDeactivate", true)
      .String("TextFont", "Verdana")
      .Integer("TextSize", 18)
      .Boolean("Bold", false)
      .Boolean("Italic", false)
      .Boolean("Underline", false)
      .String("InitialParent", "")
      .Bytes();
}

std::string CheckBoxStream(const std::string& name, const std::string& caption, int left, int top) {
  return Head(name, left, top, 308, 35)
      .Boolean("TabStop", true)
      .String("Caption", caption)
      .Boolean("Enabled", true)
      .Boolean("Visible", true)
      .String("HelpTag", "\r")
      .Boolean("AutoDeactivate", true)
      .String("TextFont", "Verdana")
      .Integer("TextSize", 18)
      .Boolean("Bold", false)
      .Boolean("Italic", false)
      .Boolean("Underline", false)
      .Integer("State", 0)
      .Boolean("Value", false)
      .String("DataSource", "")
      .String("DataField", "")
      .String("InitialParent", "")
      .Bytes();
}

namespace {

template <class T>
fw::ClassRecord NoteRecord(const std::string& name, const fw::ClassRecord& base) {
  return fw::ClassBuilder<T>(name, base)
      .Method("Layout", &T::Layout)
      .Method("CreateControls", &T::CreateControls)
      .Method("EditField1_KeyDown", &T::EditField1_KeyDown)
      .Method("EditField1_KeyUp", &T::EditField1_KeyUp)
      .Method("PushButton1_Action", &T::PushButton1_Action)
      .Method("Event_Open", &T::Event_Open)
      .Method("Event_Activate", &T::Event_Activate)
      .Handles(fw::Layout, "Layout", &T::Layout)
      .Handles(fw::CreateControls, "CreateControls", &T::CreateControls)
      .Handles(fw::Open, "Event_Open", &T::Event_Open)
      .Handles(fw::Activate, "Event_Activate", &T::Event_Activate)
      .Exit(&T::Exit)
      .Build();
}

}  // namespace

const fw::ClassRecord& NoteWindow::Lookup() {
  static const fw::ClassRecord record =
      NoteRecord<NoteWindow>("NoteWindow.NoteWindow", fw::Window::Lookup());
  return record;
}

const fw::ClassRecord& OtherWindow::Lookup() {
  static const fw::ClassRecord record = [] {
    fw::ClassRecord r =
        fw::ClassBuilder<OtherWindow>("OtherWindow.OtherWindow", NoteWindow::Lookup()).Build();
    return r;
  }();
  return record;
}

void NoteWindow::Layout() { fw::SetProperties(*this, WindowStream(400, 300, "Notiz")); }

void NoteWindow::CreateControls() {
  auto self = std::static_pointer_cast<NoteWindow>(shared_from_this());
  auto field = MakeControl<NoteWindow, fw::EditField>(*this, "EditField1",
                                                      FieldStream("EditField1", 10, 10, 200, 24));
  fw::InstallInstanceEventHandler(
      field, "KeyDown",
      fw::RuntimeCreateDelegate(self, &NoteWindow::EditField1_KeyDown, "( String ) as Boolean"));
  fw::InstallInstanceEventHandler(
      field, "KeyUp", fw::RuntimeCreateDelegate(self, &NoteWindow::EditField1_KeyUp, "( String )"));
  auto button = MakeControl<NoteWindow, fw::PushButton>(
      *this, "PushButton1", ButtonStream("PushButton1", "weiter", 300, 250));
  fw::InstallInstanceEventHandler(
      button, "Action", fw::RuntimeCreateDelegate(self, &NoteWindow::PushButton1_Action, "(  )"));
  MakeControl<NoteWindow, fw::CheckBox>(*this, "CheckBox1",
                                        CheckBoxStream("CheckBox1", " ankreuzen", 10, 60));
}

void NoteWindow::Event_Open() {
  ++opens;
  if (onOpen) onOpen();
}

void NoteWindow::Event_Activate() { ++activations; }

bool NoteWindow::EditField1_KeyDown(const std::string& key) {
  keysDown.push_back(key);
  return onKeyDown ? onKeyDown(key) : false;
}

void NoteWindow::EditField1_KeyUp(const std::string&) {
  auto field = std::static_pointer_cast<fw::EditField>(ControlByName("EditField1"));
  textsAtKeyUp.push_back(field->Text());
}

void NoteWindow::PushButton1_Action() {
  if (onAction) onAction();
}

void NoteWindow::Exit() { ++exits; }

}  // namespace testwin
