#pragma once

#include <exception>
#include <functional>

namespace fw {

// Every entry from the toolkit into framework or program code goes through
// here: a failure is caught and kept, and the event loop is asked to end, so
// that no exception ever unwinds through the toolkit. Changes of window
// visibility made inside are put on the screen when the outermost entry
// returns, so a window built and closed within one handler never shows.
// When the work leaves no window on the screen, the run ends.
void Dispatch(const std::function<void()>& work);

// The same for painting: screen changes are never made from inside a paint.
void DispatchPaint(const std::function<void()>& work);

// Runs work as a handler that the framework itself started (the start-up
// routine): screen changes wait for its end, failures go to the caller.
void RunInHandlerScope(const std::function<void()>& work);

// The failure that ended the run, if any, handed over once.
std::exception_ptr TakeUnhandledFailure();

// Whether a failure is waiting; handlers are not run while one is.
bool FailurePending();

}  // namespace fw
