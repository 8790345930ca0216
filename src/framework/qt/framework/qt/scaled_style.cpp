#include <QApplication>
#include <QProxyStyle>
#include <algorithm>

#include "framework/qt/scale.h"
#include "framework/qt/window_peer.h"

namespace fw::qt {

namespace {

// The toolkit draws check and radio marks at one size on every window: on a
// window shown smaller they would take the room of the caption beside them
// and stand out of the control's box. They shrink with the window instead.
class ScaledMarksStyle : public QProxyStyle {
 public:
  int pixelMetric(PixelMetric metric, const QStyleOption* option,
                  const QWidget* widget) const override {
    int own = QProxyStyle::pixelMetric(metric, option, widget);
    switch (metric) {
      case PM_IndicatorWidth:
      case PM_IndicatorHeight:
      case PM_ExclusiveIndicatorWidth:
      case PM_ExclusiveIndicatorHeight:
      case PM_CheckBoxLabelSpacing:
      case PM_RadioButtonLabelSpacing: {
        Scale scale = ScaleOf(widget);
        return scale.None() ? own : std::max(1, scale.ToScreen(own));
      }
      default:
        return own;
    }
  }
};

}  // namespace

void ScaleMarksWithWindows() { QApplication::setStyle(new ScaledMarksStyle); }

}  // namespace fw::qt
