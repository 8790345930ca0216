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

// The plain type behind a parameter: `const std::string&` is a String,
// `Graphics&` a Graphics.
template <class T>
using Plain = std::remove_cvref_t<T>;

// The type code ("b", "i4", "o<Picture>") and parameter name ("Boolean") of
// a type that crosses the generic calls.
struct TypeInfo {
  std::string code;
  std::string name;
};

template <class T>
TypeInfo TypeOf() {
  using P = Plain<T>;
  if constexpr (requires { typename P::element_type; }) {
    return TypeOf<typename P::element_type>();
  } else if constexpr (std::is_base_of_v<Object, P>) {
    return {std::string("o<") + P::kTypeName + ">", P::kTypeName};
  } else if constexpr (std::is_void_v<P>) {
    return {"", ""};
  } else if constexpr (std::is_same_v<P, bool>) {
    return {"b", "Boolean"};
  } else if constexpr (std::is_same_v<P, int32_t>) {
    return {"i4", "Int32"};
  } else if constexpr (std::is_same_v<P, double>) {
    return {"f8", "Double"};
  } else if constexpr (std::is_same_v<P, std::string>) {
    return {"s", "String"};
  } else {
    static_assert(std::is_same_v<P, Color>, "no generic call carries this type");
    return {"c", "Color"};
  }
}

template <class T>
std::string TypeCode() {
  return TypeOf<T>().code;
}
template <class T>
std::string TypeName() {
  return TypeOf<T>().name;
}

// "%b%i4i4": result, then the parameters, as the class records write them.
template <class R, class... A>
std::string MethodSignature() {
  // Appended piece by piece: GCC 12 takes "%" + string for an overlapping
  // copy and warns (-Wrestrict) where nothing overlaps.
  std::string signature(1, '%');
  signature += TypeCode<R>();
  signature += '%';
  ((signature += TypeCode<A>()), ...);
  return signature;
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
  return [&]<size_t... I>(std::index_sequence<I...>)->Value {
    if constexpr (std::is_void_v<R>) {
      (self.*method)(FromValue<A>(args[I])...);
      return Value();
    } else {
      return ToValue((self.*method)(FromValue<A>(args[I])...));
    }
  }
  (std::index_sequence_for<A...>());
}

}  // namespace fw
