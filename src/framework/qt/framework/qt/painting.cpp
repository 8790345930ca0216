#include "framework/qt/painting.h"

#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <QImageReader>
#include <compare>
#include <map>
#include <memory>
#include <utility>

namespace fw::qt {

namespace {

// Past this many drawings waiting, a picture's pixels are made: none waits
// without end, and a window replays few on every paint.
constexpr size_t kMostWaiting = 8;

QImage Filled(QSize size, const QColor& colour) {
  QImage image(size, QImage::Format_RGB32);
  if (!image.isNull()) image.fill(colour);
  return image;
}

void RunWaiting(QPainter& painter, const PictureData& data) {
  for (const auto& drawing : data.waiting) {
    painter.save();
    drawing(painter);
    painter.restore();
  }
}

// A picture as a drawing takes it, with nothing waiting on it: a colour all
// over, or pixels, which it shares copy on write.
struct Flat {
  QSize size;
  QColor colour;
  QImage pixels;

  QImage Pixels() const { return pixels.isNull() ? Filled(size, colour) : pixels; }
  // Its pixels' identity, which changes when they do, or its colour.
  std::pair<qint64, QRgb> Identity() const {
    return pixels.isNull() ? std::pair<qint64, QRgb>(0, colour.rgb())
                           : std::pair<qint64, QRgb>(pixels.cacheKey(), 0);
  }
};

Flat FlatOf(const Picture& picture) {
  PictureData& data = PictureData::Of(picture);
  if (!data.waiting.empty()) ImageOf(picture);
  return {data.size, data.colour, data.pixels};
}

// The image where the mask is black, see-through where it is white.
QImage Masked(const QImage& image, const Flat& mask) {
  const QSize size = image.size();
  QImage pixels = mask.Pixels();
  QImage shape =
      (pixels.size() == size ? pixels
                             : pixels.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation))
          .convertToFormat(QImage::Format_RGB32);
  QImage result(size, QImage::Format_ARGB32_Premultiplied);
  if (result.isNull() || shape.isNull()) return result;
  for (int y = 0; y < size.height(); ++y) {
    const auto* source = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    const auto* cover = reinterpret_cast<const QRgb*>(shape.constScanLine(y));
    auto* target = reinterpret_cast<QRgb*>(result.scanLine(y));
    for (int x = 0; x < size.width(); ++x) {
      const int alpha = 255 - qGray(cover[x]);
      target[x] = qPremultiply(qRgba(qRed(source[x]), qGreen(source[x]), qBlue(source[x]), alpha));
    }
  }
  return result;
}

// A picture shaped by its mask, made on first use.
class Shaped {
 public:
  Shaped(Flat picture, Flat mask) : picture_(std::move(picture)), mask_(std::move(mask)) {}
  const QImage& Image() {
    if (image_.isNull()) image_ = Masked(picture_.Pixels(), mask_);
    return image_;
  }

 private:
  Flat picture_;
  Flat mask_;
  QImage image_;
};

// The windows draw their backgrounds from the same picture through the same
// mask: they share one shaped picture while any of them holds it.
std::shared_ptr<Shaped> ShapedOf(Flat picture, Flat mask) {
  struct Key {
    std::pair<qint64, QRgb> picture, mask;
    int width, height;
    auto operator<=>(const Key&) const = default;
  };
  static std::map<Key, std::weak_ptr<Shaped>> shared;
  Key key{picture.Identity(), mask.Identity(), picture.size.width(), picture.size.height()};
  if (auto it = shared.find(key); it != shared.end()) {
    if (auto found = it->second.lock()) return found;
  }
  std::erase_if(shared, [](const auto& entry) { return entry.second.expired(); });
  auto shaped = std::make_shared<Shaped>(std::move(picture), std::move(mask));
  shared[key] = shaped;
  return shaped;
}

}  // namespace

Ref<Picture> PictureData::Make(QSize size, int32_t depth) {
  auto data = std::make_unique<PictureData>();
  data->size = size;
  data->depth = depth;
  return Ref<Picture>(new Picture(std::move(data)));
}

