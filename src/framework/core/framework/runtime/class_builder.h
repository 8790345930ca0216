#pragma once

#include <string>
#include <utility>

#include "framework/runtime/class_record.h"

namespace fw {

// Builds the record of a class T derived from the C++ class of `base`.
// Signatures and type codes are derived from the C++ types, so the record
// cannot disagree with the code it describes.
template <class T>
class ClassBuilder {
 public:
  ClassBuilder(std::string name, const ClassRecord& base) {
    record_.name = std::move(name);
    record_.base = &base;
    record_.factory = [] {
      // The class's finalisers run while the object is still whole.
      return Ref<Object>(new T(), [](T* object) {
        RunExit(*object);
        delete object;
      });
    };
  }

  // A method in the class's slot order, visible to introspection. It may be
  // one that T inherits from a base class of its own.
  template <class B, class R, class... A>
  requires std::is_base_of_v<B, T> ClassBuilder& Method(std::string name, R (B::*method)(A...),
                                                        std::vector<Attribute> extra = {}) {
    record_.virtualMethods.push_back(name);
    extra.insert(extra.begin(), Attribute{"__Scope", "Public"});
    record_.members.push_back(
        MemberInfo{std::move(name), MethodSignature<R, A...>(), std::move(extra), Bind(method)});
    return *this;
  }

  // An event of the object itself, handled by one of its methods; an event
  // that the base class does not raise is refused.
  template <class Shape, class B, class R, class... A>
  requires std::is_base_of_v<B, T> && Event<Shape>::template kTakenBy<R, A...> ClassBuilder&
  Handles(const Event<Shape>& event, std::string method, R (B::*handler)(A...)) {
    record_.events.push_back(EventBinding{record_.base->RaisedEvent(event).name, std::move(method),
                                          MethodSignature<R, A...>(), Bind(handler)});
    return *this;
  }

  // A property of the class, read and written through its field (which may
  // be declared in a base class of T).
  template <class B, class V>
  requires std::is_base_of_v<B, T> ClassBuilder& Property(std::string name, V B::*field) {
    record_.properties.push_back(
        PropertyInfo{name, TypeCode<V>(),
                     [field](const Object& o) {
                       return ToValue(static_cast<const B&>(static_cast<const T&>(o)).*field);
                     },
                     [field](Object& o, const Value& v) {
                       static_cast<B&>(static_cast<T&>(o)).*field = FromValue<V>(v);
                     }});
    return *this;
  }

  // A member described by hand.
  ClassBuilder& Member(MemberInfo member) {
    record_.members.push_back(std::move(member));
    return *this;
  }

  template <class B>
  requires std::is_base_of_v<B, T> ClassBuilder& Exit(void (B::*exit)()) {
    record_.exit = [exit](Object& o) { (static_cast<B&>(static_cast<T&>(o)).*exit)(); };
    return *this;
  }

  ClassRecord Build() { return std::move(record_); }

 private:
  template <class B, class R, class... A>
  static Invoker Bind(R (B::*method)(A...)) {
    return [method](Object& o, const Arguments& args) {
      return CallWithArguments(static_cast<B&>(static_cast<T&>(o)), method, args);
    };
  }

  ClassRecord record_;
};

}  // namespace fw
