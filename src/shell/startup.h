#pragma once

// A run of the program, from the process entry to its exit status.
namespace startup {

// Sets up every class of the program, the framework's first.
void Initialize();
// Hands the start-up routine to the framework and runs the event loop; a
// failure that nothing caught is told to the user here.
void Main();
// Gives up, at the end of the run, the cached texts, the framework's lists
// of windows and the menu bar, in that order.
void Finalize();

void Startup();
void InitFileTypes();
void NewAppInstance();
void ApplicationAddMenuHandlers();
void MakeDefaultView();

// The whole run: what the process entry does. Gives the exit status.
int Run();

}  // namespace startup
