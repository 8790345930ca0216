#include "framework/menu/menu_item.h"

#include "framework/application/application.h"

namespace fw {

namespace {

template <class T>
ClassRecord MenuRecord(const char* name, const ClassRecord* base,
                       std::vector<std::string> methods) {
  ClassRecord r;
  r.name = name;
  r.base = base;
  r.attributes = {{"__Scope", "Public"}};
  r.virtualMethods = std::move(methods);
  r.factory = [] { return std::make_shared<T>(); };
  return r;
}

}  // namespace

const ClassRecord& MenuItem::Lookup() {
  static const ClassRecord record =
      MenuRecord<MenuItem>(kTypeName, nullptr, {"Constructor", "Append", "Child", "Action"});
  return record;
}

const ClassRecord& MenuItem::NativeClass() const { return Lookup(); }

void MenuItem::Append(const Ref<MenuItem>& item) { items_.push_back(item); }

Ref<MenuItem> MenuItem::Child(std::string_view name) const {
  for (const auto& item : items_) {
    if (item && item->Name() == name) return item;
  }
  return nullptr;
}

const ClassRecord& QuitMenuItem::Lookup() {
  static const ClassRecord record = MenuRecord<QuitMenuItem>(kTypeName, &MenuItem::Lookup(), {});
  return record;
}

const ClassRecord& QuitMenuItem::NativeClass() const { return Lookup(); }

void QuitMenuItem::Action() { Quit(0); }

const ClassRecord& MenuBar::Lookup() {
  static const ClassRecord record =
      MenuRecord<MenuBar>(kTypeName, &MenuItem::Lookup(), {"_InstallClone", "__DependencyList"});
  return record;
}

const ClassRecord& MenuBar::NativeClass() const { return Lookup(); }

}  // namespace fw
