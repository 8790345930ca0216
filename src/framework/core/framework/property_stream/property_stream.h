#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "framework/runtime/color.h"

namespace fw {

class Object;

// A layout as bytes: entries back to back, each a property name, one blank
// and the value. The stream names no types; the receiving class says which
// type each property has, and so how many bytes its value takes.
class PropertyStreamBuilder {
 public:
  PropertyStreamBuilder& Integer(std::string_view name, int32_t value);
  PropertyStreamBuilder& Boolean(std::string_view name, bool value);
  PropertyStreamBuilder& Colour(std::string_view name, Color value);
  PropertyStreamBuilder& String(std::string_view name, std::string_view value);

  const std::string& Bytes() const { return bytes_; }

 private:
  void Name(std::string_view name);
  void Int32(int32_t value);

  std::string bytes_;
};

// ASCII letters, digits and underscores, not starting with a digit.
bool IsPropertyName(std::string_view name);

// Applies a stream to the object's properties, entry by entry in stored
// order, between BeginPropertyUpdate and EndPropertyUpdate. A stream that
// names a property the class lacks, or that is cut off or malformed, raises
// InvalidArgumentException; the entries before the fault stay applied.
void SetProperties(Object& target, std::string_view stream);

}  // namespace fw
