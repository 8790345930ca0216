#include "framework/window/window_system.h"

#include <algorithm>

#include "framework/runtime/class_record.h"
#include "framework/window/toolkit.h"
#include "framework/window/window.h"

namespace fw {

namespace {

// Windows are owned by the registry while open, and by the program; every
// other list here holds them weakly, so that none outlives its window.
using Handle = std::weak_ptr<Object>;

struct State {
  std::vector<Ref<Window>> registry;
  std::vector<Handle> built;  // every window built, until it is destroyed
  std::vector<Handle> stack;  // the shown ones, back to front
  // The stack as it was last put on the screen.
  std::vector<Handle> onScreen;
  bool dirty = false;
  bool flushPosted = false;
  bool restack = false;
  bool everShown = false;
};

State& S() {
  static State state;
  return state;
}

Window* Get(const Handle& handle) { return static_cast<Window*>(handle.lock().get()); }

void Remove(std::vector<Handle>& list, const Window& window) {
  std::erase_if(list, [&](const Handle& h) { return h.expired() || Get(h) == &window; });
}

// Held for as long as the caller works on them: the toolkit may call back
// into the program, which may let a window go meanwhile.
std::vector<Ref<Window>> Live(const std::vector<Handle>& list) {
  std::vector<Ref<Window>> live;
  for (const Handle& h : list) {
    if (auto object = h.lock()) live.push_back(std::static_pointer_cast<Window>(object));
  }
  return live;
}

// How many windows at the back of the new order already lie in that order
// on the screen: only the ones in front of them need raising.
size_t InPlaceAtTheBack(const std::vector<Handle>& was, const std::vector<Ref<Window>>& now) {
  size_t inPlace = 0;
  for (const Handle& h : was) {
    if (inPlace < now.size() && Get(h) == now[inPlace].get()) ++inPlace;
  }
  return inPlace;
}

// Where the keyboard goes: to the front window, unless it was opened beside
// another, which keeps it; what the user was typing goes on into its field.
Window& KeyboardWindowOf(const std::vector<Ref<Window>>& stack) {
  for (auto it = stack.rbegin(); it != stack.rend(); ++it) {
    if (!(*it)->OpensBeside()) return **it;
  }
  return *stack.back();
}

void PutKeyboard(const std::vector<Ref<Window>>& stack, bool evenWhereItIs) {
  if (stack.empty()) return;
  Window& keyboard = KeyboardWindowOf(stack);
  // Asking again for a window beside another would raise the caller over it.
  keyboard.TakeKeyboardOnScreen(evenWhereItIs && &keyboard == stack.back().get());
  // A window manager raises the window it activates.
  if (&keyboard != stack.back().get()) stack.back()->RaiseOnScreen(false);
}

void RaiseActivate(Window& window) {
  Ref<Object> keep = window.shared_from_this();
  RaiseClassEvent(window, Activate);
}

}  // namespace

void WindowSystem::Register(const Ref<Window>& window) {
  S().registry.push_back(window);
  Remove(S().built, *window);
  S().built.push_back(window);
  Changed();
}

void WindowSystem::Unregister(const Window& window) {
  auto& r = S().registry;
  // Moved out first: the window may die with its last reference, and its
  // class's finaliser may call back into the registry.
  auto leaving = std::stable_partition(r.begin(), r.end(),
                                       [&](const Ref<Window>& w) { return w.get() != &window; });
  std::vector<Ref<Window>> gone(std::make_move_iterator(leaving), std::make_move_iterator(r.end()));
  r.erase(leaving, r.end());
  Changed();
}

Ref<Window> WindowSystem::Find(std::string_view className) {
  for (const auto& w : S().registry) {
    if (w->Class().name == className) return w;
  }
  return nullptr;
}

std::vector<Ref<Window>> WindowSystem::Registered() { return S().registry; }

void WindowSystem::Forget() {
  std::erase_if(S().built, [](const Handle& h) { return h.expired(); });
  std::erase_if(S().stack, [](const Handle& h) { return h.expired(); });
}

void WindowSystem::BringToFront(Window& window) {
  auto& stack = S().stack;
  if (!stack.empty() && Get(stack.back()) == &window) return;
  Remove(stack, window);
  stack.push_back(window.weak_from_this());
  S().restack = true;
  Changed();
  RaiseActivate(window);
}

void WindowSystem::Withdraw(Window& window) {
  auto& stack = S().stack;
  Window* front = Front();
  if (std::ranges::none_of(stack, [&](const Handle& h) { return Get(h) == &window; })) return;
  Remove(stack, window);
  S().restack = true;
  Changed();
  if (front == &window && Front()) RaiseActivate(*Front());
}

Window* WindowSystem::Front() {
  auto& stack = S().stack;
  for (auto it = stack.rbegin(); it != stack.rend(); ++it) {
    if (Window* window = Get(*it)) return window;
  }
  return nullptr;
}

Window* WindowSystem::Behind(const Window& window) {
  std::vector<Ref<Window>> stack = Live(S().stack);
  auto at = std::ranges::find_if(stack, [&](const Ref<Window>& w) { return w.get() == &window; });
  return at == stack.end() || at == stack.begin() ? nullptr : (at - 1)->get();
}

bool WindowSystem::NothingLeftToSee() { return S().everShown && S().stack.empty(); }

void WindowSystem::NativeActivated(Window& window) {
  if (window.Visible() && Front() != &window) BringToFront(window);
}

int WindowSystem::handlersRunning = 0;

void WindowSystem::Changed() {
  S().dirty = true;
  if (handlersRunning == 0) ScheduleFlush();
}

void WindowSystem::ScheduleFlush() {
  auto& s = S();
  if (!s.dirty || s.flushPosted) return;
  s.flushPosted = true;
  qt::PostToEventLoop([] {
    S().flushPosted = false;
    if (handlersRunning == 0) Flush();
  });
}

void WindowSystem::Flush() {
  auto& s = S();
  if (!s.dirty) return;
  s.dirty = false;
  for (const Ref<Window>& w : Live(s.built)) w->SyncScreenVisibility();
  std::vector<Ref<Window>> stack = Live(s.stack);
  if (!stack.empty()) s.everShown = true;
  if (!s.restack) return;
  s.restack = false;
  // A window built and closed inside a handler leaves the stack as it was:
  // raising and activating again would cost a round trip to the display for
  // nothing. Some window managers (xfwm4) activate a window that asks to be
  // raised: raising one that the user's click has just put behind another
  // would take the keyboard from the window they clicked into.
  size_t inPlace = InPlaceAtTheBack(s.onScreen, stack);
  if (inPlace == stack.size() && s.onScreen.size() == stack.size()) return;
  s.onScreen.assign(stack.begin(), stack.end());
  for (size_t i = inPlace; i < stack.size(); ++i) stack[i]->RaiseOnScreen(false);
  PutKeyboard(stack, false);
}

void WindowSystem::ReturnKeyboard() { PutKeyboard(Live(S().stack), true); }

Window* WindowSystem::KeyboardWindow() {
  std::vector<Ref<Window>> stack = Live(S().stack);
  return stack.empty() ? nullptr : &KeyboardWindowOf(stack);
}

void WindowSystem::ReleaseAll() {
  auto& s = S();
  std::vector<Ref<Window>> windows = std::move(s.registry);
  s.registry.clear();
  s.stack.clear();
  s.onScreen.clear();
  s.everShown = false;
}

}  // namespace fw
