#pragma once

#include <QRect>
#include <QSize>

namespace fw::qt {

// How much the whole interface must shrink so that a window of this size,
// with the frame a window manager adds, fits the work area: 1 where it fits
// as it is.
double FitFactor(const QRect& area, QSize windowSize);

// Once, before the first window is on the screen: where the work area is
// smaller than that window, everything is shown scaled down by its fit
// factor. Texts are laid out at their smaller size, so they stay sharp, and
// clicks land where they are seen.
void FitInterfaceTo(QSize windowSize);

}  // namespace fw::qt
