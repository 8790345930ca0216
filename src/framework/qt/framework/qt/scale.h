#pragma once

#include <QFont>
#include <QMargins>
#include <QPainter>
#include <QPoint>
#include <QRect>
#include <QScreen>
#include <QSize>

namespace fw::qt {

// How much smaller than its layout a window is shown: 1 where the work area
// holds it, less on a small screen, so that every control stays in sight
// and takes clicks where it is seen. The program only ever deals in its
// layouts' numbers; the toolkit only in the screen's.
class Scale {
 public:
  Scale() = default;
  explicit Scale(double factor) : factor_(factor) {}

  bool None() const { return factor_ == 1; }
  double Factor() const { return factor_; }
  int ToScreen(int v) const;
  int FromScreen(int v) const;
  // The layout's number where it is the one shown as v.
  int FromScreen(int v, int laidOut) const {
    return ToScreen(laidOut) == v ? laidOut : FromScreen(v);
  }
  QPoint FromScreen(QPoint p) const { return {FromScreen(p.x()), FromScreen(p.y())}; }
  QFont ToScreen(QFont font) const;

 private:
  double factor_ = 1;
};

// Makes the painter of a box shown at `shown` draw in the layout's numbers,
// `laidOut`.
void PaintInLayout(QPainter& painter, QSize shown, QSize laidOut);

// The scale that puts a content of the size, with the frame and the menu
// bar around it, whole onto the work area; never larger than 1. Letters
// below a legible size on the screen's own pixels (`devicePixelRatio` of
// them to one of the area's) are not made: a screen that small shows the
// window at that least scale, its title bar kept in sight.
Scale FittingScale(QSize content, QMargins around, QRect area, double devicePixelRatio);

// The screen's work area, in our pixels. On a desktop scaled up the toolkit
// rounds it, and every window's frame, to whole pixels of ours: there it is
// taken a pixel smaller all round, so that what lies within it lies within
// the screen's own work area too.
QRect WorkArea(const QScreen& screen);

// Makes the toolkit's check and radio marks as much smaller as the window
// they are on; once, after the toolkit has started.
void ScaleMarksWithWindows();

}  // namespace fw::qt
