#pragma once

#include <QMenuBar>

namespace fw {
class MenuItem;
}

namespace fw::qt {

// The menu bar of one window, made from the application's menu bar.
QMenuBar* MakeMenuBar(const MenuItem& bar, QWidget* parent);

}  // namespace fw::qt
