#include "framework/application/application.h"

#include <cstdlib>
#include <optional>

#include "framework/application/dispatch.h"
#include "framework/application/single_run.h"
#include "framework/folder_item/folder_item.h"
#include "framework/runtime/runtime.h"
#include "framework/window/toolkit.h"
#include "framework/window/window.h"
#include "framework/window/window_system.h"

namespace fw {

namespace {

struct RunState {
  Ref<Application> app;
  std::optional<SingleRun::Held> singleRun;
  bool quitRequested = false;
  int exitStatus = 0;
  MessageBoxHandler messageBox;
};

RunState& R() {
  static RunState state;
  return state;
}

}  // namespace

const ClassRecord& Application::Lookup() {
  static const ClassRecord record{.name = "Application",
                                  .virtualMethods = {"Constructor"},
                                  .raises = {Open, Activate},
                                  .factory = [] { return std::make_shared<Application>(); }};
  return record;
}

Ref<FolderItem> Application::ExecutableFile() const { return ApplicationExecutableFile(); }

void RegisterAppObject(const Ref<Application>& app) { R().app = app; }

Ref<Application> GetAppObject() { return R().app; }

void RunFrameworkInitialization(const Ref<Delegate>& startup) {
  NotNil(startup, "die Startroutine");
  RunInHandlerScope([&] { startup->Invoke(); });
}

void RuntimeRun() {
  if (!R().quitRequested && !FailurePending()) {
    if (R().app) Dispatch([] { RaiseClassEvent(*R().app, Open); });
    if (!R().quitRequested && !FailurePending()) qt::ExecEventLoop();
  }
  if (std::exception_ptr failure = TakeUnhandledFailure()) std::rethrow_exception(failure);
}

void Quit(int32_t) {
  R().quitRequested = true;
  qt::ExitEventLoop();
}

bool QuitRequested() { return R().quitRequested; }

void SetMessageBoxHandler(MessageBoxHandler handler) { R().messageBox = std::move(handler); }

void MsgBox(const std::string& text) {
  if (R().messageBox) {
    R().messageBox(text);
    return;
  }
  // What the user sees behind the box should be what the handler made so far.
  WindowSystem::Flush();
  qt::ShowMessageBox(WindowSystem::Front(), text);
}

std::string DescribeFailure(std::exception_ptr failure) {
  try {
    if (failure) std::rethrow_exception(failure);
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
  }
  return "Unbekannter Fehler.";
}

void UnhandledException(std::exception_ptr failure) {
  R().exitStatus = 1;
  MsgBox("Das Programm muss wegen eines Fehlers beendet werden.\r\r" + DescribeFailure(failure));
}

void SetDesktopIdentity(const std::string& windowClass, const std::string& desktopEntry,
                        const std::vector<std::string>& iconFiles) {
  qt::SetDesktopIdentity(windowClass, desktopEntry, iconFiles);
}

void ReleaseModuleLists() { WindowSystem::ReleaseAll(); }

namespace {

// A second start on the same display brings the first run's front window
// forward and ends at once.
void ClaimThisDisplay() {
  if (R().singleRun) return;
  Ref<FolderItem> program = ApplicationExecutableFile();
  auto key = SingleRun::KeyForThisDisplay(program ? program->Name() : "guiframework");
  if (!key) return;
  R().singleRun = SingleRun::Claim(*key);
  if (!R().singleRun) std::exit(0);
}

// Requests that come while the run comes forward are answered by that.
constexpr int kRestBetweenRequestsMs = 100;

// The first run comes forward when a later start asks it to.
void AnswerLaterStarts() {
  if (!R().singleRun) return;
  qt::PostToEventLoop([] {
    if (R().singleRun) SingleRun::Answering(*R().singleRun);
  });
  qt::WatchDescriptor(R().singleRun->requests, kRestBetweenRequestsMs, [] {
    if (!SingleRun::TakeRequests(*R().singleRun)) return;
    Dispatch([] {
      // Minimized windows are out of sight: to the user a start that left
      // them so would have done nothing.
      qt::RestoreMinimizedWindows();
      if (Window* front = WindowSystem::Front()) {
        front->RaiseOnScreen(false);
        // A message box waiting for an answer stays in front of its window
        // and keeps the keyboard: activating the window behind it would
        // leave the toolkit to hand the keyboard on, and raise it again.
        if (!qt::RaiseModalBox()) front->TakeKeyboardOnScreen(true);
      }
    });
  });
}

void ReleaseThisDisplay() {
  if (R().singleRun) SingleRun::Release(*R().singleRun);
  R().singleRun.reset();
}

}  // namespace

void RuntimeInit() {
  // A second start hands over without ever reaching for the screen.
  ClaimThisDisplay();
  try {
    qt::CheckDisplay();
  } catch (...) {
    ReleaseThisDisplay();
    throw;
  }
  qt::StartToolkit();
  AnswerLaterStarts();
  R().quitRequested = false;
  R().exitStatus = 0;
}

int RuntimeExit() {
  WindowSystem::ReleaseAll();
  R().app.reset();
  qt::StopToolkit();
  ReleaseThisDisplay();
  return R().exitStatus;
}

}  // namespace fw
