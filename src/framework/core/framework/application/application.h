#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "framework/runtime/class_record.h"
#include "framework/runtime/delegate.h"

namespace fw {

class MenuBar;
class FolderItem;

// The application object: one per run, registered with the framework.
class Application : public Object {
 public:
  static constexpr const char* kTypeName = "Application";
  static const ClassRecord& Lookup();

  Ref<fw::MenuBar> MenuBar() const { return menuBar_; }
  void MenuBar(Ref<fw::MenuBar> menuBar) { menuBar_ = std::move(menuBar); }
  Ref<FolderItem> ExecutableFile() const;

 protected:
  const ClassRecord& NativeClass() const override { return Lookup(); }

 private:
  Ref<fw::MenuBar> menuBar_;
};

void RegisterAppObject(const Ref<Application>& app);
Ref<Application> GetAppObject();

// Runs the start-up routine once, before the first event is handled.
void RunFrameworkInitialization(const Ref<Delegate>& startup);

// The event loop: returns when the application quits. A failure that ended
// the loop comes out of here.
void RuntimeRun();

// Ends the run: the event loop returns as soon as the running handler does.
void Quit(int32_t code = 0);
bool QuitRequested();

// A modal message with an OK button; the caller goes on once it is closed.
void MsgBox(const std::string& text);

// Tests put their own message box in place (and restore with nullptr).
using MessageBoxHandler = std::function<void(const std::string& text)>;
void SetMessageBoxHandler(MessageBoxHandler handler);

// Tells the user of a failure that nothing caught; the run then ends with a
// non-zero exit status.
void UnhandledException(std::exception_ptr failure);
std::string DescribeFailure(std::exception_ptr failure);

// How the desktop tells the program's windows from others' and finds its
// menu entry for them: the window class, the desktop entry's id, and the
// icon in its sizes (files; any that can't be read are left out). Given
// before RuntimeInit, so that the first window carries them already.
void SetDesktopIdentity(const std::string& windowClass, const std::string& desktopEntry,
                        const std::vector<std::string>& iconFiles);

// Gives up the framework's run-wide lists: the live windows.
void ReleaseModuleLists();

}  // namespace fw
