#include "framework/qt/painting.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace fw::qt {

namespace {

// Past this many drawings a picture's pixels are made, so that no recipe
// grows without end.
constexpr int kMostSteps = 32;
// A key longer than this (a picture drawn into itself again and again) is
// not worth comparing: the recipe is taken as one of a kind.
constexpr size_t kLongestKey = 4096;

std::string UniqueKey(const char* kind) {
  static uint64_t made = 0;
  return std::string(kind) + " #" + std::to_string(++made);
}

// Made pixels by key, for others of the same key to share: of recipes, and
// of pictures shaped by a mask. Held weakly, so that the pixels go with the
// last picture that needs them.
template <class T, QImage T::*kPixels>
class MadeByKey {
 public:
  // Null when nothing live of the key has pixels.
  QImage Find(const std::string& key) {
    auto it = made_.find(key);
    if (it == made_.end()) return {};
    std::shared_ptr<const T> holder = it->second.lock();
    if (!holder) {
      made_.erase(it);
      return {};
    }
    return (*holder).*kPixels;
  }
  void Add(const std::string& key, const T& holder) {
    if (made_.size() >= sweepAt_) {
      std::erase_if(made_, [](const auto& entry) { return entry.second.expired(); });
      sweepAt_ = std::max<size_t>(64, 2 * made_.size());
    }
    made_[key] = holder.weak_from_this();
  }

 private:
  std::unordered_map<std::string, std::weak_ptr<const T>> made_;
  size_t sweepAt_ = 64;
};

auto& MadeRecipes() {
  static MadeByKey<Recipe, &Recipe::pixels> made;
  return made;
}

auto& MadeMasked() {
  static MadeByKey<Drawable, &Drawable::image> made;
  return made;
}

// Past this many drawings since its last pixels, a picture is drawn onto a
// window from pixels of its own rather than made again on every paint.
constexpr size_t kMostReplayedSteps = 8;

// The recipes from this one back to the nearest one with pixels, or to the
// first, which comes last.
std::vector<const Recipe*> ChainOf(const Recipe& recipe) {
  std::vector<const Recipe*> chain{&recipe};
  while (chain.back()->before && chain.back()->pixels.isNull()) {
    chain.push_back(chain.back()->before.get());
  }
  return chain;
}

QImage White(QSize size) {
  QImage image(size, QImage::Format_RGB32);
  if (!image.isNull()) image.fill(Qt::white);
  return image;
}

// Each drawing of the chain after its first recipe, in order.
void RunSteps(QPainter& painter, const std::vector<const Recipe*>& chain) {
  for (auto it = chain.rbegin() + 1; it != chain.rend(); ++it) {
    painter.save();
    (*it)->step(painter);
    painter.restore();
  }
}

// Makes the recipe on the painter: its beginning, then each drawing.
void Replay(QPainter& painter, const std::vector<const Recipe*>& chain) {
  const Recipe& first = *chain.back();
  if (first.pixels.isNull()) {
    painter.fillRect(QRect(QPoint(0, 0), first.size), Qt::white);
  } else {
    painter.drawImage(QPointF(0, 0), first.pixels);
  }
  RunSteps(painter, chain);
}

// The pixels of a recipe, kept nowhere.
QImage MakePixels(const Recipe& recipe) {
  if (!recipe.pixels.isNull()) return recipe.pixels;
  if (QImage same = MadeRecipes().Find(recipe.key); !same.isNull()) return same;
  std::vector<const Recipe*> chain = ChainOf(recipe);
  const Recipe& first = *chain.back();
  QImage image = first.pixels.isNull() ? White(first.size) : first.pixels;
  if (image.isNull()) return image;
  QPainter painter(&image);
  RunSteps(painter, chain);
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
  recipe.pixels = MakePixels(recipe);
  recipe.before.reset();
  recipe.step = nullptr;
  if (!recipe.pixels.isNull()) MadeRecipes().Add(recipe.key, recipe);
  return recipe.pixels;
}

const QImage& Drawable::Image() const {
  if (!mask) return PixelsOf(*pixels);
  if (image.isNull()) {
    image = MadeMasked().Find(key);
    // The plain pixels are not kept: the shaped ones are what is drawn.
    if (image.isNull()) image = ApplyMask(MakePixels(*pixels), AlphaOf(*mask, pixels->size));
    if (!image.isNull()) MadeMasked().Add(key, *this);
  }
  return image;
}

void DrawOnto(QPainter& painter, const Drawable& source, const QRectF& to, const QRectF& from,
              bool scaled) {
  const Recipe& recipe = *source.pixels;
  std::vector<const Recipe*> chain;
  QImage made;
  if (!source.mask && !scaled && recipe.pixels.isNull()) {
    made = MadeRecipes().Find(recipe.key);
    if (made.isNull()) chain = ChainOf(recipe);
  }
  if (chain.empty() || chain.size() > kMostReplayedSteps + 1) {
    painter.setRenderHint(QPainter::SmoothPixmapTransform, scaled);
    painter.drawImage(to, made.isNull() ? source.Image() : made, from);
    return;
  }
  // A picture drawn as it is onto a window is made there again, and has no
  // pixels of its own to keep.
  painter.save();
  painter.setClipRect(to, Qt::IntersectClip);
  painter.translate(to.topLeft() - from.topLeft());
  Replay(painter, chain);
  painter.restore();
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
    drawable->key = drawable->mask ? "(" + drawable->pixels->key + " masked by " +
                                         drawable->mask->key + ")"
                                   : "(" + drawable->pixels->key + ")";
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

void Surface::Draw(const std::string& what, std::function<void(QPainter&)> operation,
                   bool coversAllOpaque) {
  if (picture_) {
    PictureData& data = PictureData::Of(*picture_);
    auto next = std::make_shared<Recipe>();
    next->size = data.recipe->size;
    next->key = data.recipe->key + "; " + what;
    if (next->key.size() > kLongestKey) next->key = UniqueKey("drawn");
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
  recipe->key = UniqueKey("image");
  recipe->pixels = std::move(pixels);
  return PictureData::Make(std::move(recipe), depth);
}

Ref<Picture> BlankPicture(QSize size, int depth) {
  auto recipe = std::make_shared<Recipe>();
  recipe->size = size;
  recipe->key = "white " + std::to_string(size.width()) + "x" + std::to_string(size.height());
  return PictureData::Make(std::move(recipe), depth);
}

const QImage& ImageOf(const Picture& picture) { return PixelsOf(*PictureData::Of(picture).recipe); }

}  // namespace fw::qt
