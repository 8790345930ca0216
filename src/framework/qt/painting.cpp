#include "framework/qt/painting.h"

#include <utility>
#include <vector>

namespace fw::qt {

namespace {

// Past this many drawings a picture's pixels are made, so that no recipe
// grows without end.
constexpr int kMostSteps = 32;

QImage White(QSize size) {
  QImage image(size, QImage::Format_RGB32);
  if (!image.isNull()) image.fill(Qt::white);
  return image;
}

// 255 where the mask is black, 0 where it is white, at the picture's size.
const QImage& AlphaOf(const Recipe& mask, QSize size) {
  if (mask.alpha.isNull() || mask.alpha.size() != size) {
    const QImage& pixels = PixelsOf(mask);
    QImage shape = pixels.size() == size
                       ? pixels.convertToFormat(QImage::Format_RGB32)
                       : pixels.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                             .convertToFormat(QImage::Format_RGB32);
    QImage alpha(size, QImage::Format_Grayscale8);
    if (!alpha.isNull() && !shape.isNull()) {
      for (int y = 0; y < size.height(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(shape.constScanLine(y));
        uchar* to = alpha.scanLine(y);
        for (int x = 0; x < size.width(); ++x) to[x] = static_cast<uchar>(255 - qGray(from[x]));
      }
    }
    mask.alpha = alpha;
  }
  return mask.alpha;
}

QImage ApplyMask(const QImage& image, const QImage& alpha) {
  QImage result(image.size(), QImage::Format_ARGB32_Premultiplied);
  if (result.isNull() || alpha.isNull()) return result;
  for (int y = 0; y < image.height(); ++y) {
    const auto* source = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    const uchar* shape = alpha.constScanLine(y);
    auto* target = reinterpret_cast<QRgb*>(result.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      target[x] =
          qPremultiply(qRgba(qRed(source[x]), qGreen(source[x]), qBlue(source[x]), shape[x]));
    }
  }
  return result;
}

}  // namespace

const QImage& PixelsOf(const Recipe& recipe) {
  if (!recipe.pixels.isNull()) return recipe.pixels;
  // From the nearest recipe that has pixels, or from the start, forward.
  std::vector<const Recipe*> chain;
  const Recipe* at = &recipe;
  while (at->before && at->pixels.isNull()) {
    chain.push_back(at);
    at = at->before.get();
  }
  QImage image = at->pixels.isNull() ? White(at->size) : at->pixels;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    if (image.isNull()) break;
    QPainter painter(&image);
    (*it)->step(painter);
  }
  recipe.pixels = image;
  recipe.before.reset();
  recipe.step = nullptr;
  return recipe.pixels;
}

const QImage& Drawable::Image() const {
  if (!mask) return PixelsOf(*pixels);
  if (image.isNull()) image = ApplyMask(PixelsOf(*pixels), AlphaOf(*mask, pixels->size));
  return image;
}

Ref<Picture> PictureData::Make(std::shared_ptr<const Recipe> recipe, int32_t depth) {
  auto data = std::make_unique<PictureData>();
  data->recipe = std::move(recipe);
  data->depth = depth;
  return Ref<Picture>(new Picture(std::move(data)));
}

std::shared_ptr<const Drawable> DrawableOf(const Picture& picture) {
  PictureData& data = PictureData::Of(picture);
  std::shared_ptr<const Recipe> mask =
      data.mask ? PictureData::Of(*data.mask).recipe : std::shared_ptr<const Recipe>();
  if (!data.drawable || data.drawable->pixels != data.recipe || data.drawable->mask != mask) {
    auto drawable = std::make_shared<Drawable>();
    drawable->pixels = data.recipe;
    drawable->mask = std::move(mask);
    data.drawable = std::move(drawable);
  }
  return data.drawable;
}

int Surface::Width() const { return picture_ ? picture_->Width() : width_; }

int Surface::Height() const { return picture_ ? picture_->Height() : height_; }

void Surface::FillUnderlay(bool covered) {
  if (painter_ && underlay_ && !covered) painter_->fillRect(0, 0, width_, height_, *underlay_);
  underlay_.reset();
}

void Surface::Detach() {
  FillUnderlay(false);
  painter_ = nullptr;
}

void Surface::Draw(std::function<void(QPainter&)> operation, bool coversAllOpaque) {
  if (picture_) {
    PictureData& data = PictureData::Of(*picture_);
    auto next = std::make_shared<Recipe>();
    next->size = data.recipe->size;
    next->before = data.recipe;
    next->step = std::move(operation);
    next->steps = data.recipe->steps + 1;
    if (next->steps > kMostSteps) {
      PixelsOf(*next);
      next->steps = 0;
    }
    data.recipe = std::move(next);
  } else if (painter_) {
    FillUnderlay(coversAllOpaque);
    painter_->save();
    operation(*painter_);
    painter_->restore();
  }
}

Ref<Graphics> GraphicsOnPainter(QPainter& painter, int width, int height,
                                std::optional<QColor> underlay) {
  return std::make_shared<Graphics>(std::make_unique<Surface>(painter, width, height, underlay));
}

void Detach(Graphics& graphics) { graphics.surface_->Detach(); }

Ref<Picture> PictureFromImage(const QImage& image, int depth) {
  if (image.isNull()) return nullptr;
  QImage pixels;
  if (image.hasAlphaChannel()) {
    pixels = White(image.size());
    if (pixels.isNull()) return nullptr;
    QPainter painter(&pixels);
    painter.drawImage(0, 0, image);
  } else {
    pixels = image.convertToFormat(QImage::Format_RGB32);
  }
  if (pixels.isNull()) return nullptr;
  auto recipe = std::make_shared<Recipe>();
  recipe->size = pixels.size();
  recipe->pixels = std::move(pixels);
  return PictureData::Make(std::move(recipe), depth);
}

Ref<Picture> BlankPicture(QSize size, int depth) {
  auto recipe = std::make_shared<Recipe>();
  recipe->size = size;
  return PictureData::Make(std::move(recipe), depth);
}

const QImage& ImageOf(const Picture& picture) { return PixelsOf(*PictureData::Of(picture).recipe); }

}  // namespace fw::qt
