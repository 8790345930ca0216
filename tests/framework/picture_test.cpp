#include "framework/picture/picture.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QRect>
#include <cstdlib>

#include "filled_picture.h"
#include "framework/picture/graphics.h"
#include "framework/qt/painting.h"
#include "framework/runtime/exceptions.h"

namespace fw {
namespace {

QColor PixelAt(const Ref<Picture>& picture, int x, int y) {
  return qt::ImageOf(*picture).pixelColor(x, y);
}

void ExpectPixel(const Ref<Picture>& picture, int x, int y, int red, int green, int blue,
                 int tolerance = 0) {
  QColor c = PixelAt(picture, x, y);
  EXPECT_LE(std::abs(c.red() - red), tolerance) << "at " << x << "," << y;
  EXPECT_LE(std::abs(c.green() - green), tolerance) << "at " << x << "," << y;
  EXPECT_LE(std::abs(c.blue() - blue), tolerance) << "at " << x << "," << y;
}

// Every pixel inside `area` has the colour, every other one is white.
void ExpectOnly(const Ref<Picture>& picture, QRect area, int red, int green, int blue) {
  for (int y = 0; y < picture->Height(); ++y) {
    for (int x = 0; x < picture->Width(); ++x) {
      bool inside = area.contains(x, y);
      ExpectPixel(picture, x, y, inside ? red : 255, inside ? green : 255, inside ? blue : 255);
    }
  }
}

TEST(PictureTest, NewPictureIsWhiteAndKeepsItsSizeAndDepth) {
  auto picture = NewPicture(7, 5, 8);
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->Width(), 7);
  EXPECT_EQ(picture->Height(), 5);
  EXPECT_EQ(picture->Depth(), 8);
  EXPECT_FALSE(picture->Mask());
  ExpectOnly(picture, QRect(), 0, 0, 0);
}

TEST(PictureTest, NewPictureOfImpossibleSizeIsNil) {
  EXPECT_FALSE(NewPicture(0, 10, 32));
  EXPECT_FALSE(NewPicture(10, 0, 32));
  EXPECT_FALSE(NewPicture(-1, 10, 32));
  EXPECT_FALSE(NewPicture(10, INT32_MIN, 32));
  EXPECT_FALSE(NewPicture(kMaxPictureSide + 1, 1, 32));
  EXPECT_FALSE(NewPicture(INT32_MAX, INT32_MAX, 32));
}

TEST(PictureTest, FillRectColoursExactlyTheRectangleEvenAtDepth8) {
  auto picture = NewPicture(10, 10, 8);
  auto g = picture->Graphics();
  EXPECT_EQ(g->Width(), 10);
  EXPECT_EQ(g->Height(), 10);
  g->ForeColor(RGB(153, 255, 204));
  EXPECT_EQ(g->ForeColor(), RGB(153, 255, 204));
  g->FillRect(2, 3, 4, 5);
  ExpectOnly(picture, QRect(2, 3, 4, 5), 153, 255, 204);
}

TEST(PictureTest, FillRectClipsAndIgnoresEmptyOrHugeRectangles) {
  auto picture = NewPicture(4, 4, 32);
  auto g = picture->Graphics();
  g->ForeColor(RGB(0, 0, 255));
  g->FillRect(2, 2, 0, 5);
  g->FillRect(2, 2, -3, 5);
  g->FillRect(INT32_MAX, 0, INT32_MAX, 4);
  g->FillRect(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX);  // ends at -1
  g->FillRect(-5, 1, INT32_MAX, 1);
  ExpectOnly(picture, QRect(0, 1, 4, 1), 0, 0, 255);
}

// A red picture drawn through a mask of a black, a white and a mid-grey
// column onto white.
TEST(PictureTest, MaskBlackShowsWhiteHidesGreyBlends) {
  auto red = Filled(3, 2, RGB(255, 0, 0));
  auto mask = NewPicture(3, 2, 8);
  auto m = mask->Graphics();
  m->ForeColor(RGB(0, 0, 0));
  m->FillRect(0, 0, 1, 2);
  m->ForeColor(RGB(128, 128, 128));
  m->FillRect(2, 0, 1, 2);
  red->Mask(mask);
  EXPECT_EQ(red->Mask(), mask);

  auto target = NewPicture(3, 2, 32);
  target->Graphics()->DrawPicture(red, 0, 0);
  for (int y = 0; y < 2; ++y) {
    ExpectPixel(target, 0, y, 255, 0, 0);
    ExpectPixel(target, 1, y, 255, 255, 255);
    ExpectPixel(target, 2, y, 255, 128, 128, 2);
  }
  // The mask shapes drawing only; the picture's own pixels stay red.
  ExpectPixel(red, 1, 0, 255, 0, 0);

  red->Mask(nullptr);
  target->Graphics()->DrawPicture(red, 0, 0);
  ExpectPixel(target, 1, 0, 255, 0, 0);
}

TEST(PictureTest, MaskOfAnotherSizeIsStretchedOverThePicture) {
  auto red = Filled(4, 4, RGB(255, 0, 0));
  auto mask = NewPicture(2, 1, 8);  // left half black, right half white
  auto m = mask->Graphics();
  m->ForeColor(RGB(0, 0, 0));
  m->FillRect(0, 0, 1, 1);
  red->Mask(mask);
  auto target = NewPicture(4, 4, 32);
  target->Graphics()->DrawPicture(red, 0, 0);
  for (int y = 0; y < 4; ++y) {
    ExpectPixel(target, 0, y, 255, 0, 0, 2);
    ExpectPixel(target, 3, y, 255, 255, 255, 2);
  }
}

TEST(PictureTest, MaskedPictureShowsChangesMadeAfterItWasDrawn) {
  auto tile = Filled(2, 2, RGB(255, 0, 0));
  auto mask = NewPicture(2, 2, 8);
  mask->Graphics()->FillRect(0, 0, 2, 2);  // black: all shows
  tile->Mask(mask);
  auto target = NewPicture(2, 2, 32);
  target->Graphics()->DrawPicture(tile, 0, 0);
  ExpectPixel(target, 0, 0, 255, 0, 0);

  auto g = tile->Graphics();
  g->ForeColor(RGB(0, 0, 255));
  g->FillRect(0, 0, 2, 2);
  target->Graphics()->DrawPicture(tile, 0, 0);
  ExpectPixel(target, 0, 0, 0, 0, 255);

  auto m = mask->Graphics();
  m->ForeColor(RGB(255, 255, 255));
  m->FillRect(0, 0, 1, 2);
  auto fresh = NewPicture(2, 2, 32);
  fresh->Graphics()->DrawPicture(tile, 0, 0);
  ExpectPixel(fresh, 0, 0, 255, 255, 255);
  ExpectPixel(fresh, 1, 0, 0, 0, 255);

  auto other = NewPicture(2, 2, 8);  // white: nothing shows
  tile->Mask(other);
  auto third = NewPicture(2, 2, 32);
  third->Graphics()->DrawPicture(tile, 0, 0);
  ExpectPixel(third, 1, 0, 255, 255, 255);
}

TEST(PictureTest, DrawingKeepsItsSourceAsItWasAndCostsNoPixelsUntilLookedAt) {
  auto tile = Filled(2, 2, RGB(255, 0, 0));
  auto mask = NewPicture(2, 2, 8);
  mask->Graphics()->FillRect(0, 0, 2, 2);  // black: all shows
  tile->Mask(mask);
  auto target = NewPicture(4, 2, 32);
  target->Graphics()->DrawPicture(tile, 0, 0);
  auto unmade = [](const Ref<Picture>& p) { return qt::PictureData::Of(*p).pixels.isNull(); };
  EXPECT_TRUE(unmade(target) && unmade(tile) && unmade(mask));

  // Changed after the drawing, before anything looked at it.
  auto g = tile->Graphics();
  g->ForeColor(RGB(0, 0, 255));
  g->FillRect(0, 0, 2, 2);
  auto m = mask->Graphics();
  m->ForeColor(RGB(255, 255, 255));
  m->FillRect(0, 0, 2, 2);
  target->Graphics()->DrawPicture(tile, 2, 0);

  ExpectPixel(target, 0, 0, 255, 0, 0);
  ExpectPixel(target, 2, 0, 255, 255, 255);
  EXPECT_FALSE(unmade(target));
}

TEST(PictureTest, ManyDrawingsIntoOnePictureAddUp) {
  auto picture = NewPicture(100, 1, 32);
  auto g = picture->Graphics();
  for (int x = 0; x < 100; ++x) {
    g->ForeColor(RGB(x, 0, 0));
    g->FillRect(x, 0, 1, 1);
  }
  for (int x = 0; x < 100; x += 33) ExpectPixel(picture, x, 0, x, 0, 0);
}

TEST(PictureTest, DrawPictureWithOmittedSizesDrawsAtOwnSize) {
  auto tile = Filled(3, 2, RGB(0, 128, 0));
  auto target = NewPicture(10, 10, 32);
  auto g = target->Graphics();
  g->DrawPicture(tile, 4, 5, Graphics::kOmittedSize, Graphics::kOmittedSize, 0, 0,
                 Graphics::kOmittedSize, Graphics::kOmittedSize);
  ExpectOnly(target, QRect(4, 5, 3, 2), 0, 128, 0);
}

TEST(PictureTest, DrawPictureStretchesEachDirectionOnItsOwn) {
  auto tiny = Filled(2, 1, RGB(0, 0, 255));
  auto target = NewPicture(100, 50, 32);
  target->Graphics()->DrawPicture(tiny, 0, 0, 100, 50, 0, 0, 2, 1);
  for (int y : {0, 25, 49})
    for (int x : {0, 50, 99}) ExpectPixel(target, x, y, 0, 0, 255);

  // Shrinking works as well: a 20x10 picture into the top-left 5x5.
  auto big = Filled(20, 10, RGB(255, 0, 0));
  auto small = NewPicture(10, 10, 32);
  small->Graphics()->DrawPicture(big, 0, 0, 5, 5);
  ExpectPixel(small, 4, 4, 255, 0, 0, 2);
  ExpectPixel(small, 5, 0, 255, 255, 255);
  ExpectPixel(small, 0, 5, 255, 255, 255);
}

TEST(PictureTest, DrawPictureTakesOnlyTheSourceRectangle) {
  // Left half red, right half blue.
  auto source = Filled(4, 2, RGB(255, 0, 0));
  auto g = source->Graphics();
  g->ForeColor(RGB(0, 0, 255));
  g->FillRect(2, 0, 2, 2);

  auto target = NewPicture(6, 2, 32);
  target->Graphics()->DrawPicture(source, 0, 0, 2, 2, 2, 0, 2, 2);
  ExpectPixel(target, 0, 0, 0, 0, 255);
  ExpectPixel(target, 1, 1, 0, 0, 255);
  ExpectPixel(target, 2, 0, 255, 255, 255);

  // An omitted source size with an offset takes what is left of the picture.
  target->Graphics()->DrawPicture(source, 3, 0, Graphics::kOmittedSize, Graphics::kOmittedSize, 1,
                                  0);
  ExpectPixel(target, 3, 0, 255, 0, 0);
  ExpectPixel(target, 4, 0, 0, 0, 255);
  ExpectPixel(target, 5, 0, 0, 0, 255);
}

TEST(PictureTest, DrawPictureClipsAtTheEdgesAndIgnoresNonsense) {
  auto tile = Filled(4, 4, RGB(255, 0, 0));
  auto target = NewPicture(4, 4, 32);
  auto g = target->Graphics();
  g->DrawPicture(tile, -2, -2);
  ExpectOnly(target, QRect(0, 0, 2, 2), 255, 0, 0);

  auto empty = NewPicture(4, 4, 32);
  auto e = empty->Graphics();
  e->DrawPicture(tile, 0, 0, 0, 4);
  e->DrawPicture(tile, 0, 0, -5, 4);
  e->DrawPicture(tile, 0, 0, 4, 4, 0, 0, 0, 4);
  e->DrawPicture(tile, INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX);
  e->DrawPicture(tile, 0, 0, 4, 4, INT32_MAX, 0, INT32_MAX, 4);
  ExpectOnly(empty, QRect(), 0, 0, 0);

  e->DrawPicture(tile, -1000000, -1000000, INT32_MAX, INT32_MAX, 0, 0, 4, 4);
  ExpectPixel(empty, 3, 3, 255, 0, 0, 2);
}

TEST(PictureTest, DrawPictureOfNothingRaises) {
  auto target = NewPicture(4, 4, 32);
  EXPECT_THROW(target->Graphics()->DrawPicture(nullptr, 0, 0), NilObjectException);
}

TEST(PictureTest, PictureDrawnIntoItselfUsesItsPixelsFromBefore) {
  auto picture = Filled(4, 1, RGB(255, 255, 255));
  auto g = picture->Graphics();
  g->ForeColor(RGB(255, 0, 0));
  g->FillRect(0, 0, 1, 1);
  g->ForeColor(RGB(0, 0, 255));
  g->FillRect(1, 0, 1, 1);
  g->DrawPicture(picture, 1, 0, 3, 1, 0, 0, 3, 1);
  ExpectPixel(picture, 0, 0, 255, 0, 0);
  ExpectPixel(picture, 1, 0, 255, 0, 0);
  ExpectPixel(picture, 2, 0, 0, 0, 255);
  ExpectPixel(picture, 3, 0, 255, 255, 255);
}

TEST(PictureTest, GraphicsOnAPainterDrawsUntilDetached) {
  QImage window(8, 6, QImage::Format_RGB32);
  window.fill(Qt::white);
  auto tile = Filled(2, 2, RGB(0, 128, 0));
  Ref<Graphics> g;
  {
    QPainter painter(&window);
    g = qt::GraphicsOnPainter(painter, 8, 6);
    EXPECT_EQ(g->Width(), 8);
    EXPECT_EQ(g->Height(), 6);
    g->DrawPicture(tile, 0, 0, 8, 6);
    qt::Detach(*g);
  }
  EXPECT_EQ(window.pixelColor(7, 5), QColor(0, 128, 0));
  g->FillRect(0, 0, 8, 6);  // the painter is gone: nothing happens
  g->DrawPicture(tile, 0, 0);
  EXPECT_EQ(g->Width(), 8);
}

TEST(PictureTest, PictureFromImageFlattensTransparencyOntoWhite) {
  QImage image(2, 1, QImage::Format_ARGB32);
  image.setPixelColor(0, 0, QColor(255, 0, 0, 255));
  image.setPixelColor(1, 0, QColor(0, 0, 0, 0));
  auto picture = qt::PictureFromImage(image, 32);
  ASSERT_TRUE(picture);
  ExpectPixel(picture, 0, 0, 255, 0, 0);
  ExpectPixel(picture, 1, 0, 255, 255, 255);
  EXPECT_FALSE(qt::PictureFromImage(QImage(), 32));
}

}  // namespace
}  // namespace fw
