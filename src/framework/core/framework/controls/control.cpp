#include "framework/controls/control.h"

namespace fw {

const ClassRecord& Control::Lookup() {
  static const ClassRecord record = [] {
    using P = ControlProperties;
    ClassRecord r;
    r.name = "RectControl";
    r.virtualMethods = {"Constructor"};
    r.properties = {Common("Name", &P::name),
                    Common("Index", &P::index),
                    Common("Left", &P::left),
                    Common("Top", &P::top),
                    Common("Width", &P::width),
                    Common("Height", &P::height),
                    Common("LockLeft", &P::lockLeft),
                    Common("LockTop", &P::lockTop),
                    Common("LockRight", &P::lockRight),
                    Common("LockBottom", &P::lockBottom),
                    Common("TabPanelIndex", &P::tabPanelIndex),
                    Common("TabIndex", &P::tabIndex),
                    Common("InitialParent", &P::initialParent)};
    r.raises = {Open, MouseDown, DragOver};
    return r;
  }();
  return record;
}

std::vector<PropertyInfo> Control::LookProperties() {
  using P = ControlProperties;
  return {Common("Enabled", &P::enabled),    Common("Visible", &P::visible),
          Common("HelpTag", &P::helpTag),    Common("AutoDeactivate", &P::autoDeactivate),
          Common("TextFont", &P::textFont),  Common("TextSize", &P::textSize),
          Common("Bold", &P::bold),          Common("Italic", &P::italic),
          Common("Underline", &P::underline)};
}

Ref<Window> Control::Window() const { return window_.lock(); }

void Control::InstallHandler(std::string_view event, const Ref<Delegate>& handler) {
  NotNil(handler, "der Ereignisbehandler für „" + std::string(event) + "“");
  const EventInfo& known = Class().RaisedEvent(event);
  if (handler->Signature() != known.signature) {
    throw InvalidArgumentException("Das Ereignis „" + known.name + "“ erwartet einen Behandler „" +
                                   known.signature + "“, nicht „" + handler->Signature() + "“.");
  }
  handlers_[known.name] = handler;
  if (peer_) peer_->EventsChanged();
}

bool Control::Handles(std::string_view event) const { return handlers_.contains(event); }

void Control::PropertiesChanged() {
  if (updateDepth_ == 0 && peer_) SyncPeer();
}

void Control::BeginPropertyUpdate() { ++updateDepth_; }

void Control::EndPropertyUpdate() {
  if (--updateDepth_ == 0 && peer_) SyncPeer();
}

void Control::AttachTo(Ref<fw::Window> window, const ControlHost& host, const std::string& name) {
  window_ = window;
  host_ = &host;
  common_.name = name;
  if (host.HasWidgets()) MakeWidget();
}

const std::vector<Ref<Control>>* Control::Neighbours() const {
  return window_.expired() ? nullptr : &host_->Controls();
}

void Control::MakeWidget() {
  if (peer_) return;
  RebuildPeer();
  if (peer_) SyncPeer();
}

void Control::RebuildPeer() {
  Ref<fw::Window> window = Window();
  if (!window || !host_->HasWidgets()) return;
  peer_.reset();
  peer_ = MakePeer(*window);
  peer_->EventsChanged();
}

void InstallInstanceEventHandler(const Ref<Control>& control, std::string_view event,
                                 const Ref<Delegate>& handler) {
  NotNil(control, "das Steuerelement für das Ereignis „" + std::string(event) + "“")
      .InstallHandler(event, handler);
}

}  // namespace fw
