#include "framework/runtime/delegate.h"

namespace fw {

void CheckDelegateSignature(std::string_view given, const std::string& actual) {
  if (given != actual) {
    throw InvalidArgumentException("Die Signatur „" + std::string(given) +
                                   "“ passt nicht zur Methode „" + actual + "“.");
  }
}

Ref<Delegate> RuntimeCreateDelegate(void (*routine)(), std::string_view signature) {
  CheckDelegateSignature(signature, EventSignature<void>());
  return std::make_shared<Delegate>(std::string(signature), [routine](const Arguments&) {
    routine();
    return Value();
  });
}

}  // namespace fw
