#include "framework/application/dispatch.h"

#include <utility>

#include "framework/application/application.h"
#include "framework/window/toolkit.h"
#include "framework/window/window_system.h"

namespace fw {

namespace {

std::exception_ptr pendingFailure;

void Run(const std::function<void()>& work) {
  if (pendingFailure) return;
  ++WindowSystem::handlersRunning;
  try {
    work();
  } catch (...) {
    if (!pendingFailure) pendingFailure = std::current_exception();
    qt::ExitEventLoop();
  }
  --WindowSystem::handlersRunning;
}

}  // namespace

void Dispatch(const std::function<void()>& work) {
  Run(work);
  if (WindowSystem::handlersRunning > 0) return;
  WindowSystem::Flush();
  // A run that the user can no longer see can't be ended by the user
  // either: whatever put the last window away, the run ends with it.
  if (WindowSystem::NothingLeftToSee()) Quit(0);
}

void DispatchPaint(const std::function<void()>& work) {
  Run(work);
  if (WindowSystem::handlersRunning == 0) WindowSystem::ScheduleFlush();
}

void RunInHandlerScope(const std::function<void()>& work) {
  struct Scope {
    Scope() { ++WindowSystem::handlersRunning; }
    ~Scope() {
      if (--WindowSystem::handlersRunning == 0) WindowSystem::Flush();
    }
  } scope;
  work();
}

bool FailurePending() { return static_cast<bool>(pendingFailure); }

std::exception_ptr TakeUnhandledFailure() { return std::exchange(pendingFailure, nullptr); }

}  // namespace fw
