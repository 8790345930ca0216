#include "framework/qt/placement.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QLineEdit>
#include <QWidget>
#include <algorithm>
#include <cstdlib>
#include <limits>

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

// A window's edge over a field's border hides nothing that is typed there.
constexpr int kFieldBorder = 3;

double CoveredShare(const QRect& window, const QRect& target) {
  QRect both = window.intersected(target);
  if (both.isEmpty() || target.isEmpty()) return 0;
  return double(both.width()) * both.height() / (double(target.width()) * target.height());
}

double Cost(const QRect& window, const QRect& caller, const std::vector<Obstacle>& obstacles,
            QPoint callerMoved = {}) {
  double cost = 0;
  for (const Obstacle& o : obstacles) {
    cost += o.weight * CoveredShare(window, o.rect.translated(callerMoved));
  }
  // Between places that cover nothing that matters, the one covering less
  // of the caller.
  return cost + 0.01 * CoveredShare(window, caller.translated(callerMoved));
}

// The least moves of the caller that take the field from under the window,
// one each way.
std::vector<QPoint> MovesClearing(const QRect& window, const QRect& field) {
  return {{window.right() + 1 - field.left(), 0},
          {window.left() - 1 - field.right(), 0},
          {0, window.bottom() + 1 - field.top()},
          {0, window.top() - 1 - field.bottom()}};
}

int Length(QPoint move) { return std::abs(move.x()) + std::abs(move.y()); }

// Where the caller goes so that the window over it hides no field.
QPoint CallerClearing(const QRect& area, const QRect& caller, const QRect& window,
                      const std::vector<Obstacle>& obstacles) {
  QPoint best;
  double bestCost = Cost(window, caller, obstacles);
  for (const Obstacle& field : obstacles) {
    if (!field.keepInSight) continue;
    QRect typedInto = field.rect.adjusted(kFieldBorder, kFieldBorder, -kFieldBorder, -kFieldBorder);
    if (!window.intersects(typedInto)) continue;
    for (QPoint move : MovesClearing(window, field.rect)) {
      if (!area.contains(caller.translated(move))) continue;
      double cost = Cost(window, caller, obstacles, move);
      if (cost < bestCost || (cost == bestCost && Length(move) < Length(best))) {
        best = move;
        bestCost = cost;
      }
    }
  }
  return caller.topLeft() + best;
}

}  // namespace

QPoint PlaceCentred(const QRect& area, QSize frameSize) {
  QPoint at = area.center() - QPoint(frameSize.width() / 2, frameSize.height() / 2);
  return KeepWithin(area, QRect(at, frameSize));
}

QPoint KeepWithin(const QRect& area, const QRect& frame) {
  return {Clamp(frame.left(), frame.width(), area.left(), area.width()),
          Clamp(frame.top(), frame.height(), area.top(), area.height())};
}

BesidePlaces PlaceBeside(const QRect& area, const QRect& caller, QSize frameSize,
                         const std::vector<Obstacle>& obstacles) {
  int w = frameSize.width();
  int h = frameSize.height();
  // First the places beside the caller, then along the work area's edges.
  const int xs[] = {caller.right() + 1, caller.left() - w, area.left(), area.right() + 1 - w};
  const int ys[] = {caller.top(), area.top(), area.bottom() + 1 - h};
  QPoint best;
  double bestCost = std::numeric_limits<double>::infinity();
  for (int x : xs) {
    for (int y : ys) {
      QPoint at = KeepWithin(area, QRect(x, y, w, h));
      double cost = Cost(QRect(at, frameSize), caller, obstacles);
      if (cost < bestCost) {
        best = at;
        bestCost = cost;
      }
    }
  }
  return {best, CallerClearing(area, caller, QRect(best, frameSize), obstacles)};
}

std::vector<Obstacle> ObstaclesOn(const QWidget* content) {
  std::vector<Obstacle> obstacles;
  if (!content) return obstacles;
  for (const QWidget* w : content->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (!w->isVisible() || !w->isEnabled()) continue;
    bool field = qobject_cast<const QLineEdit*>(w);
    double weight = field                                         ? kFieldWeight
                    : qobject_cast<const QAbstractButton*>(w)     ? kButtonWeight
                    : qobject_cast<const QAbstractScrollArea*>(w) ? kOtherWeight
                                                                  : 0;
    if (weight > 0) {
      obstacles.push_back({QRect(w->mapToGlobal(QPoint(0, 0)), w->size()), weight, field});
    }
  }
  return obstacles;
}

}  // namespace fw::qt
