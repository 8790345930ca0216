#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "framework/folder_item/text_input_stream.h"
#include "framework/picture/picture.h"
#include "framework/runtime/object.h"

namespace fw {

// A file or folder, named by its path whether or not it exists. Names are
// matched exactly, letter case included.
class FolderItem : public Object {
 public:
  static constexpr const char* kTypeName = "FolderItem";

  explicit FolderItem(std::filesystem::path path);

  const std::filesystem::path& NativePath() const { return path_; }
  std::string Name() const { return path_.filename().string(); }
  bool Exists() const;
  bool Directory() const;

  // Nil at the root.
  Ref<FolderItem> Parent() const;
  // An item also when nothing of that name exists; nil only for names that
  // can't be one item of this folder: empty, ".", "..", or containing '/'
  // or NUL.
  Ref<FolderItem> Child(std::string_view name) const;

  // Nil unless this is a regular file that can be opened for reading.
  Ref<TextInputStream> OpenAsTextFile() const;
  // A JPEG or PNG file; nil when it can't be read as a picture.
  Ref<Picture> OpenAsPicture() const;

 private:
  std::filesystem::path path_;
};

// The running program's own file.
Ref<FolderItem> ApplicationExecutableFile();
// Lets tests stand in another executable path; nullopt restores the real one.
void OverrideExecutablePath(std::optional<std::filesystem::path> path);

// The bundle's data folder: the executable's folder's parent's "Resources".
// Nil when that is no folder; NilObjectException when the executable or
// either folder above it can't be had.
Ref<FolderItem> GetApplicationBundleResources();
// Where that folder should be, whether it is there or not, so that a
// message can say where it was looked for.
Ref<FolderItem> ApplicationBundleResourcesPlace();

}  // namespace fw
