#pragma once

#include <functional>
#include <string>

namespace fw::qt {

// The toolkit's application and event loop.
void StartToolkit();
void StopToolkit();
void ExecEventLoop();
void ExitEventLoop();

// Runs the work whenever the descriptor has something to read, for as long
// as the toolkit runs.
void WatchDescriptor(int fd, std::function<void()> work);

// Brings the program's minimized windows back onto the screen.
void RestoreMinimizedWindows();

// Runs the work on the next turn of the toolkit's event loop.
void PostToEventLoop(std::function<void()> work);

}  // namespace fw::qt
