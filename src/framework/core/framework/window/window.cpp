#include "framework/window/window.h"

#include <algorithm>

#include "framework/controls/control.h"
#include "framework/picture/graphics.h"
#include "framework/runtime/property_field.h"
#include "framework/window/toolkit.h"
#include "framework/window/window_system.h"

namespace fw {

std::vector<PropertyInfo> Window::PropertyTable() {
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
  PropertyInfo& visible =
      *std::ranges::find(table, std::string_view("Visible"), &PropertyInfo::name);
  visible.set = [plainSet = visible.set](Object& o, const Value& v) {
    plainSet(o, v);
    static_cast<Window&>(o).SetVisibleProperty();
  };
  return table;
}

const ClassRecord& Window::Lookup() {
  static const ClassRecord record{
      .name = "Window",
      .virtualMethods = {"Show", "Hide", "Close", "_AddControl", "__New", "Constructor"},
      .raises = {Layout, CreateControls, Open, Paint, Activate, MouseDown},
      .properties = PropertyTable(),
      .factory = [] { return std::make_shared<Window>(); },
  };
  return record;
}

Window::Window() : peer_(qt::MakeWindowPeer(*this)) {}

Window::~Window() {
  WindowSystem::Forget();
  // The frame first: it stays on the screen as it was until the window that
  // replaces it is painted, and must not show its controls going.
  peer_.reset();
  controls_.clear();
}

void Window::Constructor() {
  open_ = true;
  WindowSystem::Register(std::static_pointer_cast<Window>(shared_from_this()));
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
  // Called up from another window, it goes beside that one, wherever it
  // was left beside an earlier one.
  if (OpensBeside()) peer_->PlaceAgain();
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

Ref<Control> Window::New(const ClassRecord& controlClass) {
  return RuntimeCheckCast<Control>(RuntimeNewObject(controlClass), Control::Lookup());
}

void Window::AddControl(const std::string& name, const Ref<Control>& control) {
  NotNil(control, "das Steuerelement „" + name + "“");
  control->AttachTo(std::static_pointer_cast<Window>(shared_from_this()), *this, name);
  controls_.push_back(control);
}

Ref<Control> Window::ControlByName(std::string_view name) const {
  auto found = std::ranges::find(controls_, name, &Control::Name);
  return found == controls_.end() ? nullptr : *found;
}

void Window::PropertiesChanged() {
  if (updateDepth_ == 0) peer_->Apply(properties_);
}

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

void Window::RaiseOnScreen(bool takeKeyboard) {
  if (!open_ || !shown_) return;
  peer_->Raise();
  if (takeKeyboard) peer_->TakeKeyboard(true);
}

void Window::TakeKeyboardOnScreen(bool evenWhereItIs) {
  if (open_ && shown_) peer_->TakeKeyboard(evenWhereItIs);
}

Ref<Window> GetImplicitWindow(std::string_view className) { return WindowSystem::Find(className); }

Ref<Control> RuntimeWindowControlByName(const Ref<Window>& window, std::string_view name) {
  return window ? window->ControlByName(name) : nullptr;
}

}  // namespace fw
