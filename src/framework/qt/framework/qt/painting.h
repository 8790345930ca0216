#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QSize>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "framework/picture/graphics.h"
#include "framework/picture/picture.h"

namespace fw::qt {

// What a picture holds. Its pixels are made on first use: until then it is
// one colour all over, with the drawings made into it since waiting on top.
// A window built and closed inside one handler draws its background and is
// never painted, so that background never costs pixels. The pixels are
// Format_RGB32: pictures are opaque, and only a mask makes parts of them
// show through.
struct PictureData {
  QSize size;
  int32_t depth = 32;
  QColor colour = Qt::white;
  QImage pixels;  // null: the colour all over
  std::vector<std::function<void(QPainter&)>> waiting;
  Ref<Picture> mask;

  static PictureData& Of(const Picture& picture) { return *picture.data_; }
  static Ref<Picture> Make(QSize size, int32_t depth);
};

// The picture's pixels, made now with every drawing waiting on them.
const QImage& ImageOf(const Picture& picture);

// Where a Graphics draws: a picture, or a window's painter for the length of
// one paint.
class Surface : public fw::Surface {
 public:
  explicit Surface(Ref<Picture> picture)
      : picture_(std::move(picture)), width_(picture_->Width()), height_(picture_->Height()) {}
  // On a painter, an underlay colour is filled in before the first drawing,
  // unless that drawing covers the whole surface with opaque pixels anyway.
  Surface(QPainter& painter, int width, int height, std::optional<QColor> underlay = {})
      : painter_(&painter), width_(width), height_(height), underlay_(underlay) {}

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void Fill(int left, int top, int width, int height, Color colour) override;
  void DrawPicture(const Picture& picture, Area to, Area from) override;
  void Detach();

 private:
  // At once on a painter; on a picture when its pixels are needed, so the
  // operation must hold what it needs.
  void Draw(std::function<void(QPainter&)> operation, bool coversAllOpaque);
  // The underlay goes in once, before the first drawing or at the end.
  void FillUnderlay(bool covered);

  Ref<Picture> picture_;
  QPainter* painter_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  std::optional<QColor> underlay_;
};

// A Graphics on a window's painter, for the window's Paint.
Ref<Graphics> GraphicsOnPainter(QPainter& painter, int width, int height,
                                std::optional<QColor> underlay = {});
// Ends a painter's Graphics when the paint is over: the painter is gone, so
// later calls on it draw nothing.
void Detach(Graphics& graphics);

// A picture of the image, flattened onto white where the image is
// transparent; nil when the image is empty.
Ref<Picture> PictureFromImage(const QImage& image, int depth);

}  // namespace fw::qt
