#include "catalogue/text_store.h"

#include "framework/application/application.h"
#include "framework/folder_item/folder_item.h"
#include "framework/runtime/exceptions.h"
#include "shell/app.h"

std::string StoreItem::Get() {
  if (!loaded) {
    // Marked before anything can fail, so that a failed read is not retried.
    loaded = true;
    Read();
  }
  return permaText;
}

// Walks anew from the executable to the Resources folder on each item's
// first call: items share nothing, not even the folder another one found.
void StoreItem::Read() {
  auto neededFor = [this](const std::string& what) {
    return what + ", gebraucht für die Datei „" + fileName_ + "“";
  };
  fw::Ref<App> app = App::Get();
  fw::Ref<fw::FolderItem> executable =
      fw::NotNil(app, neededFor("das Anwendungsobjekt")).ExecutableFile();
  fw::Ref<fw::FolderItem> executableFolder =
      fw::NotNil(executable, neededFor("die Programmdatei")).Parent();
  fw::Ref<fw::FolderItem> contents =
      fw::NotNil(executableFolder, neededFor("der Ordner der Programmdatei")).Parent();
  fw::NotNil(contents, neededFor("der Ordner über dem Ordner der Programmdatei"));

  // Missing data is no failure of the program: no Resources folder, or a
  // file that does not open, gives the empty text. (The framework names a
  // missing folder or file all the same; only a name that can't be one
  // gives nil.)
  fw::Ref<fw::FolderItem> resources = contents->Child("Resources");
  if (!resources) return;
  folder_ = resources->NativePath().string();
  fw::Ref<fw::FolderItem> file = resources->Child(fileName_);
  fw::NotNil(file, std::string("die Datei „") + fileName_ + "“ im Ordner „Resources“");
  fw::Ref<fw::TextInputStream> stream = file->OpenAsTextFile();
  if (!stream) return;
  // Kept before the close, so a failing close still leaves the text.
  permaText = stream->ReadAll();
  stream->Close();
}

bool TextThere(StoreItem& item) {
  if (!item.Get().empty()) return true;
  fw::MsgBox(std::string("Die Datei „") + item.FileName() + "“ fehlt, ist leer oder nicht lesbar." +
             "\rGesucht wurde sie im Ordner\r" + item.Folder());
  return false;
}

void StoreItem::Release() { std::string().swap(permaText); }

#define MERKHAUS_DEFINE_STORE_ITEM(itemName, fileName) \
  StoreItem x_##itemName::item{#itemName, fileName};   \
  std::string x_##itemName::itemName() { return item.Get(); }
MERKHAUS_TEXT_STORE_ITEMS(MERKHAUS_DEFINE_STORE_ITEM)
#undef MERKHAUS_DEFINE_STORE_ITEM

const std::vector<StoreItem*>& StoreItemsInReleaseOrder() {
#define MERKHAUS_LIST_STORE_ITEM(itemName, fileName) &x_##itemName::item,
  static const std::vector<StoreItem*> items{MERKHAUS_TEXT_STORE_ITEMS(MERKHAUS_LIST_STORE_ITEM)};
#undef MERKHAUS_LIST_STORE_ITEM
  return items;
}

void ReleaseTextStore() {
  for (StoreItem* item : StoreItemsInReleaseOrder()) item->Release();
}
