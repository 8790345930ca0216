#pragma once

#include "framework/picture/graphics.h"
#include "framework/picture/picture.h"

namespace fw {

// A new picture of one colour all over.
inline Ref<Picture> Filled(int width, int height, Color color) {
  auto picture = NewPicture(width, height, 32);
  auto g = picture->Graphics();
  g->ForeColor(color);
  g->FillRect(0, 0, width, height);
  return picture;
}

}  // namespace fw
