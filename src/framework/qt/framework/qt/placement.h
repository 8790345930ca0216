#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <vector>

class QWidget;

namespace fw::qt {

// Something on the calling window that a new window should rather not
// cover, and how much covering it costs.
struct Obstacle {
  QRect rect;
  double weight = 1;
  // What the user types into stays in sight: where no place of the new
  // window leaves it so, the caller moves aside.
  bool keepInSight = false;
};

// Where a window opened beside another goes, and where that other one goes
// (its frame's top-left corner, as it is where it need not move).
struct BesidePlaces {
  QPoint window;
  QPoint caller;
};

// Where a window goes (the top-left corner of its frame) so that its title
// bar is on the work area: centred, or at the top when it is too tall.
QPoint PlaceCentred(const QRect& area, QSize frameSize);

// Where a frame goes that should lie whole on the work area: moved as
// little as it takes, its title bar on the work area where it is larger.
QPoint KeepWithin(const QRect& area, const QRect& frame);

// Where a window goes that opens beside the calling window: beside it where
// the work area has room, otherwise where it covers the least of what the
// user works with on the caller; and the caller moved as little as it
// takes, whole on the work area, where the window would cover what is to
// be typed into.
BesidePlaces PlaceBeside(const QRect& area, const QRect& caller, QSize frameSize,
                         const std::vector<Obstacle>& obstacles);

// The caller's controls in screen coordinates: a single-line field matters
// most (the user looks up something to type there), then buttons and boxes,
// then the rest.
std::vector<Obstacle> ObstaclesOn(const QWidget* content);

}  // namespace fw::qt
