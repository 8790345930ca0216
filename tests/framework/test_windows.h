#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/controls/check_box.h"
#include "framework/controls/edit_field.h"
#include "framework/controls/push_button.h"
#include "framework/property_stream/property_stream.h"
#include "framework/runtime/class_builder.h"
#include "framework/window/window.h"

// Window classes of the tests, built the way a program builds its windows:
// a layout stream, controls made one by one with their streams and
// handlers, and a class record that binds the window's own events.
namespace testwin {

std::string WindowStream(int width, int height, const std::string& title, bool visible = true);

// Makes a control of a class on the window, applies its stream and binds
// the named handlers of the window to its events.
template <class W, class C>
fw::Ref<C> MakeControl(W& window, const std::string& name, const std::string& stream) {
  auto control = std::static_pointer_cast<C>(window.New(C::Lookup()));
  control->Constructor();
  window.AddControl(name, control);
  fw::SetProperties(*fw::RuntimeWindowControlByName(
                        std::static_pointer_cast<fw::Window>(window.shared_from_this()), name),
                    stream);
  return control;
}

std::string FieldStream(const std::string& name, int left, int top, int width, int height,
                        bool multiline = false);
std::string ButtonStream(const std::string& name, const std::string& caption, int left, int top);
std::string CheckBoxStream(const std::string& name, const std::string& caption, int left, int top);

// A window with a field, a button and a check box, and counters for what
// happened to it. Hooks let a test put work into its handlers.
class NoteWindow : public fw::Window {
 public:
  static const fw::ClassRecord& Lookup();

  void Layout();
  void CreateControls();
  void Event_Open();
  void Event_Activate();
  bool EditField1_KeyDown(const std::string& key);
  void EditField1_KeyUp(const std::string& key);
  void PushButton1_Action();
  void Exit();

  int opens = 0;
  int activations = 0;
  std::vector<std::string> keysDown;
  std::vector<std::string> textsAtKeyUp;
  std::function<bool(const std::string&)> onKeyDown;
  std::function<void()> onAction;

  static inline int exits = 0;
  static inline std::function<void()> onOpen;
};

// A second class, for handlers that reach across windows.
class OtherWindow : public NoteWindow {
 public:
  static const fw::ClassRecord& Lookup();
};

}  // namespace testwin
