#pragma once

#include <filesystem>
#include <string>

class QImage;

namespace harness {

// A bundle of the program's shape in a folder of its own, which the
// framework takes for the running program's: bin/merkhaus beside a
// Resources folder. Removed again, with the override, when it goes.
class TempBundle {
 public:
  TempBundle();
  ~TempBundle();
  TempBundle(const TempBundle&) = delete;
  TempBundle& operator=(const TempBundle&) = delete;

  const std::filesystem::path& Root() const { return root_; }
  std::filesystem::path Resources() const { return root_ / "Resources"; }

  void WriteResource(const std::string& name, const std::string& bytes) const;
  void WritePicture(const std::string& name, const QImage& image) const;
  void RemoveResource(const std::string& name) const;
  void RemoveResourcesFolder() const;

  // The data that ships with the program, copied in.
  void CopyShippedResources() const;

 private:
  std::filesystem::path root_;
};

}  // namespace harness
