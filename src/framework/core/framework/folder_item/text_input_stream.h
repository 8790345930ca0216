#pragma once

#include <filesystem>
#include <string>

#include "framework/runtime/object.h"

namespace fw {

// Reads a file that FolderItem::OpenAsTextFile opened.
class TextInputStream : public Object {
 public:
  static constexpr const char* kTypeName = "TextInputStream";

  // Takes over the open descriptor of a regular file.
  TextInputStream(int descriptor, std::filesystem::path path);
  ~TextInputStream() override;

  // The whole rest of the file, its bytes as they are: no encoding is
  // applied. Raises IOException on a read error or after Close.
  std::string ReadAll();
  // Closing twice is harmless.
  void Close();

 private:
  int descriptor_;
  std::filesystem::path path_;
};

}  // namespace fw
