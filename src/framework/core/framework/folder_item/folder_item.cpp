#include "framework/folder_item/folder_item.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <system_error>
#include <utility>

#include "framework/runtime/exceptions.h"

namespace fw {

namespace fs = std::filesystem;

namespace {

std::optional<fs::path> executableOverride;

// An absolute path without "." and ".." steps or a trailing separator, so
// that Parent and Name see the item's own name last.
fs::path Tidy(fs::path path) {
  std::error_code error;
  fs::path absolute = fs::absolute(path, error);
  if (!error) path = std::move(absolute);
  path = path.lexically_normal();
  if (!path.has_filename() && path != path.root_path()) path = path.parent_path();
  return path;
}

// Opens without blocking, since opening a FIFO for reading would wait for a
// writer; anything but a regular file is refused before it is read.
int OpenRegularFile(const fs::path& path) {
  int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (descriptor < 0) return -1;
  struct stat status {};
  if (fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
    ::close(descriptor);
    return -1;
  }
  int flags = fcntl(descriptor, F_GETFL);
  if (flags >= 0) fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK);
  return descriptor;
}

}  // namespace

FolderItem::FolderItem(fs::path path) : path_(Tidy(std::move(path))) {}

bool FolderItem::Exists() const {
  std::error_code error;
  return fs::exists(path_, error);
}

bool FolderItem::Directory() const {
  std::error_code error;
  return fs::is_directory(path_, error);
}

Ref<FolderItem> FolderItem::Parent() const {
  if (path_.empty() || path_ == path_.root_path()) return nullptr;
  return std::make_shared<FolderItem>(path_.parent_path());
}

Ref<FolderItem> FolderItem::Child(std::string_view name) const {
  if (name.empty() || name == "." || name == ".." ||
      name.find_first_of(std::string_view("/\0", 2)) != std::string_view::npos) {
    return nullptr;
  }
  return std::make_shared<FolderItem>(path_ / fs::path(name));
}

Ref<TextInputStream> FolderItem::OpenAsTextFile() const {
  int descriptor = OpenRegularFile(path_);
  if (descriptor < 0) return nullptr;
  return std::make_shared<TextInputStream>(descriptor, path_);
}

Ref<Picture> FolderItem::OpenAsPicture() const {
  int descriptor = OpenRegularFile(path_);
  if (descriptor < 0) return nullptr;
  return ReadPicture(descriptor);
}

Ref<FolderItem> ApplicationExecutableFile() {
  if (executableOverride) return std::make_shared<FolderItem>(*executableOverride);
  std::error_code error;
  fs::path path = fs::read_symlink("/proc/self/exe", error);
  if (error || path.empty()) return nullptr;
  return std::make_shared<FolderItem>(std::move(path));
}

void OverrideExecutablePath(std::optional<fs::path> path) { executableOverride = std::move(path); }

Ref<FolderItem> GetApplicationBundleResources() {
  Ref<FolderItem> resources = ApplicationBundleResourcesPlace();
  if (!resources || !resources->Directory()) return nullptr;
  return resources;
}

Ref<FolderItem> ApplicationBundleResourcesPlace() {
  Ref<FolderItem> executable = ApplicationExecutableFile();
  if (!executable) throw NilObjectException("die Programmdatei");
  Ref<FolderItem> folder = executable->Parent();
  if (!folder) throw NilObjectException("der Ordner der Programmdatei");
  Ref<FolderItem> contents = folder->Parent();
  if (!contents) throw NilObjectException("der Ordner über dem Ordner der Programmdatei");
  return contents->Child("Resources");
}

}  // namespace fw
