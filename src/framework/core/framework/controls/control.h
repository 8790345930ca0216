#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/runtime/class_record.h"
#include "framework/runtime/color.h"
#include "framework/runtime/delegate.h"
#include "framework/runtime/property_field.h"

namespace fw {

class Window;

// The widget behind a control. The toolkit makes one for each kind from the
// control's values (PeerFor, declared beside the kind) and shows them on
// every Sync; the user's doings come back as the control's events.
class ControlPeer {
 public:
  virtual ~ControlPeer() = default;
  // The control's handlers changed: the widget reports what they want.
  virtual void EventsChanged() = 0;
  virtual void Sync() = 0;
  // Ticked or selected: the screen knows best.
  virtual bool Checked() const = 0;
  virtual std::string Text() const { return {}; }
  // A text the program puts in is read from its beginning.
  virtual void SetText(const std::string& /*text*/) {}
};

// What every control's layout stream may set; each class's record says
// which of these it accepts.
struct ControlProperties {
  std::string name;
  int32_t index = INT32_MIN;
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 80;
  int32_t height = 22;
  bool lockLeft = false;
  bool lockTop = false;
  bool lockRight = false;
  bool lockBottom = false;
  int32_t tabPanelIndex = 0;
  int32_t tabIndex = 0;
  bool tabStop = true;
  bool enabled = true;
  bool visible = true;
  std::string helpTag;
  bool autoDeactivate = true;
  std::string textFont = "System";
  int32_t textSize = 0;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  Color textColor{0, 0, 0};
  std::string dataSource;
  std::string dataField;
  std::string initialParent;
};

class Control;

// What a control asks of the window it lies on.
class ControlHost {
 public:
  virtual bool HasWidgets() const = 0;
  virtual const std::vector<Ref<Control>>& Controls() const = 0;

 protected:
  ~ControlHost() = default;
};

// A control on a window. Its events are raised through delegates that the
// window installs by event name; a delegate must have the event's shape.
class Control : public Object {
 public:
  static constexpr const char* kTypeName = "RectControl";
  static const ClassRecord& Lookup();

  void Constructor() {}

  const std::string& Name() const { return common_.name; }
  const ControlProperties& Common() const { return common_; }
  Ref<fw::Window> Window() const;

  void InstallHandler(std::string_view event, const Ref<Delegate>& handler);
  bool Handles(std::string_view event) const;
  // True when a Boolean handler consumed the event.
  template <class R, class... A>
  bool Raise(const Event<R(A...)>& event, std::type_identity_t<A>... args) {
    auto it = handlers_.find(event.name);
    if (it == handlers_.end()) return false;
    Ref<Delegate> handler = it->second;  // the handler may replace itself
    return Consumed(handler->Invoke({ToValue(args)...}));
  }

  void PropertiesChanged();
  void BeginPropertyUpdate() override;
  void EndPropertyUpdate() override;

  // For the window and the toolkit glue.
  void AttachTo(Ref<fw::Window> window, const ControlHost& host, const std::string& name);
  // The control's widget, made once its window has widgets; until then the
  // control keeps all it shows in its own values.
  void MakeWidget();
  ControlPeer* Peer() const { return peer_.get(); }

 protected:
  const ClassRecord& NativeClass() const override { return Lookup(); }

  // The record of a control class: the common head, then its own tables,
  // after what every kind shows alike.
  template <class C>
  static ClassRecord ControlRecord(std::vector<PropertyInfo> properties,
                                   std::vector<EventInfo> events = {}) {
    ClassRecord r;
    r.name = C::kTypeName;
    r.base = &Control::Lookup();
    r.properties = LookProperties();
    r.properties.insert(r.properties.end(), properties.begin(), properties.end());
    r.raises = std::move(events);
    r.factory = [] { return std::make_shared<C>(); };
    return r;
  }
  virtual std::unique_ptr<ControlPeer> MakePeer(fw::Window& window) = 0;
  virtual void SyncPeer() { peer_->Sync(); }
  // A new widget in place of the old one, for a change of kind.
  void RebuildPeer();

  // A property kept in the common values, for the class tables.
  template <class V>
  static PropertyInfo Common(std::string name, V ControlProperties::*field) {
    return FieldProperty<Control>(std::move(name), &Control::common_, field);
  }
  // The same for a kind's own values, kept in its member kOwn.
  template <auto kOwn>
  static auto Own() {
    return [](std::string name, auto field) { return FieldProperty(std::move(name), kOwn, field); };
  }

  ControlProperties common_;
  // The window's controls, while it lives.
  const std::vector<Ref<Control>>* Neighbours() const;

 private:
  static std::vector<PropertyInfo> LookProperties();

  std::unique_ptr<ControlPeer> peer_;
  std::weak_ptr<fw::Window> window_;
  const ControlHost* host_ = nullptr;  // lives as long as window_
  std::map<std::string, Ref<Delegate>, std::less<>> handlers_;
  int updateDepth_ = 0;
};

// Binds a handler to one event of one control; refuses an event the
// control does not have and a delegate of another shape.
void InstallInstanceEventHandler(const Ref<Control>& control, std::string_view event,
                                 const Ref<Delegate>& handler);

// A dragged item, as the drag events hand it over.
class DragItem : public Object {
 public:
  static constexpr const char* kTypeName = "DragItem";
};

}  // namespace fw
