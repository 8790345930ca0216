#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <string>
#include <string_view>
#include <vector>

#include "framework/application/application.h"
#include "framework/controls/control.h"
#include "framework/qt/control_peer.h"
#include "framework/qt/window_peer.h"
#include "framework/window/window.h"

namespace harness {

// A test that drives the framework as a user would. Message boxes are
// recorded and dismissed at once; what the run left behind is given up at
// the end.
class FrameworkTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::vector<std::string> messages;
};

// The live window of a class, built when there is none: the framework's
// usual way to reach a window.
template <class W>
fw::Ref<W> Implicit() {
  fw::Ref<fw::Window> window = fw::GetImplicitWindow(W::Lookup().name);
  if (!window) {
    window =
        fw::RuntimeCheckCast<fw::Window>(fw::RuntimeNewObject(W::Lookup()), fw::Window::Lookup());
    window->Constructor();
  }
  return fw::RuntimeCheckCast<W>(window, W::Lookup());
}

// Runs code as a handler of the framework would run (screen changes wait
// for its end), then lets the event loop catch up.
void AsHandler(const std::function<void()>& work);

// Real input on the control's widget, then the event loop catches up.
void Click(const fw::Ref<fw::Control>& control);
// The control's MouseDown takes every click, keeping where the last was.
void TakeMouseDowns(const fw::Ref<fw::Control>& control, std::vector<int>& at);
void Type(const fw::Ref<fw::Control>& control, std::string_view text);
void PressKey(const fw::Ref<fw::Control>& control, int qtKey);

// Lets the event loop run until nothing is left to do.
void ProcessEvents();

// Class names of the windows: live ones, those on the screen, the hidden.
std::vector<std::string> LiveWindows();
std::vector<std::string> ShownWindows();
std::vector<std::string> HiddenWindows();
bool OnScreen(const fw::Window& window);

// How often a window of the class came onto the screen since the test began.
int TimesShownOnScreen(std::string_view className);

// The window's content as the user sees it, and a copy kept as PNG in the
// build tree's screenshots folder.
QImage Grab(const fw::Window& window);
QImage SaveScreenshot(const fw::Window& window, const std::string& name);

// The menu bar of a window as the toolkit shows it: menus and entries.
struct MenuEntry {
  std::string text;
  std::string shortcut;
  bool separator = false;
  bool enabled = true;
};
std::vector<std::pair<std::string, std::vector<MenuEntry>>> MenuBarOf(const fw::Window& window);
void TriggerMenuEntry(const fw::Window& window, const std::string& entryName);

}  // namespace harness
