#pragma once

#include <memory>

namespace fw {

class ClassRecord;

template <class T>
using Ref = std::shared_ptr<T>;

// Every object of the framework and of the program built on it. Objects are
// reference counted; the class record says what class an object is, which
// may be a program class derived from the C++ class that implements it.
class Object : public std::enable_shared_from_this<Object> {
 public:
  static constexpr const char* kTypeName = "Object";

  Object() = default;
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;
  virtual ~Object() = default;

  const ClassRecord& Class() const;

  // A property stream applies many values in a row; objects may gather the
  // changes and apply them to the screen once, at the end.
  virtual void BeginPropertyUpdate() {}
  virtual void EndPropertyUpdate() {}

 protected:
  virtual const ClassRecord& NativeClass() const;

 private:
  friend Ref<Object> RuntimeNewObject(const ClassRecord& record);
  const ClassRecord* class_ = nullptr;
};

}  // namespace fw
