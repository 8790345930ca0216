#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

#include "framework/runtime/value.h"

namespace fw {

class DragItem;
class Graphics;

// An event: its name, and in its type the shape of the handler it takes.
// Raising and handling name these constants, so the compiler checks both;
// binding by name, as layouts do, is checked against each class's list of
// the events it raises.
template <class Shape>
struct Event;

template <class R, class... A>
struct Event<R(A...)> {
  std::string_view name;

  constexpr operator std::string_view() const { return name; }
  // "( Int32, Int32 ) as Boolean": the handler's shape as delegates name it.
  std::string Signature() const { return EventSignature<R, A...>(); }
  // A method handles the event when result and parameter types agree;
  // `const std::string&` takes a String as well as `std::string`.
  template <class R2, class... A2>
  static constexpr bool kTakenBy = std::is_same_v<R(Plain<A>...), R2(Plain<A2>...)>;
};

// What a raise tells: only a Boolean handler that says so consumes its event.
inline bool Consumed(const Value& result) {
  const bool* b = std::get_if<bool>(&result);
  return b && *b;
}

// Of windows and the application.
inline constexpr Event<void()> Layout{"Layout"};
inline constexpr Event<void()> CreateControls{"CreateControls"};
inline constexpr Event<void()> Open{"Open"};
inline constexpr Event<void()> Activate{"Activate"};
inline constexpr Event<void(Graphics&)> Paint{"Paint"};
// Of windows and controls.
inline constexpr Event<bool(int32_t, int32_t)> MouseDown{"MouseDown"};
// Of controls.
inline constexpr Event<bool(int32_t, int32_t, DragItem&, int32_t)> DragOver{"DragOver"};
inline constexpr Event<void()> Action{"Action"};
inline constexpr Event<bool(std::string)> KeyDown{"KeyDown"};
inline constexpr Event<void(std::string)> KeyUp{"KeyUp"};
inline constexpr Event<void()> TextChange{"TextChange"};
inline constexpr Event<void()> Change{"Change"};
inline constexpr Event<bool(Graphics&, int32_t, int32_t, int32_t, int32_t)> CellTextPaint{
    "CellTextPaint"};
inline constexpr Event<bool(Graphics&, int32_t, int32_t)> CellBackgroundPaint{
    "CellBackgroundPaint"};

}  // namespace fw
