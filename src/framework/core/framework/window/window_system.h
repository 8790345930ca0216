#pragma once

#include <string_view>
#include <vector>

#include "framework/runtime/object.h"

namespace fw {

class Window;

// The live windows: the registry by class name through which implicit
// instances are found, the order of the shown windows from back to front,
// and the bridge that puts that state on the screen.
class WindowSystem {
 public:
  static void Register(const Ref<Window>& window);
  static void Unregister(const Window& window);
  static Ref<Window> Find(std::string_view className);
  static std::vector<Ref<Window>> Registered();

  // A window is destroyed: the lists let it go.
  static void Forget();

  // The logical stacking of shown windows. A change of the front window
  // raises Activate on the new front window, once per change.
  static void BringToFront(Window& window);
  static void Withdraw(Window& window);
  static Window* Front();
  // The shown window right behind this one: the one it was called up over.
  static Window* Behind(const Window& window);
  // Windows were on the screen, and none is left: the user can no longer
  // reach the program.
  static bool NothingLeftToSee();

  // The keyboard goes back to the window that should have it, after a window
  // that may have had it left the screen.
  static void ReturnKeyboard();
  // The window that should have the keyboard: the front one, unless it was
  // opened beside another, which keeps it.
  static Window* KeyboardWindow();

  // The user brought a window to the front on the screen.
  static void NativeActivated(Window& window);

  // The handlers running, counted by the dispatcher: changes made inside
  // one wait until the outermost returns.
  static int handlersRunning;

  // Something changed that the screen should show: applied when the
  // outermost handler returns, or on the next turn of the event loop.
  static void Changed();
  static void ScheduleFlush();
  static void Flush();

  // Gives up every registered window (at the end of a run).
  static void ReleaseAll();
};

}  // namespace fw
