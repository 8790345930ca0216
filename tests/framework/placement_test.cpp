#include "framework/qt/placement.h"

#include <gtest/gtest.h>

// Where windows go on screens of the sizes clinics have.
namespace {

using fw::qt::KeepWithin;
using fw::qt::Obstacle;
using fw::qt::PlaceBeside;
using fw::qt::PlaceCentred;

// A 1000 x 750 window with its menu bar and a title bar, centred; the
// window manager's frame 1 pixel wide at the sides (openbox) unless told.
QRect CallerOn(const QRect& area, int side = 1) {
  QSize size(1000 + 2 * side, 800);
  return QRect(PlaceCentred(area, size), size);
}

// The code entry's controls, in the caller's content (below 50 rows of
// title and menu bar): its code field, "Liste einblenden", "weiter",
// "Abbruch".
std::vector<Obstacle> CodeEntryOn(const QRect& caller, int side = 1) {
  QPoint content = caller.topLeft() + QPoint(side, 50);
  return {{QRect(content + QPoint(460, 368), QSize(96, 28)), 100, true},
          {QRect(content + QPoint(662, 370), QSize(164, 20)), 10},
          {QRect(content + QPoint(800, 650), QSize(90, 20)), 10},
          {QRect(content + QPoint(90, 650), QSize(90, 20)), 10}};
}

TEST(PlacementTest, TitleBarStaysOnSmallScreens) {
  for (QRect area : {QRect(0, 0, 1024, 768), QRect(0, 0, 1366, 768), QRect(0, 24, 1366, 744)}) {
    QPoint at = PlaceCentred(area, QSize(1002, 800));
    EXPECT_EQ(at.y(), area.top()) << area.width() << "x" << area.height();
    EXPECT_GE(at.x(), area.left());
  }
  QPoint centred = PlaceCentred(QRect(0, 0, 1280, 1024), QSize(1002, 800));
  EXPECT_NEAR(centred.x(), 139, 1);
  EXPECT_NEAR(centred.y(), 112, 1);
}

TEST(PlacementTest, FrameComesOntoTheWorkAreaAndStaysWhereItFits) {
  QRect area(0, 0, 1366, 728);
  EXPECT_EQ(KeepWithin(area, QRect(182, -20, 1002, 790)), QPoint(182, 0));
  EXPECT_EQ(KeepWithin(area, QRect(-1, -20, 602, 700)), QPoint(0, 0));
  EXPECT_EQ(KeepWithin(area, QRect(40, 10, 602, 700)), QPoint(40, 10));
}

TEST(PlacementTest, ListGoesBesideTheCallerWhereThereIsRoom) {
  QRect area(0, 0, 2560, 1440);
  QRect caller = CallerOn(area);
  fw::qt::BesidePlaces at = PlaceBeside(area, caller, QSize(602, 800), CodeEntryOn(caller));
  EXPECT_EQ(at.window, QPoint(caller.right() + 1, caller.top()));
  EXPECT_EQ(at.caller, caller.topLeft());
}

TEST(PlacementTest, ListCoversNeitherFieldNorButtonsWhereTheScreenAllows) {
  for (QRect area : {QRect(0, 0, 1280, 1024), QRect(0, 0, 1920, 1080)}) {
    QRect caller = CallerOn(area);
    auto obstacles = CodeEntryOn(caller);
    fw::qt::BesidePlaces at = PlaceBeside(area, caller, QSize(602, 800), obstacles);
    QRect list(at.window, QSize(602, 800));
    EXPECT_TRUE(area.contains(list)) << area.width();
    EXPECT_EQ(at.caller, caller.topLeft()) << area.width();
    // On a 1280-wide screen the list's border may touch the field's.
    for (const Obstacle& o : obstacles) {
      if (o.rect.left() < caller.left() + 100) continue;  // "Abbruch" may be covered
      QRect covered = list.intersected(o.rect);
      EXPECT_LE(covered.width(), 3) << area.width() << ": " << o.rect.x();
    }
  }
}

// A wider frame (xfwm4's, 5 pixels a side) leaves no place on a 1280-wide
// screen that misses both the field and the buttons: the caller moves
// aside, whole on the screen, and the list hides none of the field.
TEST(PlacementTest, CallerMovesAsideWhereNoPlaceLeavesItsFieldInSight) {
  QRect area(0, 0, 1280, 1024);
  QRect caller = CallerOn(area, 5);
  auto obstacles = CodeEntryOn(caller, 5);
  fw::qt::BesidePlaces at = PlaceBeside(area, caller, QSize(610, 810), obstacles);
  QRect moved(at.caller, caller.size());
  QPoint by = at.caller - caller.topLeft();
  QRect list(at.window, QSize(610, 810));
  EXPECT_TRUE(area.contains(moved));
  EXPECT_TRUE(area.contains(list));
  EXPECT_FALSE(list.intersects(obstacles[0].rect.translated(by)));
  EXPECT_FALSE(list.intersects(obstacles[1].rect.translated(by)));  // Liste einblenden
  EXPECT_LE(std::abs(by.x()) + std::abs(by.y()), 12);
}

TEST(PlacementTest, WindowLargerThanTheScreenKeepsItsCornerOnIt) {
  QRect area(0, 0, 800, 600);
  QRect caller(0, 0, 800, 600);
  fw::qt::BesidePlaces at = PlaceBeside(area, caller, QSize(1002, 800), {});
  EXPECT_EQ(at.window, QPoint(0, 0));
  EXPECT_EQ(at.caller, QPoint(0, 0));
}

}  // namespace
