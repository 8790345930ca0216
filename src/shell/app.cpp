#include "shell/app.h"

#include "framework/runtime/class_builder.h"

const fw::ClassRecord& App::Lookup() {
  static const fw::ClassRecord record =
      fw::ClassBuilder<App>("App", fw::Application::Lookup())
          .Method("Event_Open", &App::Event_Open)
          .Method("Event_Activate", &App::Event_Activate)
          .Handles(fw::Open, "Event_Open", &App::Event_Open)
          .Handles(fw::Activate, "Event_Activate", &App::Event_Activate)
          .Build();
  return record;
}

fw::Ref<App> App::Get() { return fw::RuntimeCheckCast<App>(fw::GetAppObject(), Lookup()); }
