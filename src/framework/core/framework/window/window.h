#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/controls/control.h"
#include "framework/runtime/class_record.h"
#include "framework/runtime/color.h"

namespace fw {

struct WindowProperties;
namespace qt {
class WindowPeer;
}

// The toolkit side of a window, made by the toolkit layer: its frame and the
// content its controls lie on.
class WindowPeer {
 public:
  virtual ~WindowPeer() = default;
  virtual bool HasWidgets() const = 0;
  virtual void Apply(const WindowProperties& p) = 0;
  virtual void ArrangeFocus(const std::vector<Ref<Control>>& controls) = 0;
  // In the layout's numbers, whatever the scale the window is shown at.
  virtual int ContentWidth() const = 0;
  virtual int ContentHeight() const = 0;
  virtual void SetOnScreen(bool on) = 0;
  // The program called the window up: when it next comes onto the screen or
  // forward, it is placed as a new one would be.
  virtual void PlaceAgain() = 0;
  virtual void Raise() = 0;
  virtual void TakeKeyboard(bool evenWhereItIs) = 0;
};

// The values of a window's layout stream.
struct WindowProperties {
  int32_t placement = 0;
  int32_t width = 300;
  int32_t height = 300;
  int32_t minWidth = 64;
  int32_t minHeight = 64;
  int32_t maxWidth = 32000;
  int32_t maxHeight = 32000;
  int32_t frame = 0;
  bool composite = false;
  bool hasBackColor = false;
  Color backColor{255, 255, 255};
  std::string title;
  bool visible = true;
  bool fullScreen = false;
  bool menuBarVisible = true;
  bool closeButton = true;
  bool resizeable = true;
  bool liveResize = true;
  bool maximizeButton = true;
  bool minimizeButton = true;
  int32_t macProcID = 0;
};

// A window of the framework. A program derives its window classes from it
// and describes them with class records; the window raises the events that
// the record binds (Layout, CreateControls, Open, Paint, Activate, MouseDown).
class Window : public Object, public ControlHost {
 public:
  static constexpr const char* kTypeName = "Window";
  static const ClassRecord& Lookup();

  Window();
  ~Window() override;

  // Builds the window: it becomes the live window of its class, takes its
  // layout and controls, runs the controls' and its own Open events, and
  // comes onto the screen when its layout says Visible.
  void Constructor();

  void Show();
  void Hide();
  void Close();
  int32_t Width() const { return peer_->ContentWidth(); }
  int32_t Height() const { return peer_->ContentHeight(); }

  // Making controls: a new control of a class, added under a name.
  Ref<Control> New(const ClassRecord& controlClass);
  void AddControl(const std::string& name, const Ref<Control>& control);
  Ref<Control> ControlByName(std::string_view name) const;
  const std::vector<Ref<Control>>& Controls() const override { return controls_; }

  const WindowProperties& Properties() const { return properties_; }
  const std::string& Title() const { return properties_.title; }
  bool Visible() const { return shown_; }
  bool IsOpen() const { return open_; }

  void PropertiesChanged();
  void BeginPropertyUpdate() override { ++updateDepth_; }
  void EndPropertyUpdate() override;

  // For the toolkit glue.
  qt::WindowPeer& Peer() const;  // written in the toolkit glue
  bool HasWidgets() const override { return peer_->HasWidgets(); }
  // The window's widgets are there: its controls get theirs.
  void WidgetsMade();
  void SyncScreenVisibility() { peer_->SetOnScreen(open_ && shown_); }
  void RaiseOnScreen(bool takeKeyboard);
  void TakeKeyboardOnScreen(bool evenWhereItIs);
  // Opened beside the window it was called up from (placement 4): it leaves
  // the keyboard in that one.
  bool OpensBeside() const { return properties_.placement == 4; }

 protected:
  const ClassRecord& NativeClass() const override { return Lookup(); }

 private:
  static std::vector<PropertyInfo> PropertyTable();
  void SetVisibleProperty();

  WindowProperties properties_;
  std::vector<Ref<Control>> controls_;
  std::unique_ptr<fw::WindowPeer> peer_;
  bool open_ = false;
  bool built_ = false;
  bool controlsCreated_ = false;
  bool shown_ = false;
  int updateDepth_ = 0;
};

// The live window of a class, found by the class's name; nil when none.
Ref<Window> GetImplicitWindow(std::string_view className);

// A control of a window, found by name; nil when the window has none.
Ref<Control> RuntimeWindowControlByName(const Ref<Window>& window, std::string_view name);

}  // namespace fw
