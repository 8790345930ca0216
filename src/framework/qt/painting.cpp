#include "framework/qt/painting.h"

#include <utility>

namespace fw::qt {

namespace {

// Black in the mask shows the picture fully, white not at all.
QImage ApplyMask(const QImage& image, const QImage& maskImage) {
  QImage mask = maskImage.size() == image.size()
                    ? maskImage.convertToFormat(QImage::Format_RGB32)
                    : maskImage.scaled(image.size(), Qt::IgnoreAspectRatio,
                                       Qt::SmoothTransformation)
                          .convertToFormat(QImage::Format_RGB32);
  QImage result(image.size(), QImage::Format_ARGB32_Premultiplied);
  if (result.isNull() || mask.isNull()) return result;
  for (int y = 0; y < image.height(); ++y) {
    const auto* source = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    const auto* shape = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
    auto* target = reinterpret_cast<QRgb*>(result.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      int alpha = 255 - qGray(shape[x]);
      target[x] = qPremultiply(qRgba(qRed(source[x]), qGreen(source[x]), qBlue(source[x]), alpha));
    }
  }
  return result;
}

}  // namespace

Ref<Picture> PictureData::Make(QImage image, int32_t depth) {
  auto data = std::make_unique<PictureData>();
  data->image = std::move(image);
  data->depth = depth;
  return Ref<Picture>(new Picture(std::move(data)));
}

int Surface::Width() const { return picture_ ? picture_->Width() : width_; }

int Surface::Height() const { return picture_ ? picture_->Height() : height_; }

void Surface::Draw(const std::function<void(QPainter&)>& operation) {
  if (picture_) {
    PictureData& data = PictureData::Of(*picture_);
    QPainter painter(&data.image);
    operation(painter);
    painter.end();
    ++data.revision;
  } else if (painter_) {
    painter_->save();
    operation(*painter_);
    painter_->restore();
  }
}

Ref<Graphics> GraphicsOnPainter(QPainter& painter, int width, int height) {
  return std::make_shared<Graphics>(std::make_unique<Surface>(painter, width, height));
}

void Detach(Graphics& graphics) { graphics.surface_->Detach(); }

Ref<Picture> PictureFromImage(const QImage& image, int depth) {
  if (image.isNull()) return nullptr;
  QImage pixels;
  if (image.hasAlphaChannel()) {
    pixels = QImage(image.size(), QImage::Format_RGB32);
    if (pixels.isNull()) return nullptr;
    pixels.fill(Qt::white);
    QPainter painter(&pixels);
    painter.drawImage(0, 0, image);
  } else {
    pixels = image.convertToFormat(QImage::Format_RGB32);
  }
  if (pixels.isNull()) return nullptr;
  return PictureData::Make(std::move(pixels), depth);
}

const QImage& ImageOf(const Picture& picture) { return PictureData::Of(picture).image; }

const QImage& DrawableImageOf(const Picture& picture) {
  PictureData& data = PictureData::Of(picture);
  if (!data.mask) return data.image;
  const PictureData& mask = PictureData::Of(*data.mask);
  if (!data.maskedValid || data.maskedRevision != data.revision ||
      data.maskedMaskRevision != mask.revision) {
    data.masked = ApplyMask(data.image, mask.image);
    data.maskedValid = true;
    data.maskedRevision = data.revision;
    data.maskedMaskRevision = mask.revision;
  }
  return data.masked;
}

}  // namespace fw::qt
