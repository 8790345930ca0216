#pragma once

#include <cstdint>
#include <memory>

#include "framework/picture/picture.h"
#include "framework/runtime/color.h"
#include "framework/runtime/object.h"

namespace fw {

namespace qt {
void Detach(Graphics& graphics);
}

// Where a Graphics draws, made by the toolkit layer: a picture's pixels or a
// window's paint.
class Surface {
 public:
  struct Area {
    double left, top, width, height;
  };
  virtual ~Surface() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // Both areas lie within their surface and picture.
  virtual void Fill(int left, int top, int width, int height, Color colour) = 0;
  virtual void DrawPicture(const Picture& picture, Area to, Area from) = 0;
};

// Draws into a picture, or onto a window while the window paints.
class Graphics : public Object {
 public:
  static constexpr const char* kTypeName = "Graphics";
  // Stands for "the picture's own size" in DrawPicture.
  static constexpr int32_t kOmittedSize = -10000;

  explicit Graphics(std::unique_ptr<Surface> surface) : surface_(std::move(surface)) {}

  Color ForeColor() const { return foreColor_; }
  void ForeColor(Color color) { foreColor_ = color; }

  // Fills with ForeColor; parts outside the surface are dropped.
  void FillRect(int32_t left, int32_t top, int32_t width, int32_t height);

  // Draws the source rectangle of the picture into the destination
  // rectangle, stretched in each direction as needed, through the picture's
  // mask. Raises NilObjectException when there is no picture.
  void DrawPicture(const Ref<Picture>& picture, int32_t left, int32_t top,
                   int32_t width = kOmittedSize, int32_t height = kOmittedSize,
                   int32_t sourceLeft = 0, int32_t sourceTop = 0,
                   int32_t sourceWidth = kOmittedSize, int32_t sourceHeight = kOmittedSize);

  int32_t Width() const { return surface_->Width(); }
  int32_t Height() const { return surface_->Height(); }

 private:
  friend void qt::Detach(Graphics& graphics);

  std::unique_ptr<Surface> surface_;
  Color foreColor_;
};

}  // namespace fw
