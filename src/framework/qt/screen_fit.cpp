#include "framework/qt/screen_fit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>
#include <algorithm>
#include <private/qhighdpiscaling_p.h>

namespace fw::qt {

namespace {

// The window manager's frame is not known before a window is mapped: room
// for a title bar and borders as the usual window managers draw them.
constexpr int kTitleBarAllowance = 32;
constexpr int kBorderAllowance = 4;

// Scaling the user asked for themselves, which the fit comes on top of.
double UsersOwnFactor() {
  bool ok = false;
  double factor = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&ok);
  return ok && factor > 0 ? factor : 1.0;
}

}  // namespace

double FitFactor(const QRect& area, QSize windowSize) {
  QSize needed = windowSize + QSize(2 * kBorderAllowance, kTitleBarAllowance + kBorderAllowance);
  if (area.isEmpty() || needed.isEmpty()) return 1.0;
  return std::min({1.0, double(area.width()) / needed.width(),
                   double(area.height()) / needed.height()});
}

void FitInterfaceTo(QSize windowSize) {
  static bool decided = false;
  if (decided) return;
  decided = true;
  // Only a real screen has a work area to fit; the toolkit cannot change
  // the scale once a window exists.
  QString platform = QGuiApplication::platformName();
  if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal")) return;
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen || !QGuiApplication::allWindows().isEmpty()) return;
  double fit = FitFactor(screen->availableGeometry(), windowSize);
  if (fit < 1.0) QHighDpiScaling::setGlobalFactor(UsersOwnFactor() * fit);
}

}  // namespace fw::qt
