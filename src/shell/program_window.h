#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/controls/control.h"
#include "framework/property_stream/property_stream.h"
#include "framework/runtime/class_builder.h"
#include "framework/runtime/delegate.h"
#include "framework/window/window.h"
#include "shell/layouts.h"

// The description of a window class from which its layout, its controls
// and its class record are made: a window file lists its tables, and the
// steps that every window takes are written here once.

template <class W>
struct Handler {
  std::string_view event;
  std::function<fw::Ref<fw::Delegate>(const fw::Ref<W>&)> bind;
  std::function<void(fw::ClassBuilder<W>&, const std::string& method)> describe;
};

template <class W>
struct ControlDef {
  ControlLayout layout = {};
  std::vector<Handler<W>> handlers = {};
};

template <class W>
struct WindowDef {
  std::string className = {};
  std::string stream = {};
  std::vector<ControlDef<W>> controls = {};
  std::vector<Handler<W>> windowEvents = {};            // in the class's own order
  std::function<void(fw::ClassBuilder<W>&)> more = {};  // the class's own properties
};

// Layout, CreateControls and CreateControls0 of every window of the program,
// and its class record, from the class's WindowDef.
template <class W>
class ProgramWindow : public fw::Window {
 public:
  static const fw::ClassRecord& Lookup() {
    static const fw::ClassRecord record = CtblInit();
    return record;
  }

  // A handler method of the window for one event of a control or of the
  // window itself; the method is named after the control (or "Event") and
  // the event: RadioButton1_Action, Event_Open.
  template <class Shape, class B, class R, class... A>
  requires fw::Event<Shape>::template kTakenBy<R, A...> static Handler<W> On(
      const fw::Event<Shape>& event, R (B::*method)(A...)) {
    R (W::*own)(A...) = method;
    return Handler<W>{event,
                      [own, event](const fw::Ref<W>& window) {
                        return fw::RuntimeCreateDelegate(window, own, event.Signature());
                      },
                      [own, event](fw::ClassBuilder<W>& builder, const std::string& name) {
                        builder.Method(name, own);
                        if (name.starts_with("Event_")) builder.Handles(event, name, own);
                      }};
  }

  void Layout() { fw::SetProperties(*this, W::Definition().stream); }

  void CreateControls() { static_cast<W*>(this)->CreateControls0(); }

  // One control after another: made, added under its name, found again,
  // given its stream, then its handlers bound, each found anew by name.
  void CreateControls0() {
    auto self = std::static_pointer_cast<W>(shared_from_this());
    for (const ControlDef<W>& def : W::Definition().controls) {
      const ControlLayout& layout = def.layout;
      fw::Ref<fw::Control> control = New(*layout.cls);
      fw::NotNil(control, layout.name).Constructor();
      AddControl(layout.name, control);
      fw::SetProperties(Named(layout), layout.stream);
      for (const Handler<W>& handler : def.handlers) {
        fw::InstallInstanceEventHandler(fw::RuntimeWindowControlByName(self, layout.name),
                                        handler.event, handler.bind(self));
      }
    }
  }

 protected:
  // What a kind of window adds to the record of every class of its kind.
  static void DescribeMore(fw::ClassBuilder<W>&) {}

 private:
  fw::Control& Named(const ControlLayout& layout) {
    auto self = std::static_pointer_cast<fw::Window>(shared_from_this());
    auto control = fw::RuntimeCheckCast<fw::Control>(
        fw::RuntimeWindowControlByName(self, layout.name), *layout.cls);
    return fw::NotNil(control, "das Steuerelement „" + layout.name + "“");
  }

  static fw::ClassRecord CtblInit() {
    const WindowDef<W>& def = W::Definition();
    fw::ClassBuilder<W> builder(def.className, fw::Window::Lookup());
    builder.Method("Layout", &ProgramWindow::Layout)
        .Method("CreateControls", &ProgramWindow::CreateControls)
        // The record keeps the method's full name: only C++ reserves the underscore.
        .Method("_CreateControls0", &ProgramWindow::CreateControls0, {{"Hidden", ""}})
        .Handles(fw::Layout, "Layout", &ProgramWindow::Layout)
        .Handles(fw::CreateControls, "CreateControls", &ProgramWindow::CreateControls);
    // A control kind that does not raise an event refuses its handler here,
    // when the program starts.
    for (const ControlDef<W>& control : def.controls) {
      for (const Handler<W>& handler : control.handlers) {
        control.layout.cls->RaisedEvent(handler.event);
        handler.describe(builder, control.layout.name + "_" + std::string(handler.event));
      }
    }
    for (const Handler<W>& handler : def.windowEvents) {
      handler.describe(builder, "Event_" + std::string(handler.event));
    }
    if (def.more) def.more(builder);
    W::DescribeMore(builder);
    // Each control is a member that yields the control of its name.
    for (const ControlDef<W>& control : def.controls) {
      const std::string name = control.layout.name;
      builder.Member(fw::MemberInfo{name,
                                    "%o<" + control.layout.cls->name + ">%s",
                                    {{"__Scope", "Public"}},
                                    [name](fw::Object& window, const fw::Arguments&) {
                                      return fw::ToValue(
                                          static_cast<W&>(window).ControlByName(name));
                                    }});
    }
    return builder.Build();
  }
};
