#pragma once

#include <QKeyEvent>
#include <optional>
#include <string>

namespace fw::qt {

// The key as the framework's key events name it: the character typed, or a
// control character for the keys that type none (Return 13, Backspace 8,
// Tab 9, Escape 27, Delete 127, arrows 28 to 31). Nothing for modifier keys
// alone and for command shortcuts, which belong to the menus.
std::optional<std::string> KeyText(const QKeyEvent& event);

}  // namespace fw::qt