const QImage& ImageOf(const Picture& picture) {
  PictureData& data = PictureData::Of(picture);
  if (data.pixels.isNull()) data.pixels = Filled(data.size, data.colour);
  if (!data.waiting.empty() && !data.pixels.isNull()) {
    QPainter painter(&data.pixels);
    RunWaiting(painter, data);
    data.waiting.clear();
  }
  return data.pixels;
}

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
    data.waiting.push_back(std::move(operation));
    if (data.waiting.size() > kMostWaiting) ImageOf(*picture_);
  } else if (painter_) {
    FillUnderlay(coversAllOpaque);
    painter_->save();
    operation(*painter_);
    painter_->restore();
  }
}

void Surface::Fill(int left, int top, int width, int height, Color rgb) {
  const QRect area(left, top, width, height);
  const QColor colour(rgb.red, rgb.green, rgb.blue);
  if (picture_ && area == QRect(QPoint(0, 0), PictureData::Of(*picture_).size)) {
    // All of it one colour again: nothing before matters.
    PictureData& data = PictureData::Of(*picture_);
    data.colour = colour;
    data.pixels = QImage();
    data.waiting.clear();
    return;
  }
  Draw([area, colour](QPainter& painter) { painter.fillRect(area, colour); }, false);
}

void Surface::DrawPicture(const Picture& picture, Area toArea, Area fromArea) {
  const QRectF to(toArea.left, toArea.top, toArea.width, toArea.height);
  const QRectF from(fromArea.left, fromArea.top, fromArea.width, fromArea.height);
  if (!picture_ && !painter_) return;
  const PictureData& data = PictureData::Of(picture);
  const bool scaled = to.width() != from.width() || to.height() != from.height();
  // Pictures are opaque but where a mask shapes them.
  const bool coversAll = !data.mask && to.contains(QRectF(0, 0, Width(), Height()));
  if (painter_ && !data.mask && !scaled && !data.waiting.empty()) {
    // Made again on the window's painter, the picture needs no pixels of
    // its own.
    Draw(
        [&](QPainter& painter) {
          painter.setClipRect(to, Qt::IntersectClip);
          painter.translate(to.topLeft() - from.topLeft());
          if (data.pixels.isNull()) {
            painter.fillRect(QRect(QPoint(0, 0), data.size), data.colour);
          } else {
            painter.drawImage(QPointF(0, 0), data.pixels);
          }
          RunWaiting(painter, data);
        },
        coversAll);
    return;
  }
  // The picture as it is now, whenever the drawing is made: also when a
  // picture is drawn into itself. Shaped by its mask, or as it is.
  Flat flat = FlatOf(picture);
  std::shared_ptr<Shaped> shaped = data.mask ? ShapedOf(flat, FlatOf(*data.mask)) : nullptr;
  Draw(
      [flat, shaped, to, from, scaled](QPainter& painter) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform, scaled);
        if (shaped) {
          painter.drawImage(to, shaped->Image(), from);
        } else if (!scaled && flat.pixels.isNull()) {
          painter.fillRect(to, flat.colour);
        } else {
          painter.drawImage(to, flat.Pixels(), from);
        }
      },
      coversAll);
}

Ref<Graphics> GraphicsOnPainter(QPainter& painter, int width, int height,
                                std::optional<QColor> underlay) {
  return std::make_shared<Graphics>(std::make_unique<Surface>(painter, width, height, underlay));
}

void Detach(Graphics& graphics) { static_cast<Surface&>(*graphics.surface_).Detach(); }

Ref<Picture> PictureFromImage(const QImage& image, int depth) {
  if (image.isNull()) return nullptr;
  QImage pixels;
  if (image.hasAlphaChannel()) {
    pixels = Filled(image.size(), Qt::white);
    if (pixels.isNull()) return nullptr;
    QPainter painter(&pixels);
    painter.drawImage(0, 0, image);
  } else {
    pixels = image.convertToFormat(QImage::Format_RGB32);
  }
  if (pixels.isNull()) return nullptr;
  Ref<Picture> picture = PictureData::Make(pixels.size(), depth);
  PictureData::Of(*picture).pixels = std::move(pixels);
  return picture;
}

}  // namespace fw::qt

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

Ref<Picture> ReadPicture(int descriptor) {
  QFile file;
  if (!file.open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(descriptor);
    return nullptr;
  }
  QImageReader reader(&file);
  // Content decides, not the name; other formats Qt might know are refused.
  const QByteArray format = reader.format();
  if (format != "jpeg" && format != "png") return nullptr;
  QImage image = reader.read();
  if (image.isNull()) return nullptr;
  return qt::PictureFromImage(image, image.depth());
}

}  // namespace fw
