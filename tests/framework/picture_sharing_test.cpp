#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "filled_picture.h"
#include "framework/picture/graphics.h"
#include "framework/picture/picture.h"
#include "framework/qt/painting.h"

namespace fw {
namespace {

bool Unmade(const Ref<Picture>& p) { return qt::PictureData::Of(*p).pixels.isNull(); }

// A background as the program's windows build theirs: a tile in a colour,
// shaped by a mask of greys, four times side by side.
Ref<Picture> Background(Color colour) {
  auto mask = NewPicture(50, 40, 8);
  auto m = mask->Graphics();
  for (int x = 0; x < 50; x += 5) {
    m->ForeColor(RGB(x * 5, x * 5, x * 5));
    m->FillRect(x, 0, 5, 40);
  }
  auto tile = Filled(50, 40, colour);
  tile->Mask(mask);
  auto background = NewPicture(100, 80, 32);
  auto g = background->Graphics();
  for (int i = 0; i < 2; ++i) {
    for (int j = 0; j < 2; ++j) g->DrawPicture(tile, i * 50, j * 40);
  }
  return background;
}

// The picture drawn onto a window's painter at its own size.
QImage OnWindow(const Ref<Picture>& picture, QRect clip = {}) {
  QImage window(picture->Width(), picture->Height(), QImage::Format_RGB32);
  window.fill(Qt::black);
  QPainter painter(&window);
  if (!clip.isNull()) painter.setClipRect(clip);
  auto g = qt::GraphicsOnPainter(painter, window.width(), window.height());
  g->DrawPicture(picture, 0, 0, picture->Width(), picture->Height(), 0, 0, picture->Width(),
                 picture->Height());
  qt::Detach(*g);
  return window;
}

TEST(PictureSharingTest, PicturesMadeAlikeStayApartWhenOneIsDrawnInto) {
  auto a = Background(RGB(0, 200, 200));
  auto b = Background(RGB(0, 200, 200));
  auto other = Background(RGB(255, 150, 200));
  EXPECT_EQ(qt::ImageOf(*a), qt::ImageOf(*b));
  EXPECT_NE(qt::ImageOf(*a), qt::ImageOf(*other));

  auto g = b->Graphics();
  g->ForeColor(RGB(0, 0, 255));
  g->FillRect(0, 0, 10, 10);
  EXPECT_EQ(qt::ImageOf(*b).pixelColor(5, 5), QColor(0, 0, 255));
  EXPECT_NE(qt::ImageOf(*a).pixelColor(5, 5), QColor(0, 0, 255));
  // Drawn alike once more, the picture looks as the first one.
  auto c = Background(RGB(0, 200, 200));
  EXPECT_EQ(qt::ImageOf(*c), qt::ImageOf(*a));
}

TEST(PictureSharingTest, PictureDrawnOntoAWindowNeedsNoPixelsAndLooksAsIfMade) {
  auto background = Background(RGB(255, 200, 150));
  const QImage painted = OnWindow(background);
  EXPECT_TRUE(Unmade(background));
  EXPECT_EQ(painted, qt::ImageOf(*background));

  // Within a paint's clip only, and made pixels are drawn as they are.
  const QImage part = OnWindow(background, QRect(30, 20, 40, 30));
  EXPECT_EQ(part.pixelColor(29, 19), QColor(Qt::black));
  EXPECT_EQ(part.copy(30, 20, 40, 30), painted.copy(30, 20, 40, 30));
  EXPECT_EQ(OnWindow(background), painted);
}

TEST(PictureSharingTest, PictureDrawnIntoItselfAgainAndAgainKeepsItsColour) {
  auto picture = Filled(4, 4, RGB(10, 20, 30));
  auto g = picture->Graphics();
  for (int round = 0; round < 40; ++round) g->DrawPicture(picture, 1, 0);
  EXPECT_EQ(qt::ImageOf(*picture).pixelColor(3, 3), QColor(10, 20, 30));
}

}  // namespace
}  // namespace fw
