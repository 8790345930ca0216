#include "shell/desktop_identity.h"

#include "framework/application/application.h"
#include "framework/folder_item/folder_item.h"
#include "framework/runtime/exceptions.h"

namespace desktop_identity {

const std::vector<std::string>& IconFileNames() {
  static const std::vector<std::string> names{
      "merkhaus-16.png", "merkhaus-22.png", "merkhaus-24.png",  "merkhaus-32.png",
      "merkhaus-48.png", "merkhaus-64.png", "merkhaus-128.png", "merkhaus-256.png"};
  return names;
}

void Claim() {
  std::vector<std::string> iconFiles;
  try {
    if (fw::Ref<fw::FolderItem> resources = fw::GetApplicationBundleResources()) {
      for (const std::string& name : IconFileNames()) {
        if (fw::Ref<fw::FolderItem> file = resources->Child(name)) {
          iconFiles.push_back(file->NativePath().string());
        }
      }
    }
  } catch (const fw::NilObjectException&) {
    // No way to the data folder: the windows go without their icon, and the
    // background picture, needed first, says what is missing.
  }
  fw::SetDesktopIdentity(kWindowClass, kDesktopEntry, iconFiles);
}

}  // namespace desktop_identity
