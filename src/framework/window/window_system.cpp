#include "framework/window/window_system.h"

#include <algorithm>

#include "framework/application/dispatch.h"
#include "framework/qt/event_loop.h"
#include "framework/runtime/class_record.h"
#include "framework/window/window.h"

namespace fw {

namespace {

struct State {
  std::vector<Ref<Window>> registry;
  std::vector<Window*> all;
  std::vector<Window*> stack;  // back to front
  // The stack as it was last put on the screen; weak, since a window
  // built where a closed one lay is not that one.
  std::vector<std::weak_ptr<Object>> onScreen;
  bool dirty = false;
  bool flushPosted = false;
  bool restack = false;
  bool everShown = false;
};

State& S() {
  static State state;
  return state;
}

bool SameWindows(const std::vector<std::weak_ptr<Object>>& was, const std::vector<Window*>& now) {
  if (was.size() != now.size()) return false;
  for (size_t i = 0; i < now.size(); ++i) {
    if (was[i].lock().get() != now[i]) return false;
  }
  return true;
}

// Where the keyboard goes: to the front window, unless it was opened beside
// another, which keeps it; what the user was typing goes on into its field.
Window* KeyboardWindow(const std::vector<Window*>& stack) {
  for (auto it = stack.rbegin(); it != stack.rend(); ++it) {
    if (!(*it)->OpensBeside()) return *it;
  }
  return stack.back();
}

void PutKeyboard(const std::vector<Window*>& stack, bool evenWhereItIs) {
  if (stack.empty()) return;
  Window* keyboard = KeyboardWindow(stack);
  // Asking again for a window beside another would raise the caller over it.
  keyboard->TakeKeyboardOnScreen(evenWhereItIs && keyboard == stack.back());
  // A window manager raises the window it activates.
  if (keyboard != stack.back()) stack.back()->RaiseOnScreen(false);
}

void RaiseActivate(Window& window) {
  Ref<Object> keep = window.shared_from_this();
  RaiseClassEvent(window, Activate);
}

}  // namespace

void WindowSystem::Register(const Ref<Window>& window) {
  S().registry.push_back(window);
  Changed();
}

void WindowSystem::Unregister(const Window& window) {
  auto& r = S().registry;
  // Moved out first: the window may die with its last reference, and its
  // class's finaliser may call back into the registry.
  std::vector<Ref<Window>> gone;
  for (auto it = r.begin(); it != r.end();) {
    if (it->get() == &window) {
      gone.push_back(std::move(*it));
      it = r.erase(it);
    } else {
      ++it;
    }
  }
  Changed();
}

Ref<Window> WindowSystem::Find(std::string_view className) {
  for (const auto& w : S().registry) {
    if (w->Class().name == className) return w;
  }
  return nullptr;
}

std::vector<Ref<Window>> WindowSystem::Registered() { return S().registry; }

void WindowSystem::Track(Window* window) { S().all.push_back(window); }

void WindowSystem::Forget(Window* window) {
  auto& s = S();
  std::erase(s.all, window);
  std::erase(s.stack, window);
}

void WindowSystem::BringToFront(Window& window) {
  auto& stack = S().stack;
  if (!stack.empty() && stack.back() == &window) return;
  std::erase(stack, &window);
  stack.push_back(&window);
  S().restack = true;
  Changed();
  RaiseActivate(window);
}

void WindowSystem::Withdraw(Window& window) {
  auto& stack = S().stack;
  bool wasFront = !stack.empty() && stack.back() == &window;
  if (std::find(stack.begin(), stack.end(), &window) == stack.end()) return;
  std::erase(stack, &window);
  S().restack = true;
  Changed();
  if (wasFront && !stack.empty()) RaiseActivate(*stack.back());
}

Window* WindowSystem::Front() {
  auto& stack = S().stack;
  return stack.empty() ? nullptr : stack.back();
}

Window* WindowSystem::Behind(const Window& window) {
  auto& stack = S().stack;
  auto at = std::find(stack.begin(), stack.end(), &window);
  return at == stack.end() || at == stack.begin() ? nullptr : *(at - 1);
}

bool WindowSystem::NothingLeftToSee() { return S().everShown && S().stack.empty(); }

void WindowSystem::NativeActivated(Window& window) {
  if (window.Visible() && Front() != &window) BringToFront(window);
}

void WindowSystem::Changed() {
  S().dirty = true;
  if (!InsideHandler()) ScheduleFlush();
}

void WindowSystem::ScheduleFlush() {
  auto& s = S();
  if (!s.dirty || s.flushPosted) return;
  s.flushPosted = true;
  qt::PostToEventLoop([] {
    S().flushPosted = false;
    if (!InsideHandler()) Flush();
  });
}

void WindowSystem::Flush() {
  auto& s = S();
  if (!s.dirty) return;
  s.dirty = false;
  // Copies: showing a window may make the toolkit call back into us.
  std::vector<Window*> all = s.all;
  for (Window* w : all) w->SyncScreenVisibility();
  if (!s.stack.empty()) s.everShown = true;
  if (s.restack) {
    s.restack = false;
    std::vector<Window*> stack = s.stack;
    // A window built and closed inside a handler leaves the stack as it
    // was: raising and activating again would cost a round trip to the
    // display for nothing.
    if (SameWindows(s.onScreen, stack)) return;
    s.onScreen.clear();
    for (Window* w : stack) s.onScreen.push_back(w->weak_from_this());
    for (Window* w : stack) w->RaiseOnScreen(false);
    PutKeyboard(stack, false);
  }
}

void WindowSystem::ReturnKeyboard() { PutKeyboard(S().stack, true); }

void WindowSystem::ReleaseAll() {
  auto& s = S();
  std::vector<Ref<Window>> windows = std::move(s.registry);
  s.registry.clear();
  s.stack.clear();
  s.onScreen.clear();
  s.everShown = false;
  windows.clear();
}

}  // namespace fw
