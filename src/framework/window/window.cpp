#include "framework/window/window.h"

#include "framework/controls/control.h"
#include "framework/picture/graphics.h"
#include "framework/runtime/property_field.h"
#include "framework/window/toolkit.h"
#include "framework/window/window_system.h"

namespace fw {

struct WindowPropertyTable {
  static std::vector<PropertyInfo> Make() {
    using W = WindowProperties;
    auto field = [](std::string name, auto W::*member) {
      return FieldProperty<Window>(std::move(name), &Window::properties_, member);
    };
    std::vector<PropertyInfo> table{field("Placement", &W::placement),
                                    field("Width", &W::width),
                                    field("Height", &W::height),
                                    field("MinWidth", &W::minWidth),
                                    field("MinHeight", &W::minHeight),
                                    field("MaxWidth", &W::maxWidth),
                                    field("MaxHeight", &W::maxHeight),
                                    field("Frame", &W::frame),
                                    field("Composite", &W::composite),
                                    field("HasBackColor", &W::hasBackColor),
                                    field("BackColor", &W::backColor),
                                    field("Title", &W::title),
                                    field("Visible", &W::visible),
                                    field("FullScreen", &W::fullScreen),
                                    field("MenuBarVisible", &W::menuBarVisible),
                                    field("CloseButton", &W::closeButton),
                                    field("Resizeable", &W::resizeable),
                                    field("LiveResize", &W::liveResize),
                                    field("MaximizeButton", &W::maximizeButton),
                                    field("MinimizeButton", &W::minimizeButton),
                                    field("MacProcID", &W::macProcID)};
    // Visible is not only a value: it shows or hides a built window.
    for (auto& p : table) {
      if (p.name != "Visible") continue;
      auto plainSet = p.set;
      p.set = [plainSet](Object& o, const Value& v) {
        plainSet(o, v);
        static_cast<Window&>(o).SetVisibleProperty();
      };
    }
    return table;
  }
};

const ClassRecord& Window::Lookup() {
  static const ClassRecord record = [] {
    ClassRecord r;
    r.name = "Window";
    r.attributes = {{"__Scope", "Public"}};
    r.virtualMethods = {"Show", "Hide", "Close", "_AddControl", "__New", "Constructor"};
    r.properties = WindowPropertyTable::Make();
    r.raises = {Layout, CreateControls, Open, Paint, Activate, MouseDown};
    r.factory = [] { return std::make_shared<Window>(); };
    return r;
  }();
  return record;
}

const ClassRecord& Window::NativeClass() const { return Lookup(); }

Window::Window() : peer_(qt::MakeWindowPeer(*this)) {}

Window::~Window() {
  WindowSystem::Forget();
  // The frame first: it stays on the screen as it was until the window that
  // replaces it is painted, and must not show its controls going.
  peer_.reset();
  controls_.clear();
}

void Window::Constructor() {
  auto self = std::static_pointer_cast<Window>(shared_from_this());
  open_ = true;
  WindowSystem::Register(self);
  try {
    RaiseClassEvent(*this, Layout);
    RaiseClassEvent(*this, CreateControls);
    controlsCreated_ = true;
    if (peer_->HasWidgets()) peer_->ArrangeFocus(controls_);
    std::vector<Ref<Control>> controls = controls_;
    for (const auto& control : controls) control->Raise(Open);
    RaiseClassEvent(*this, Open);
  } catch (...) {
    // A half-built window is given up, so the next reference builds anew.
    Close();
    throw;
  }
  built_ = true;
  if (shown_ && open_) WindowSystem::BringToFront(*this);
}

void Window::Show() {
  if (!open_) return;
  shown_ = true;
  properties_.visible = true;
  if (built_) WindowSystem::BringToFront(*this);
  WindowSystem::Changed();
}

void Window::Hide() {
  shown_ = false;
  properties_.visible = false;
  WindowSystem::Withdraw(*this);
  WindowSystem::Changed();
}

void Window::Close() {
  if (!open_) return;
  Ref<Object> keep = shared_from_this();
  open_ = false;
  shown_ = false;
  WindowSystem::Unregister(*this);
  WindowSystem::Withdraw(*this);
}

int32_t Window::Width() const { return peer_->ContentWidth(); }

int32_t Window::Height() const { return peer_->ContentHeight(); }

Ref<Control> Window::New(const ClassRecord& controlClass) {
  return RuntimeCheckCast<Control>(RuntimeNewObject(controlClass), Control::Lookup());
}

void Window::AddControl(const std::string& name, const Ref<Control>& control) {
  NotNil(control, "das Steuerelement „" + name + "“");
  control->AttachTo(std::static_pointer_cast<Window>(shared_from_this()), *this, name);
  controls_.push_back(control);
}

Ref<Control> Window::ControlByName(std::string_view name) const {
  for (const auto& control : controls_) {
    if (control->Name() == name) return control;
  }
  return nullptr;
}

void Window::PropertiesChanged() {
  if (updateDepth_ == 0) peer_->Apply(properties_);
}

void Window::BeginPropertyUpdate() { ++updateDepth_; }

void Window::EndPropertyUpdate() {
  if (--updateDepth_ == 0) peer_->Apply(properties_);
}

void Window::SetVisibleProperty() {
  if (!built_) {
    shown_ = properties_.visible;
  } else if (properties_.visible) {
    Show();
  } else {
    Hide();
  }
}

void Window::WidgetsMade() {
  std::vector<Ref<Control>> controls = controls_;
  for (const auto& control : controls) control->MakeWidget();
  if (controlsCreated_) peer_->ArrangeFocus(controls_);
}

void Window::SyncScreenVisibility() { peer_->SetOnScreen(open_ && shown_); }

void Window::RaiseOnScreen(bool takeKeyboard) {
  if (!open_ || !shown_) return;
  peer_->Raise();
  if (takeKeyboard) peer_->TakeKeyboard(true);
}

void Window::TakeKeyboardOnScreen(bool evenWhereItIs) {
  if (open_ && shown_) peer_->TakeKeyboard(evenWhereItIs);
}

bool Window::OpensBeside() const { return properties_.placement == 4; }

Ref<Window> GetImplicitWindow(std::string_view className) { return WindowSystem::Find(className); }

Ref<Control> RuntimeWindowControlByName(const Ref<Window>& window, std::string_view name) {
  return window ? window->ControlByName(name) : nullptr;
}

}  // namespace fw
