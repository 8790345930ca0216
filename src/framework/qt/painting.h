#pragma once

#include <QImage>
#include <QPainter>
#include <cstdint>
#include <functional>

#include "framework/picture/graphics.h"
#include "framework/picture/picture.h"

namespace fw::qt {

// What a picture holds. The pixels are always Format_RGB32: pictures are
// opaque, and only a mask makes parts of them show through.
struct PictureData {
  QImage image;
  int32_t depth = 32;
  Ref<Picture> mask;
  // Counts changes of the pixels and of the mask, so that the masked image
  // is built again only when something it came from has changed.
  uint64_t revision = 0;

  QImage masked;
  bool maskedValid = false;
  uint64_t maskedRevision = 0;
  uint64_t maskedMaskRevision = 0;

  static PictureData& Of(const Picture& picture) { return *picture.data_; }
  static Ref<Picture> Make(QImage image, int32_t depth);
};

// Where a Graphics draws: a picture, or a window's painter for the length of
// one paint.
class Surface {
 public:
  explicit Surface(Ref<Picture> picture) : picture_(std::move(picture)) {}
  Surface(QPainter& painter, int width, int height)
      : painter_(&painter), width_(width), height_(height) {}

  int Width() const;
  int Height() const;
  // Runs one drawing operation. A painter is opened on a picture for each
  // operation alone, so that no painter outlives the call.
  void Draw(const std::function<void(QPainter&)>& operation);
  void Detach() { painter_ = nullptr; }

 private:
  Ref<Picture> picture_;
  QPainter* painter_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

// A Graphics on a window's painter, for the window's Paint.
Ref<Graphics> GraphicsOnPainter(QPainter& painter, int width, int height);
// Ends a painter's Graphics when the paint is over: the painter is gone, so
// later calls on it draw nothing.
void Detach(Graphics& graphics);

// A picture of the image, flattened onto white where the image is
// transparent; nil when the image is empty.
Ref<Picture> PictureFromImage(const QImage& image, int depth);
const QImage& ImageOf(const Picture& picture);
// The picture as it is drawn: shaped by its mask, when it has one.
const QImage& DrawableImageOf(const Picture& picture);

}  // namespace fw::qt
