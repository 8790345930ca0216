#pragma once

#include <string>

namespace fw {
class Window;
}

namespace fw::qt {

// A modal box with the text and one "OK" button, over the window that
// raised it (nullptr: none), titled with the program's name. Return, Enter,
// Space, Escape, the close box or a click on OK dismiss it.
void ShowMessageBox(const Window* over, const std::string& text);

}  // namespace fw::qt
