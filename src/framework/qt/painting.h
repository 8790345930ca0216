#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QSize>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "framework/picture/graphics.h"
#include "framework/picture/picture.h"

namespace fw::qt {

// A picture's pixels as a recipe: what the picture began as and each
// drawing made into it since, turned into pixels only when something needs
// them. A window that is built and closed inside one handler draws its
// background and is never painted, so its background never costs pixels.
// Recipes never change once made: drawing into a picture makes a new one on
// top of the old, so a drawing that took a picture as its source keeps the
// pixels the picture had then. Recipes that say the same share their
// pixels: the windows that each draw the same background hold it once.
struct Recipe : std::enable_shared_from_this<Recipe> {
  QSize size;
  // What the pixels are made of, in words: the same words, the same pixels.
  std::string key;
  // The recipe this one draws on, and what it draws; both are let go once
  // the pixels are made.
  mutable std::shared_ptr<const Recipe> before;
  mutable std::function<void(QPainter&)> step;
  int steps = 0;

  // Null until made; a recipe with nothing before it begins white.
  mutable QImage pixels;
  // Black in a mask shows fully: the alpha of each pixel, made once for all
  // the pictures that this one is a mask of.
  mutable QImage alpha;
};

const QImage& PixelsOf(const Recipe& recipe);

// A picture as it is drawn: its pixels shaped by its mask.
struct Drawable : std::enable_shared_from_this<Drawable> {
  std::shared_ptr<const Recipe> pixels;
  std::shared_ptr<const Recipe> mask;
  // The recipe's key, and its mask's.
  std::string key;
  mutable QImage image;
  const QImage& Image() const;
};

// Draws the part `from` of the picture into `to`. A picture drawn as it is,
// unscaled and without a mask, is made again on the painter from its
// recipe, so that it needs no pixels of its own.
void DrawOnto(QPainter& painter, const Drawable& source, const QRectF& to, const QRectF& from,
              bool scaled);

// What a picture holds. The pixels are Format_RGB32: pictures are opaque,
// and only a mask makes parts of them show through.
struct PictureData {
  std::shared_ptr<const Recipe> recipe;
  int32_t depth = 32;
  Ref<Picture> mask;
  std::shared_ptr<const Drawable> drawable;

  static PictureData& Of(const Picture& picture) { return *picture.data_; }
  static Ref<Picture> Make(std::shared_ptr<const Recipe> recipe, int32_t depth);
};

// The picture as it is drawn now, kept by a drawing that takes it as its
// source until that drawing is made.
std::shared_ptr<const Drawable> DrawableOf(const Picture& picture);

// Where a Graphics draws: a picture, or a window's painter for the length of
// one paint.
class Surface {
 public:
  explicit Surface(Ref<Picture> picture) : picture_(std::move(picture)) {}
  // On a painter, an underlay colour is filled in before the first drawing,
  // unless that drawing covers the whole surface with opaque pixels anyway.
  Surface(QPainter& painter, int width, int height, std::optional<QColor> underlay = {})
      : painter_(&painter), width_(width), height_(height), underlay_(underlay) {}

  int Width() const;
  int Height() const;
  // Runs one drawing operation, at once on a painter and when its pixels
  // are needed on a picture: the operation must hold what it needs. `what`
  // names everything the operation's pixels depend on.
  void Draw(const std::string& what, std::function<void(QPainter&)> operation,
            bool coversAllOpaque = false);
  void Detach();

 private:
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
// A new picture of the size, white all over, with no pixels made yet.
Ref<Picture> BlankPicture(QSize size, int depth);
const QImage& ImageOf(const Picture& picture);

}  // namespace fw::qt
