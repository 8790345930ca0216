#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "framework/runtime/class_record.h"

namespace fw {

// An entry of a menu, a menu (an entry with entries), or the menu bar. A
// caption of "-" is a separator; "&" marks the mnemonic; shortcuts are
// written "Cmd+Q" and mean the platform's command key.
class MenuItem : public Object {
 public:
  static constexpr const char* kTypeName = "MenuItem";
  static const ClassRecord& Lookup();

  void Constructor() {}

  const std::string& Name() const { return name_; }
  void Name(std::string name) { name_ = std::move(name); }
  bool AutoEnable() const { return autoEnable_; }
  void AutoEnable(bool on) { autoEnable_ = on; }
  const std::string& Text() const { return text_; }
  void Text(std::string text) { text_ = std::move(text); }
  const std::string& KeyboardShortcut() const { return shortcut_; }
  void KeyboardShortcut(std::string shortcut) { shortcut_ = std::move(shortcut); }

  void Append(const Ref<MenuItem>& item) { items_.push_back(item); }
  Ref<MenuItem> Child(std::string_view name) const;
  const std::vector<Ref<MenuItem>>& Items() const { return items_; }
  bool IsSeparator() const { return text_ == "-"; }

  // What choosing the entry does; a plain entry does nothing of its own.
  virtual void Action() {}

 protected:
  const ClassRecord& NativeClass() const override { return Lookup(); }

 private:
  std::string name_;
  bool autoEnable_ = false;
  std::string text_;
  std::string shortcut_;
  std::vector<Ref<MenuItem>> items_;
};

// The entry that ends the run.
class QuitMenuItem : public MenuItem {
 public:
  static constexpr const char* kTypeName = "QuitMenuItem";
  static const ClassRecord& Lookup();
  void Action() override;

 protected:
  const ClassRecord& NativeClass() const override { return Lookup(); }
};

class MenuBar : public MenuItem {
 public:
  static constexpr const char* kTypeName = "MenuBar";
  static const ClassRecord& Lookup();

 protected:
  const ClassRecord& NativeClass() const override { return Lookup(); }
};

}  // namespace fw
