#pragma once

#include <string>
#include <vector>

#include "catalogue/text_store_items.h"

// One text file of the bundle's Resources folder. The first call of Get
// reads it; every later call gives what that call kept, so a file is read
// at most once per run, and a first read that failed is never tried again.
class StoreItem {
 public:
  constexpr StoreItem(const char* name, const char* fileName) : name_(name), fileName_(fileName) {}
  StoreItem(const StoreItem&) = delete;
  StoreItem& operator=(const StoreItem&) = delete;

  // The file's bytes as read, no encoding applied (callers take them as
  // Mac Roman); empty when the file could not be read. Only the first call
  // can fail, with NilObjectException when the application, its executable,
  // a folder above it or the file's entry is missing.
  std::string Get();
  // Gives up the cached text at exit; the item stays read.
  void Release();

  const char* Name() const { return name_; }
  const char* FileName() const { return fileName_; }
  bool Loaded() const { return loaded; }
  const std::string& PermaText() const { return permaText; }
  // Where the first call looked for the file; empty before it.
  const std::string& Folder() const { return folder_; }

 private:
  void Read();

  const char* name_;
  const char* fileName_;
  bool loaded = false;
  std::string permaText;
  std::string folder_;
};

// Whether the item's file gives a text. When it gives none (missing,
// unreadable or empty), a message names the file and the folder it was
// looked for in: an empty page would look like a normal day.
bool TextThere(StoreItem& item);

// Each item is a module of its own, x_<name>, with its getter <name>():
// x_GOLD::GOLD(), x_ANNEZUS::ANNEZUS(), x_Wleistung0::Wleistung0().
#define MERKHAUS_DECLARE_STORE_ITEM(itemName, fileName) \
  namespace x_##itemName {                              \
    extern StoreItem item;                              \
    std::string itemName();                             \
  }
MERKHAUS_TEXT_STORE_ITEMS(MERKHAUS_DECLARE_STORE_ITEM)
#undef MERKHAUS_DECLARE_STORE_ITEM

// Releases all 168 cached texts, in the order of StoreItemsInReleaseOrder.
// The program's finaliser calls it once, after the event loop has ended.
void ReleaseTextStore();

// Every item, in the order in which ReleaseTextStore gives them up.
const std::vector<StoreItem*>& StoreItemsInReleaseOrder();
