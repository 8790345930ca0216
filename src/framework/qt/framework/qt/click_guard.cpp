#include "framework/qt/click_guard.h"

#include <QGuiApplication>
#include <QStyleHints>
#include <algorithm>
#include <cmath>

namespace fw::qt {

PressMark MarkOf(const QMouseEvent& press) { return {press.timestamp(), press.globalPosition()}; }

bool Follows(const QMouseEvent& press, const std::optional<PressMark>& earlier, quint64 interval) {
  if (!earlier) return false;
  QPointF moved = press.globalPosition() - earlier->at;
  int distance = QGuiApplication::styleHints()->mouseDoubleClickDistance();
  bool near = std::abs(moved.x()) + std::abs(moved.y()) <= distance;
  quint64 now = press.timestamp();
  return near && now > earlier->time && now - earlier->time <= interval;
}

bool RepeatOf(const QMouseEvent& press, const std::optional<PressMark>& earlier) {
  int interval = QGuiApplication::styleHints()->mouseDoubleClickInterval();
  return Follows(press, earlier, static_cast<quint64>(std::max(interval, 0)));
}

}  // namespace fw::qt
