#pragma once

#include <cstdint>
#include <memory>

#include "framework/runtime/object.h"

namespace fw {

class Graphics;
namespace qt {
struct PictureData;
}

// An image in memory that can be drawn into and drawn elsewhere. A picture
// may carry a mask that decides how much of it shows where it is drawn.
class Picture : public Object {
 public:
  static constexpr const char* kTypeName = "Picture";

  ~Picture() override;

  int32_t Width() const;
  int32_t Height() const;
  // The depth the picture was made with, or that its file had. The pixels
  // are kept in full colour regardless, so that a tint stays a colour.
  int32_t Depth() const;

  // Draws into this picture.
  Ref<fw::Graphics> Graphics();

  // Black in the mask lets the picture show fully, white not at all, greys
  // in proportion. Nil when the picture has no mask.
  Ref<Picture> Mask() const;
  void Mask(Ref<Picture> mask);

 private:
  friend struct qt::PictureData;
  explicit Picture(std::unique_ptr<qt::PictureData> data);

  std::unique_ptr<qt::PictureData> data_;
};

// The largest width or height that NewPicture makes.
inline constexpr int32_t kMaxPictureSide = 16384;

// A new picture, white all over. Nil when a picture of that size can't be
// made: a side of zero or less, or larger than kMaxPictureSide.
Ref<Picture> NewPicture(int32_t width, int32_t height, int32_t depth);

// The picture in the open file, which it closes: JPEG or PNG by content.
// Nil when the file holds neither, or no picture that can be read.
Ref<Picture> ReadPicture(int descriptor);

}  // namespace fw
