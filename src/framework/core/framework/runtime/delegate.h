#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "framework/runtime/class_record.h"

namespace fw {

// A callable object that names the shape of the call it expects, as events
// name the handlers they take ("( String ) as Boolean").
class Delegate : public Object {
 public:
  static constexpr const char* kTypeName = "Delegate";

  Delegate(std::string signature, std::function<Value(const Arguments&)> call)
      : signature_(std::move(signature)), call_(std::move(call)) {}

  const std::string& Signature() const { return signature_; }
  Value Invoke(const Arguments& args = {}) const { return call_(args); }

 private:
  std::string signature_;
  std::function<Value(const Arguments&)> call_;
};

inline void CheckDelegateSignature(std::string_view given, const std::string& actual) {
  if (given != actual) {
    throw InvalidArgumentException("Die Signatur „" + std::string(given) +
                                   "“ passt nicht zur Methode „" + actual + "“.");
  }
}

// A delegate of a method bound to an object. The delegate does not keep the
// object alive: controls hold delegates of their own window.
template <class T, class R, class... A>
Ref<Delegate> RuntimeCreateDelegate(const Ref<T>& target, R (T::*method)(A...),
                                    std::string_view signature) {
  CheckDelegateSignature(signature, EventSignature<R, A...>());
  std::weak_ptr<T> weak = target;
  return std::make_shared<Delegate>(std::string(signature), [weak, method](const Arguments& args) {
    Ref<T> self = weak.lock();
    if (!self) throw NilObjectException("das Ziel eines Ereignisses");
    return CallWithArguments(*self, method, args);
  });
}

// A delegate of a routine with no target object and no parameters.
inline Ref<Delegate> RuntimeCreateDelegate(void (*routine)(), std::string_view signature) {
  CheckDelegateSignature(signature, EventSignature<void>());
  return std::make_shared<Delegate>(std::string(signature), [routine](const Arguments&) {
    routine();
    return Value();
  });
}

}  // namespace fw
