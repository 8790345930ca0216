#include "shell/startup.h"

#include <cstdio>

#include "catalogue/text_store.h"
#include "catalogue/window3.h"
#include "framework/application/application.h"
#include "framework/runtime/runtime.h"
#include "learning/window2.h"
#include "learning/window4.h"
#include "learning/window5.h"
#include "learning/window6.h"
#include "learning/window7.h"
#include "learning/window8.h"
#include "learning/window9.h"
#include "recall/window11.h"
#include "recall/window12.h"
#include "recall/window13.h"
#include "shell/app.h"
#include "shell/desktop_identity.h"
#include "shell/implicit_window.h"
#include "shell/menu_bar1.h"
#include "shell/window1.h"
#include "shell/window10.h"
#include "shell/window20.h"

namespace startup {

void Initialize() {
  fw::Window::Lookup();
  fw::Application::Lookup();
  fw::MenuBar::Lookup();
  App::Lookup();
  MenuBar1::Lookup();
  Window1::Lookup();
  Window2::Lookup();
  Window3::Lookup();
  Window4::Lookup();
  Window5::Lookup();
  Window6::Lookup();
  Window7::Lookup();
  Window8::Lookup();
  Window9::Lookup();
  Window10::Lookup();
  Window11::Lookup();
  Window12::Lookup();
  Window13::Lookup();
  Window20::Lookup();
}

void Main() {
  try {
    {
      fw::Ref<fw::Delegate> startup = fw::RuntimeCreateDelegate(&Startup, "(  )");
      fw::RunFrameworkInitialization(startup);
    }
    fw::RuntimeRun();
  } catch (...) {
    fw::UnhandledException(std::current_exception());
  }
}

void Finalize() {
  ReleaseTextStore();
  fw::ReleaseModuleLists();
  MenuBar1::ExitImplicitInstance();
}

void Startup() {
  fw::RuntimeInitExternalClasses();
  fw::InitPluginEntrypoints();
  InitFileTypes();
  NewAppInstance();
  ApplicationAddMenuHandlers();
  MakeDefaultView();
}

void InitFileTypes() {}

// The menu bar is in place before the application object is registered,
// and the application object before the first window is built.
void NewAppInstance() {
  auto app = fw::RuntimeCheckCast<App>(fw::RuntimeNewObject(App::Lookup()), App::Lookup());
  fw::NotNil(app, "das Anwendungsobjekt");
  app->MenuBar(MenuBar1::Get());
  fw::RegisterAppObject(app);
}

void ApplicationAddMenuHandlers() {}

// The start screen stays alive in the framework's list of windows.
void MakeDefaultView() { ImplicitWindow<Window20>(); }

int Run() {
  desktop_identity::Claim();
  fw::RuntimeInit();
  Initialize();
  Main();
  Finalize();
  return fw::RuntimeExit();
}

}  // namespace startup
