#include "support/temp_bundle.h"

#include <QImage>
#include <fstream>
#include <random>

#include "framework/folder_item/folder_item.h"

namespace harness {

namespace fs = std::filesystem;

TempBundle::TempBundle() {
  std::random_device random;
  root_ = fs::temp_directory_path() / ("merkhaus-test-" + std::to_string(random()));
  fs::create_directories(root_ / "bin");
  fs::create_directories(Resources());
  std::ofstream(root_ / "bin" / "merkhaus") << "";
  fw::OverrideExecutablePath(root_ / "bin" / "merkhaus");
}

TempBundle::~TempBundle() {
  fw::OverrideExecutablePath(std::nullopt);
  std::error_code ignored;
  fs::remove_all(root_, ignored);
}

void TempBundle::WriteResource(const std::string& name, const std::string& bytes) const {
  std::ofstream(Resources() / name, std::ios::binary) << bytes;
}

void TempBundle::WritePicture(const std::string& name, const QImage& image) const {
  image.save(QString::fromStdString((Resources() / name).string()));
}

void TempBundle::RemoveResource(const std::string& name) const { fs::remove(Resources() / name); }

void TempBundle::RemoveResourcesFolder() const { fs::remove_all(Resources()); }

void TempBundle::CopyShippedResources() const {
  fs::copy(MERKHAUS_SHIPPED_RESOURCES, Resources(),
           fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

}  // namespace harness
