#include "framework/picture/graphics.h"

#include <algorithm>

#include "framework/runtime/exceptions.h"

namespace fw {

namespace {

// One axis of a drawing: where it starts and how long it is.
struct Span {
  double start;
  double length;
};

// Narrows `clipped` to [low, high] and cuts `linked` in the same proportion,
// so that the source and the destination of a drawing keep matching. Clipping
// here keeps coordinates far outside the surface away from the painter.
bool Narrow(Span& clipped, Span& linked, double low, double high) {
  double begin = std::max(clipped.start, low);
  double end = std::min(clipped.start + clipped.length, high);
  if (!(end > begin)) return false;
  double scale = linked.length / clipped.length;
  linked.start += (begin - clipped.start) * scale;
  linked.length = (end - begin) * scale;
  clipped = {begin, end - begin};
  return true;
}

int32_t OrOwn(int32_t size, int32_t own) { return size == Graphics::kOmittedSize ? own : size; }

}  // namespace

void Graphics::FillRect(int32_t left, int32_t top, int32_t width, int32_t height) {
  // 64 bits: left + width must not overflow.
  int64_t x0 = std::max<int64_t>(left, 0);
  int64_t y0 = std::max<int64_t>(top, 0);
  int64_t x1 = std::min<int64_t>(int64_t{left} + width, Width());
  int64_t y1 = std::min<int64_t>(int64_t{top} + height, Height());
  if (x1 <= x0 || y1 <= y0) return;
  surface_->Fill(static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(x1 - x0),
                 static_cast<int>(y1 - y0), foreColor_);
}

void Graphics::DrawPicture(const Ref<Picture>& picture, int32_t left, int32_t top, int32_t width,
                           int32_t height, int32_t sourceLeft, int32_t sourceTop,
                           int32_t sourceWidth, int32_t sourceHeight) {
  if (!picture) throw NilObjectException("das Bild, das gezeichnet werden soll");
  const int32_t ownWidth = picture->Width();
  const int32_t ownHeight = picture->Height();
  Span x{double(left), double(OrOwn(width, ownWidth))};
  Span y{double(top), double(OrOwn(height, ownHeight))};
  Span sourceX{double(sourceLeft), double(OrOwn(sourceWidth, ownWidth))};
  Span sourceY{double(sourceTop), double(OrOwn(sourceHeight, ownHeight))};
  if (x.length <= 0 || y.length <= 0 || sourceX.length <= 0 || sourceY.length <= 0) return;
  if (!Narrow(sourceX, x, 0, ownWidth) || !Narrow(sourceY, y, 0, ownHeight) ||
      !Narrow(x, sourceX, 0, Width()) || !Narrow(y, sourceY, 0, Height())) {
    return;
  }
  surface_->DrawPicture(*picture, {x.start, y.start, x.length, y.length},
                        {sourceX.start, sourceY.start, sourceX.length, sourceY.length});
}

}  // namespace fw
