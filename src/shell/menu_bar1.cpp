#include "shell/menu_bar1.h"

#include "framework/runtime/class_builder.h"

namespace {

// Makes one entry and appends it to the bar itself or to the bar's menu of
// the given name, looked up afresh. A shortcut of nullptr is left unset.
void AddEntry(fw::MenuBar& bar, const char* menu, const fw::ClassRecord& cls, const char* name,
              const char* text, const char* shortcut) {
  auto entry =
      fw::RuntimeCheckCast<fw::MenuItem>(fw::RuntimeNewObject(cls), fw::MenuItem::Lookup());
  fw::NotNil(entry, std::string("der Menüeintrag „") + name + "“").Constructor();
  entry->Name(name);
  entry->AutoEnable(true);
  entry->Text(text);
  if (shortcut) entry->KeyboardShortcut(shortcut);
  if (!menu) {
    bar.Append(entry);
    return;
  }
  fw::NotNil(bar.Child(menu), std::string("das Menü „") + menu + "“").Append(entry);
}

}  // namespace

const fw::ClassRecord& MenuBar1::Lookup() {
  static const fw::ClassRecord record =
      fw::ClassBuilder<MenuBar1>("MenuBar1", fw::MenuBar::Lookup())
          .Method("Constructor", &MenuBar1::Constructor)
          .Method("Untitled0", &MenuBar1::Untitled0)
          .Method("Untitled1", &MenuBar1::Untitled1)
          .Build();
  return record;
}

fw::Ref<MenuBar1> MenuBar1::Get() {
  if (!implicitInstance) {
    auto bar = fw::RuntimeCheckCast<MenuBar1>(fw::RuntimeNewObject(Lookup()), Lookup());
    fw::NotNil(bar, "die Menüleiste").Constructor();
    implicitInstance = bar;
  }
  return implicitInstance;
}

void MenuBar1::ExitImplicitInstance() { implicitInstance.reset(); }

void MenuBar1::Constructor() {
  Untitled0();
  Untitled1();
}

void MenuBar1::Untitled0() {
  AddEntry(*this, nullptr, fw::MenuItem::Lookup(), "FileMenu", "&Ablage", "");
  AddEntry(*this, "FileMenu", fw::QuitMenuItem::Lookup(), "FileQuit", "Beenden", "Cmd+Q");
}

void MenuBar1::Untitled1() {
  const fw::ClassRecord& item = fw::MenuItem::Lookup();
  AddEntry(*this, nullptr, item, "EditMenu", "&Bearbeiten", "");
  AddEntry(*this, "EditMenu", item, "EditUndo", "&Rückgängig", "Cmd+Z");
  AddEntry(*this, "EditMenu", item, "UntitledMenu1", "-", nullptr);
  AddEntry(*this, "EditMenu", item, "EditCut", "&Ausschneiden", "Cmd+X");
  AddEntry(*this, "EditMenu", item, "EditCopy", "&Kopieren", "Cmd+C");
  AddEntry(*this, "EditMenu", item, "EditPaste", "&Einfügen", "Cmd+V");
  AddEntry(*this, "EditMenu", item, "EditClear", "&Löschen", "");
  AddEntry(*this, "EditMenu", item, "UntitledMenu0", "-", nullptr);
  AddEntry(*this, "EditMenu", item, "EditSelectAll", "&Alles auswählen", "Cmd+A");
}
