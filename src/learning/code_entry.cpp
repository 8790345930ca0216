#include "learning/code_entry.h"

#include "catalogue/text_catalogue.h"
#include "framework/application/application.h"
#include "framework/controls/edit_field.h"
#include "framework/text/text.h"
#include "shell/control_named.h"
#include "shell/implicit_window.h"
#include "shell/window1.h"

namespace {

constexpr int32_t kReturn = 13;

// The field is looked up and read anew for every test: the target's build
// may close the owning window while this routine runs on it.
std::string FieldText(fw::Window& owner) {
  return ControlNamed<fw::EditField>(owner, "EditField1")->Text();
}

bool Equals(const std::string& text, const char* code) {
  return fw::RuntimeStringCompare(text, code) == 0;
}

}  // namespace

bool CodeEntryKeyDown(fw::Window& owner, const std::string& key,
                      const std::function<void()>& showTarget) {
  for (const CatalogueEntry& entry : TextCatalogue()) {
    if (Equals(FieldText(owner), entry.Code) && fw::Asc(key) == kReturn) showTarget();
  }
  bool noneMatched = fw::Asc(key) == kReturn;
  for (const CatalogueEntry& entry : TextCatalogue()) {
    if (!noneMatched) break;
    noneMatched = !Equals(FieldText(owner), entry.Code);
  }
  if (noneMatched) fw::MsgBox("Das Kürzel ist falsch! Bitte korrigieren!");
  ImplicitWindow<Window1>()->Close();
  return false;
}
