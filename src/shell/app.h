#pragma once

#include "framework/application/application.h"

// The application class. Its Open and Activate events do nothing; all work
// runs in the windows.
class App : public fw::Application {
 public:
  static const fw::ClassRecord& Lookup();

  // The registered application object, checked to be an App.
  static fw::Ref<App> Get();

  void Event_Open() {}
  void Event_Activate() {}
};
