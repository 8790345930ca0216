#include "framework/folder_item/text_input_stream.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <new>

#include "framework/runtime/exceptions.h"

namespace fw {

namespace {

IOException ReadFailure(const std::filesystem::path& path) {
  return IOException("Die Datei „" + path.string() + "“ konnte nicht gelesen werden.");
}

}  // namespace

TextInputStream::TextInputStream(int descriptor, std::filesystem::path path)
    : descriptor_(descriptor), path_(std::move(path)) {}

TextInputStream::~TextInputStream() { Close(); }

std::string TextInputStream::ReadAll() {
  if (descriptor_ < 0) throw ReadFailure(path_);
  std::string text;
  try {
    // The size is only a hint: the file may change while it is read.
    struct stat status {};
    if (fstat(descriptor_, &status) == 0 && status.st_size > 0) {
      text.reserve(static_cast<size_t>(status.st_size));
    }
    char buffer[1 << 16];
    for (;;) {
      ssize_t count = read(descriptor_, buffer, sizeof buffer);
      if (count == 0) break;
      if (count < 0) {
        if (errno == EINTR) continue;
        throw ReadFailure(path_);
      }
      text.append(buffer, static_cast<size_t>(count));
    }
  } catch (const std::bad_alloc&) {
    throw ReadFailure(path_);
  } catch (const std::length_error&) {
    throw ReadFailure(path_);
  }
  return text;
}

void TextInputStream::Close() {
  if (descriptor_ < 0) return;
  // Nothing was written, so a failing close loses nothing; the descriptor
  // is gone on Linux either way.
  ::close(descriptor_);
  descriptor_ = -1;
}

}  // namespace fw
