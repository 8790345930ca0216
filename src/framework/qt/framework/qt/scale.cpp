#include "framework/qt/scale.h"

#include <QFontInfo>
#include <algorithm>
#include <cmath>

namespace fw::qt {

namespace {

// Below this many of the screen's own pixels to a pixel of the layout, the
// smallest texts of the layouts would no longer be read. A desktop scaled
// up draws each pixel of ours with several of its own, so there the layout
// may shrink that much further.
constexpr double kLeastFactor = 0.5;

}  // namespace

int Scale::ToScreen(int v) const { return None() ? v : static_cast<int>(std::lround(v * factor_)); }

int Scale::FromScreen(int v) const {
  return None() ? v : static_cast<int>(std::lround(v / factor_));
}

QFont Scale::ToScreen(QFont font) const {
  if (None()) return font;
  // Letters come in whole pixels: rounded down, no text grows beyond the
  // box it was laid out for, nor breaks into more lines than it had.
  int pixels = font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
  font.setPixelSize(std::max(1, static_cast<int>(std::floor(pixels * factor_ + 1e-6))));
  return font;
}

void PaintInLayout(QPainter& painter, QSize shown, QSize laidOut) {
  if (shown == laidOut || laidOut.isEmpty()) return;
  painter.scale(double(shown.width()) / laidOut.width(), double(shown.height()) / laidOut.height());
}

QRect WorkArea(const QScreen& screen) {
  QRect area = screen.availableGeometry();
  return screen.devicePixelRatio() > 1 ? area.adjusted(1, 1, -1, -1) : area;
}

Scale FittingScale(QSize content, QMargins around, QRect area, double devicePixelRatio) {
  if (content.isEmpty() || area.isEmpty()) return Scale();
  // On a desktop scaled up the frame's sides and the window's own size are
  // each rounded to whole pixels of ours, each by up to half of one.
  if (devicePixelRatio > 1) area.adjust(0, 0, -2, -2);
  double across = double(area.width() - around.left() - around.right()) / content.width();
  double down = double(area.height() - around.top() - around.bottom()) / content.height();
  double factor = std::min({1.0, across, down});
  return factor >= 1 ? Scale()
                     : Scale(std::max(factor, kLeastFactor / std::max(1.0, devicePixelRatio)));
}

}  // namespace fw::qt
