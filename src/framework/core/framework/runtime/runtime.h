#pragma once

namespace fw {

// Starts the framework: the toolkit underneath, the framework's classes.
// Call once, before anything else of the framework.
void RuntimeInit();

// Shuts the framework down and gives the exit status of the run: 0, or 1
// when the run ended through a failure that nothing caught.
int RuntimeExit();

// A yield point for background work. The framework has none, so it runs no
// events: a handler that calls it is never re-entered from here.
inline void RuntimeBackgroundTask() {}

// Start-up steps of the framework that a program runs first thing in its
// start-up routine. The framework has no external classes and no plug-ins,
// so both have nothing to do.
inline void RuntimeInitExternalClasses() {}
inline void InitPluginEntrypoints() {}

}  // namespace fw
