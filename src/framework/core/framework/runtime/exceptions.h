#pragma once

#include <stdexcept>
#include <string>

namespace fw {

// The failures that the framework raises. Their messages are German, since
// they end up in front of the user when nothing catches them.
class RuntimeException : public std::runtime_error {
 public:
  explicit RuntimeException(const std::string& message) : std::runtime_error(message) {}
};

// A needed object is missing: a window, a control, a file, a picture.
class NilObjectException : public RuntimeException {
 public:
  explicit NilObjectException(const std::string& detail)
      : RuntimeException("Ein benötigtes Objekt fehlt: " + detail) {}
};

// Reading a file failed after it was opened.
class IOException : public RuntimeException {
 public:
  using RuntimeException::RuntimeException;
};

// An object is not of the class that the caller asked for.
class IllegalCastException : public RuntimeException {
 public:
  using RuntimeException::RuntimeException;
};

// A call that the framework refuses: an unknown event, a delegate whose
// signature does not fit, a property stream that is not well formed.
class InvalidArgumentException : public RuntimeException {
 public:
  using RuntimeException::RuntimeException;
};

// Ensures that an object the caller needs is there.
template <class P>
auto& NotNil(const P& pointer, const std::string& what) {
  if (!pointer) throw NilObjectException(what);
  return *pointer;
}

}  // namespace fw
