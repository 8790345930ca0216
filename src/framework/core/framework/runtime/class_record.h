#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/runtime/event.h"
#include "framework/runtime/value.h"

namespace fw {

struct Attribute {
  std::string name;
  std::string value;
};

using Invoker = std::function<Value(Object&, const Arguments&)>;

struct PropertyInfo {
  std::string name;
  std::string typeCode;
  std::function<Value(const Object&)> get;
  std::function<void(Object&, const Value&)> set;
};

// A method, a property or a control, as introspection sees it.
struct MemberInfo {
  std::string name;
  std::string signature;
  std::vector<Attribute> attributes;
  Invoker invoke;
};

// An event of the object itself (a window's "Open", "Paint"), bound to the
// method of the class that handles it.
struct EventBinding {
  std::string event;
  std::string method;
  std::string signature;
  Invoker invoke;
};

// An event that the objects of a class raise, with the handler shape it takes.
struct EventInfo {
  template <class Shape>
  EventInfo(const Event<Shape>& event) : name(event.name), signature(event.Signature()) {}
  std::string name;
  std::string signature;
};

// What the framework knows of a class: its name, its base, its methods in
// slot order, the events it raises and those it handles, its properties, its
// members, and how to make and finish an instance. Every field has a
// default, so that a record written out names only what its class has.
class ClassRecord {
 public:
  std::string name{};
  const ClassRecord* base = nullptr;
  std::vector<std::string> virtualMethods{};  // the class's own, after its base's
  std::vector<EventInfo> raises{};
  std::vector<EventBinding> events{};
  std::vector<PropertyInfo> properties{};
  std::vector<MemberInfo> members{};
  std::vector<Attribute> attributes{{"__Scope", "Public"}};
  std::function<Ref<Object>()> factory{};
  std::function<void(Object&)> exit{};  // runs before an instance is freed

  bool IsA(const ClassRecord& other) const;
  const PropertyInfo* FindProperty(std::string_view property) const;
  const EventBinding* FindEvent(std::string_view event) const;
  // One of the events the class raises; refuses a name it does not know.
  const EventInfo& RaisedEvent(std::string_view event) const;
  const MemberInfo* FindMember(std::string_view member) const;
  std::vector<std::string> AllVirtualMethods() const;
  std::string AttributeValue(std::string_view attribute) const;
};

// Makes an object of the class: the instance of the C++ class behind it,
// tagged with the record. Nil when the class can make no instances.
Ref<Object> RuntimeNewObject(const ClassRecord& record);

// Runs the per-instance finalisers of the object's class and its bases.
void RunExit(Object& object);

// Raises one of the object's own events through its class's binding; true
// when a Boolean handler consumed it.
template <class R, class... A>
bool RaiseClassEvent(Object& object, const Event<R(A...)>& event, std::type_identity_t<A>... args) {
  const EventBinding* binding = object.Class().FindEvent(event.name);
  return binding && binding->invoke && Consumed(binding->invoke(object, {ToValue(args)...}));
}

// The object as T, after checking its class against the record; nil stays nil.
template <class T>
Ref<T> RuntimeCheckCast(const Ref<Object>& object, const ClassRecord& record) {
  if (!object) return nullptr;
  auto typed = std::dynamic_pointer_cast<T>(object);
  if (!typed || !object->Class().IsA(record)) {
    throw IllegalCastException("Das Objekt der Klasse „" + object->Class().name + "“ ist keine „" +
                               record.name + "“.");
  }
  return typed;
}

}  // namespace fw
