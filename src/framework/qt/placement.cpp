#include "framework/qt/placement.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QLineEdit>
#include <QWidget>
#include <algorithm>

namespace fw::qt {

namespace {

constexpr double kFieldWeight = 100;
constexpr double kButtonWeight = 10;
constexpr double kOtherWeight = 1;

// The least of start and the far end that keeps `length` inside the span.
int Clamp(int start, int length, int spanStart, int spanLength) {
  int last = spanStart + std::max(0, spanLength - length);
  return std::clamp(start, spanStart, last);
}

double CoveredShare(const QRect& window, const QRect& target) {
  QRect both = window.intersected(target);
  if (both.isEmpty() || target.isEmpty()) return 0;
  return double(both.width()) * both.height() / (double(target.width()) * target.height());
}

}  // namespace

QPoint PlaceCentred(const QRect& area, QSize frameSize) {
  QPoint at = area.center() - QPoint(frameSize.width() / 2, frameSize.height() / 2);
  return {Clamp(at.x(), frameSize.width(), area.left(), area.width()),
          Clamp(at.y(), frameSize.height(), area.top(), area.height())};
}

QPoint KeepWithin(const QRect& area, const QRect& frame) {
  return {Clamp(frame.left(), frame.width(), area.left(), area.width()),
          Clamp(frame.top(), frame.height(), area.top(), area.height())};
}

QPoint PlaceBeside(const QRect& area, const QRect& caller, QSize frameSize,
                   const std::vector<Obstacle>& obstacles) {
  int w = frameSize.width();
  int h = frameSize.height();
  // First the places beside the caller, then along the work area's edges.
  const int xs[] = {caller.right() + 1, caller.left() - w, area.left(), area.right() + 1 - w};
  const int ys[] = {caller.top(), area.top(), area.bottom() + 1 - h};
  QPoint best;
  double bestCost = 0;
  bool first = true;
  for (int x : xs) {
    for (int y : ys) {
      QRect window(Clamp(x, w, area.left(), area.width()), Clamp(y, h, area.top(), area.height()),
                   w, h);
      double cost = 0;
      for (const Obstacle& o : obstacles) cost += o.weight * CoveredShare(window, o.rect);
      // Between places that cover nothing that matters, the one covering
      // less of the caller.
      cost += 0.01 * CoveredShare(window, caller);
      if (first || cost < bestCost) {
        best = window.topLeft();
        bestCost = cost;
        first = false;
      }
    }
  }
  return best;
}

std::vector<Obstacle> ObstaclesOn(const QWidget* content) {
  std::vector<Obstacle> obstacles;
  if (!content) return obstacles;
  for (const QWidget* w : content->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (!w->isVisible() || !w->isEnabled()) continue;
    double weight = 0;
    if (qobject_cast<const QLineEdit*>(w)) {
      weight = kFieldWeight;
    } else if (qobject_cast<const QAbstractButton*>(w)) {
      weight = kButtonWeight;
    } else if (qobject_cast<const QAbstractScrollArea*>(w)) {
      weight = kOtherWeight;
    }
    if (weight > 0) obstacles.push_back({QRect(w->mapToGlobal(QPoint(0, 0)), w->size()), weight});
  }
  return obstacles;
}

}  // namespace fw::qt
