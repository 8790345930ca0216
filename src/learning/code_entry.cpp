#include "learning/code_entry.h"

#include "framework/application/application.h"
#include "framework/controls/edit_field.h"
#include "framework/text/text.h"
#include "shell/control_named.h"
#include "shell/implicit_window.h"
#include "shell/window1.h"

namespace {

constexpr int32_t kReturn = 13;

}  // namespace

bool CodeEntryKeyDown(fw::Window& owner, const std::string& key, StoreItem* CatalogueEntry::*needed,
                      const std::function<void()>& showTarget) {
  if (fw::Asc(key) == kReturn) {
    // Read once: the target's build may close the owning window.
    std::string typed = ControlNamed<fw::EditField>(owner, "EditField1")->Text();
    if (const CatalogueEntry* entry = CodeLookup(typed)) {
      if (TextThere(*(entry->*needed))) showTarget();
    } else {
      fw::MsgBox("Das Kürzel ist falsch! Bitte korrigieren!");
    }
  }
  ImplicitWindow<Window1>()->Close();
  return false;
}
