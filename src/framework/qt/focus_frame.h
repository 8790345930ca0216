#pragma once

#include <QWidget>

namespace fw::qt {

// A clearly visible frame around the control that Tab has put the focus
// on; the toolkit's own hint is too faint for many users.
void ShowFocusFrame(QWidget* control);
void HideFocusFrame(QWidget* control);

}  // namespace fw::qt
