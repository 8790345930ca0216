#pragma once

#include <functional>
#include <string>

namespace fw::qt {

// The toolkit's application and event loop.
void StartToolkit();
void StopToolkit();
void ExecEventLoop();
void ExitEventLoop();

// Runs the work on the next turn of the toolkit's event loop.
void PostToEventLoop(std::function<void()> work);

// A modal message box with an OK button.
void ShowMessageBox(const std::string& title, const std::string& text);

}  // namespace fw::qt
