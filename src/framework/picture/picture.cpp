#include "framework/picture/picture.h"

#include "framework/picture/graphics.h"
#include "framework/qt/painting.h"

namespace fw {

Picture::Picture(std::unique_ptr<qt::PictureData> data) : data_(std::move(data)) {}

Picture::~Picture() = default;

int32_t Picture::Width() const { return data_->size.width(); }

int32_t Picture::Height() const { return data_->size.height(); }

int32_t Picture::Depth() const { return data_->depth; }

Ref<Graphics> Picture::Graphics() {
  auto self = std::static_pointer_cast<Picture>(shared_from_this());
  return std::make_shared<fw::Graphics>(std::make_unique<qt::Surface>(std::move(self)));
}

Ref<Picture> Picture::Mask() const { return data_->mask; }

void Picture::Mask(Ref<Picture> mask) { data_->mask = std::move(mask); }

Ref<Picture> NewPicture(int32_t width, int32_t height, int32_t depth) {
  if (width <= 0 || height <= 0 || width > kMaxPictureSide || height > kMaxPictureSide) {
    return nullptr;
  }
  return qt::PictureData::Make(QSize(width, height), depth);
}

}  // namespace fw
