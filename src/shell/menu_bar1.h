#pragma once

#include "framework/menu/menu_item.h"

// The program's menu bar: "&Ablage" with the quit item and "&Bearbeiten"
// with the standard editing items. Built once, at start-up.
class MenuBar1 : public fw::MenuBar {
 public:
  static const fw::ClassRecord& Lookup();

  // The one menu bar of the run, built on the first call.
  static fw::Ref<MenuBar1> Get();
  // Gives up the menu bar at the end of the run.
  static void ExitImplicitInstance();
  static const fw::Ref<MenuBar1>& ImplicitInstance() { return implicitInstance; }

  void Constructor();
  void Untitled0();
  void Untitled1();

 private:
  static inline fw::Ref<MenuBar1> implicitInstance;
};
