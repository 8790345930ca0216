#include "shell/desktop_identity.h"

#include <string_view>

#include "framework/application/application.h"
#include "framework/folder_item/folder_item.h"
#include "framework/runtime/exceptions.h"

namespace desktop_identity {

namespace {

constexpr int kIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

std::string IconFileName(int size) { return "merkhaus-" + std::to_string(size) + ".png"; }

// Installed, the icon is the desktop theme's alone: the bundle lies in
// PREFIX/lib/merkhaus, the theme in PREFIX/share/icons/hicolor.
fw::Ref<fw::FolderItem> ThemeIcon(const fw::FolderItem& resources, int size) {
  fw::Ref<fw::FolderItem> prefix = resources.Parent();
  for (int up = 0; up < 2 && prefix; ++up) prefix = prefix->Parent();
  fw::Ref<fw::FolderItem> at = prefix;
  std::string square = std::to_string(size) + "x" + std::to_string(size);
  for (std::string_view step : {"share", "icons", "hicolor", square.c_str(), "apps"}) {
    if (at) at = at->Child(step);
  }
  return at ? at->Child(std::string(kDesktopEntry) + ".png") : nullptr;
}

}  // namespace

const std::vector<std::string>& IconFileNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> all;
    for (int size : kIconSizes) all.push_back(IconFileName(size));
    return all;
  }();
  return names;
}

void Claim() {
  std::vector<std::string> iconFiles;
  try {
    if (fw::Ref<fw::FolderItem> resources = fw::GetApplicationBundleResources()) {
      for (int size : kIconSizes) {
        fw::Ref<fw::FolderItem> file = resources->Child(IconFileName(size));
        if (!file->Exists()) file = ThemeIcon(*resources, size);
        if (file) iconFiles.push_back(file->NativePath().string());
      }
    }
  } catch (const fw::NilObjectException&) {
    // No way to the data folder: the windows go without their icon, and the
    // background picture, needed first, says what is missing.
  }
  fw::SetDesktopIdentity(kWindowClass, kDesktopEntry, iconFiles);
}

}  // namespace desktop_identity
