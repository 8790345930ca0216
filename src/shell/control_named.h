#pragma once

#include <string>

#include "framework/controls/control.h"
#include "framework/window/window.h"

// A control of a window, found by its name and checked to be of class C.
// A control that is not there is a failure, as every missing object is.
template <class C>
fw::Ref<C> ControlNamed(const fw::Ref<fw::Window>& window, const std::string& name) {
  auto control = fw::RuntimeCheckCast<C>(fw::RuntimeWindowControlByName(window, name), C::Lookup());
  fw::NotNil(control, "das Steuerelement „" + name + "“");
  return control;
}

template <class C>
fw::Ref<C> ControlNamed(fw::Window& window, const std::string& name) {
  return ControlNamed<C>(std::static_pointer_cast<fw::Window>(window.shared_from_this()), name);
}
