#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace fw {
class Window;
class WindowPeer;
}  // namespace fw

// What the framework asks of the toolkit. The toolkit layer (qt/) implements
// it; nothing here names the toolkit's own types.
namespace fw::qt {

std::unique_ptr<fw::WindowPeer> MakeWindowPeer(Window& owner);

// Throws a RuntimeException that names what is missing where the toolkit
// would find no screen to show windows on.
void CheckDisplay();

// The toolkit's application and event loop.
void StartToolkit();
void StopToolkit();
void ExecEventLoop();
void ExitEventLoop();

// Runs the work whenever the descriptor has something to read, for as long
// as the toolkit runs, and then looks at it again after restMs at the soonest.
void WatchDescriptor(int fd, int restMs, std::function<void()> work);

// Brings the program's minimized windows back onto the screen.
void RestoreMinimizedWindows();

// Raises the modal box that waits for an answer, if one does, above the
// windows and gives it the keyboard: false where there is none.
bool RaiseModalBox();

// Runs the work on the next turn of the toolkit's event loop.
void PostToEventLoop(std::function<void()> work);

// The identity a program gives its windows on the desktop. Kept until the
// toolkit starts; given to it at once when it runs already.
void SetDesktopIdentity(std::string windowClass, std::string desktopEntry,
                        std::vector<std::string> iconFiles);

// The instance part of the window class: what the toolkit is started as.
std::string ToolkitInstanceName();

// Hands class, entry and icon to the running toolkit.
void ApplyDesktopIdentity();

// A modal box with the text and one "OK" button, over the window that
// raised it (nullptr: none), titled with the program's name. Return, Enter,
// Space, Escape, the close box or a click on OK dismiss it.
void ShowMessageBox(const Window* over, const std::string& text);

}  // namespace fw::qt
