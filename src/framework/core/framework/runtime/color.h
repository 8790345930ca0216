#pragma once

#include <cstdint>

namespace fw {

struct Color {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;

  friend bool operator==(const Color&, const Color&) = default;
};

inline Color RGB(int red, int green, int blue) {
  auto clamp = [](int v) { return static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v); };
  return Color{clamp(red), clamp(green), clamp(blue)};
}

}  // namespace fw
