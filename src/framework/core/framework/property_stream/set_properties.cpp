#include <bit>
#include <cstdint>
#include <string>
#include <utility>

#include "framework/property_stream/property_stream.h"
#include "framework/runtime/class_record.h"
#include "framework/runtime/exceptions.h"
#include "framework/runtime/object.h"
#include "framework/runtime/value.h"

namespace fw {

namespace {

std::string Quoted(std::string_view text) { return "„" + std::string(text) + "“"; }

// Reads a stream front to back. Every read checks the bytes that are left
// first, so no stream, however cut off, makes it read past the end.
class StreamReader {
 public:
  explicit StreamReader(std::string_view stream) : stream_(stream) {}

  bool AtEnd() const { return pos_ == stream_.size(); }

  std::string_view Name() {
    const size_t blank = stream_.find(' ', pos_);
    if (blank == std::string_view::npos) {
      throw InvalidArgumentException(
          "Der Eigenschaftsdatenstrom endet mitten in einem Eigenschaftsnamen (ab Byte " +
          std::to_string(pos_) + ").");
    }
    const std::string_view name = stream_.substr(pos_, blank - pos_);
    if (!IsPropertyName(name)) {
      throw InvalidArgumentException(
          "An Byte " + std::to_string(pos_) +
          " des Eigenschaftsdatenstroms steht kein gültiger Eigenschaftsname.");
    }
    pos_ = blank + 1;
    return name;
  }

  std::string_view Take(size_t count, std::string_view property) {
    if (stream_.size() - pos_ < count) {
      throw InvalidArgumentException("Der Eigenschaftsdatenstrom endet mitten im Wert von " +
                                     Quoted(property) + ".");
    }
    const std::string_view bytes = stream_.substr(pos_, count);
    pos_ += count;
    return bytes;
  }

  // Big-endian two's complement; assembled unsigned so that 80 00 00 00
  // comes out as the smallest Int32 without any signed overflow.
  int32_t Int32(std::string_view property) {
    uint32_t bits = 0;
    for (char c : Take(4, property)) bits = (bits << 8) | static_cast<unsigned char>(c);
    return std::bit_cast<int32_t>(bits);
  }

 private:
  std::string_view stream_;
  size_t pos_ = 0;
};

uint8_t Octet(char c) { return static_cast<unsigned char>(c); }

// The class decides how many bytes the value takes; the stream cannot say.
Value ReadValue(StreamReader& reader, const PropertyInfo& property, const ClassRecord& record) {
  const std::string& type = property.typeCode;
  const std::string_view name = property.name;
  if (type == "i4") return Value(std::in_place_type<int32_t>, reader.Int32(name));
  if (type == "b") {
    const uint8_t byte = Octet(reader.Take(1, name)[0]);
    if (byte > 1) {
      throw InvalidArgumentException("Der Wert von " + Quoted(name) +
                                     " ist kein Wahrheitswert (Byte " + std::to_string(byte) +
                                     " statt 0 oder 1).");
    }
    return Value(std::in_place_type<bool>, byte == 1);
  }
  if (type == "c") {
    const std::string_view rgb = reader.Take(3, name);
    return Value(std::in_place_type<Color>, Color{Octet(rgb[0]), Octet(rgb[1]), Octet(rgb[2])});
  }
  if (type == "s") {
    const int32_t count = reader.Int32(name);
    if (count < 0) {
      throw InvalidArgumentException("Der Wert von " + Quoted(name) + " hat die negative Länge " +
                                     std::to_string(count) + ".");
    }
    return Value(std::in_place_type<std::string>, reader.Take(static_cast<size_t>(count), name));
  }
  throw InvalidArgumentException("Die Eigenschaft " + Quoted(name) + " der Klasse " +
                                 Quoted(record.name) + " hat den Typ " + Quoted(type) +
                                 ", den ein Eigenschaftsdatenstrom nicht tragen kann.");
}

void ApplyEntries(Object& target, std::string_view stream) {
  const ClassRecord& record = target.Class();
  StreamReader reader(stream);
  while (!reader.AtEnd()) {
    const std::string_view name = reader.Name();
    const PropertyInfo* property = record.FindProperty(name);
    if (!property) {
      throw InvalidArgumentException("Die Eigenschaft " + Quoted(name) + " gibt es in der Klasse " +
                                     Quoted(record.name) + " nicht.");
    }
    if (!property->set) {
      throw InvalidArgumentException("Die Eigenschaft " + Quoted(name) + " der Klasse " +
                                     Quoted(record.name) + " lässt sich nicht setzen.");
    }
    property->set(target, ReadValue(reader, *property, record));
  }
}

}  // namespace

void SetProperties(Object& target, std::string_view stream) {
  target.BeginPropertyUpdate();
  // Not a destructor-based guard: a guard whose EndPropertyUpdate threw
  // while a stream fault unwinds would terminate the program.
  try {
    ApplyEntries(target, stream);
  } catch (...) {
    // The stream fault is the one to report; closing the update only
    // tidies up after it.
    try {
      target.EndPropertyUpdate();
    } catch (...) {
    }
    throw;
  }
  target.EndPropertyUpdate();
}

}  // namespace fw
