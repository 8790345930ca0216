#pragma once

#include "framework/window/window.h"

// The one live window of a class, found by the class's name ("Window5.Window5")
// and built when there is none. Every use of a window goes through here.
template <class W>
fw::Ref<W> ImplicitWindow() {
  const fw::ClassRecord& record = W::Lookup();
  fw::Ref<fw::Window> window = fw::GetImplicitWindow(record.name);
  if (!window) {
    window = fw::RuntimeCheckCast<fw::Window>(fw::RuntimeNewObject(record), fw::Window::Lookup());
    fw::NotNil(window, "ein Fenster der Klasse „" + record.name + "“").Constructor();
  }
  return fw::RuntimeCheckCast<W>(window, record);
}
