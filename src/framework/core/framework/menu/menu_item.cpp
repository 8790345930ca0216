#include "framework/menu/menu_item.h"

#include "framework/application/application.h"

namespace fw {

namespace {

template <class T>
ClassRecord MenuRecord(const char* name, const ClassRecord* base,
                       std::vector<std::string> methods) {
  return ClassRecord{
      .name = name,
      .base = base,
      .virtualMethods = std::move(methods),
      .factory = [] { return std::make_shared<T>(); },
  };
}

}  // namespace

const ClassRecord& MenuItem::Lookup() {
  static const ClassRecord record =
      MenuRecord<MenuItem>(kTypeName, nullptr, {"Constructor", "Append", "Child", "Action"});
  return record;
}

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

void QuitMenuItem::Action() { Quit(0); }

const ClassRecord& MenuBar::Lookup() {
  static const ClassRecord record =
      MenuRecord<MenuBar>(kTypeName, &MenuItem::Lookup(), {"_InstallClone", "__DependencyList"});
  return record;
}

}  // namespace fw
