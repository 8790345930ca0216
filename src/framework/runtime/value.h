#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include "framework/runtime/color.h"
#include "framework/runtime/exceptions.h"
#include "framework/runtime/object.h"

namespace fw {

// One value of the framework's generic calls: event arguments and results,
// properties read and written by name, introspection.
using Value = std::variant<std::monostate, bool, int32_t, double, std::string, Color, Ref<Object>>;
using Arguments = std::vector<Value>;

// Type codes ("b", "i4", "o<Picture>") and parameter names ("Boolean") of
// the types that cross the generic calls.
template <class T, class = void>
struct TypeInfo;

template <>
struct TypeInfo<void> {
  static std::string Code() { return ""; }
  static std::string Name() { return ""; }
};
template <>
struct TypeInfo<bool> {
  static std::string Code() { return "b"; }
  static std::string Name() { return "Boolean"; }
};
template <>
struct TypeInfo<int32_t> {
  static std::string Code() { return "i4"; }
  static std::string Name() { return "Int32"; }
};
template <>
struct TypeInfo<double> {
  static std::string Code() { return "f8"; }
  static std::string Name() { return "Double"; }
};
template <>
struct TypeInfo<std::string> {
  static std::string Code() { return "s"; }
  static std::string Name() { return "String"; }
};
template <>
struct TypeInfo<Color> {
  static std::string Code() { return "c"; }
  static std::string Name() { return "Color"; }
};
template <class T>
struct TypeInfo<T, std::enable_if_t<std::is_base_of_v<Object, T>>> {
  static std::string Code() { return std::string("o<") + T::kTypeName + ">"; }
  static std::string Name() { return T::kTypeName; }
};
template <class T>
struct TypeInfo<Ref<T>> : TypeInfo<T> {};

// The plain type behind a parameter: `const std::string&` is a String,
// `Graphics&` a Graphics.
template <class T>
using Plain = std::remove_cvref_t<T>;

template <class T>
std::string TypeCode() {
  return TypeInfo<Plain<T>>::Code();
}
template <class T>
std::string TypeName() {
  return TypeInfo<Plain<T>>::Name();
}

// "%b%i4i4": result, then the parameters, as the class records write them.
template <class R, class... A>
std::string MethodSignature() {
  return "%" + TypeCode<R>() + "%" + (std::string() + ... + TypeCode<A>());
}

// "( Int32, Int32 ) as Boolean": how an event names the handler it takes.
template <class R, class... A>
std::string EventSignature() {
  std::string params;
  ((params += (params.empty() ? "" : ", ") + TypeName<A>()), ...);
  std::string result = "( " + params + " )";
  if constexpr (!std::is_void_v<R>) result += " as " + TypeName<R>();
  return result;
}

template <class T>
Value ToValue(T&& v) {
  using P = Plain<T>;
  if constexpr (std::is_base_of_v<Object, P>) {
    return Value(std::static_pointer_cast<Object>(const_cast<P&>(v).shared_from_this()));
  } else if constexpr (requires { typename P::element_type; }) {
    return Value(std::static_pointer_cast<Object>(v));
  } else {
    return Value(P(std::forward<T>(v)));
  }
}

template <class T>
decltype(auto) FromValue(const Value& v) {
  using P = Plain<T>;
  if constexpr (std::is_base_of_v<Object, P>) {
    const auto* object = std::get_if<Ref<Object>>(&v);
    auto* typed = object ? dynamic_cast<P*>(object->get()) : nullptr;
    if (!typed) throw NilObjectException(TypeName<P>());
    return static_cast<P&>(*typed);
  } else if constexpr (requires { typename P::element_type; }) {
    const auto* object = std::get_if<Ref<Object>>(&v);
    return object ? std::dynamic_pointer_cast<typename P::element_type>(*object) : P();
  } else {
    const auto* plain = std::get_if<P>(&v);
    if (!plain) throw InvalidArgumentException("Falscher Werttyp: " + TypeName<P>() + " erwartet");
    return P(*plain);
  }
}

// Calls a member function with generic arguments, converting each to the
// parameter's type; the result comes back as a generic value.
template <class T, class R, class... A>
Value CallWithArguments(T& self, R (T::*method)(A...), const Arguments& args) {
  if (args.size() != sizeof...(A)) {
    throw InvalidArgumentException("Falsche Anzahl von Argumenten");
  }
  return [&]<size_t... I>(std::index_sequence<I...>) -> Value {
    if constexpr (std::is_void_v<R>) {
      (self.*method)(FromValue<A>(args[I])...);
      return Value();
    } else {
      return ToValue((self.*method)(FromValue<A>(args[I])...));
    }
  }(std::index_sequence_for<A...>());
}

}  // namespace fw
