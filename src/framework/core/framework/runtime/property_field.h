#pragma once

#include <string>

#include "framework/runtime/class_record.h"

namespace fw {

// A property kept in a plain field of an object's state struct. After a
// write the object hears of it through PropertiesChanged(), so that it can
// bring its screen counterpart up to date.
template <class C, class S, class V>
PropertyInfo FieldProperty(std::string name, S C::*state, V S::*field) {
  return PropertyInfo{
      std::move(name), TypeCode<V>(),
      [state, field](const Object& o) { return ToValue((static_cast<const C&>(o).*state).*field); },
      [state, field](Object& o, const Value& v) {
        C& object = static_cast<C&>(o);
        (object.*state).*field = FromValue<V>(v);
        object.PropertiesChanged();
      }};
}

}  // namespace fw
