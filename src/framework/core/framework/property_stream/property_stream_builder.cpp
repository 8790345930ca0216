#include <limits>

#include "framework/property_stream/property_stream.h"
#include "framework/runtime/exceptions.h"

namespace fw {

namespace {

bool IsNameStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }

}  // namespace

bool IsPropertyName(std::string_view name) {
  if (name.empty() || !IsNameStart(name.front())) return false;
  for (char c : name) {
    if (!IsNameStart(c) && !(c >= '0' && c <= '9')) return false;
  }
  return true;
}

PropertyStreamBuilder& PropertyStreamBuilder::Integer(std::string_view name, int32_t value) {
  Name(name);
  Int32(value);
  return *this;
}

PropertyStreamBuilder& PropertyStreamBuilder::Boolean(std::string_view name, bool value) {
  Name(name);
  bytes_ += value ? '\x01' : '\x00';
  return *this;
}

PropertyStreamBuilder& PropertyStreamBuilder::Colour(std::string_view name, Color value) {
  Name(name);
  for (uint8_t component : {value.red, value.green, value.blue})
    bytes_ += static_cast<char>(component);
  return *this;
}

PropertyStreamBuilder& PropertyStreamBuilder::String(std::string_view name,
                                                     std::string_view value) {
  // The count is an Int32; a longer text would wrap into a negative count.
  if (value.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max())) {
    throw InvalidArgumentException("Der Wert von „" + std::string(name) +
                                   "“ ist für einen Eigenschaftsdatenstrom zu lang.");
  }
  Name(name);
  Int32(static_cast<int32_t>(value.size()));
  bytes_ += value;
  return *this;
}

// A blank or a stray byte in a name would shift every later entry, so a
// bad name is refused before it reaches the stream.
void PropertyStreamBuilder::Name(std::string_view name) {
  if (!IsPropertyName(name)) {
    throw InvalidArgumentException("„" + std::string(name) +
                                   "“ ist kein gültiger Eigenschaftsname.");
  }
  bytes_ += name;
  bytes_ += ' ';
}

void PropertyStreamBuilder::Int32(int32_t value) {
  const auto bits = static_cast<uint32_t>(value);  // two's complement by definition since C++20
  for (int shift = 24; shift >= 0; shift -= 8) bytes_ += static_cast<char>((bits >> shift) & 0xFFu);
}

}  // namespace fw
