#pragma once

#include <QString>
#include <QWidget>

namespace fw::qt {

// The name the X display's window manager gives itself ("Openbox",
// "Xfwm4"); empty without one, or away from X.
QString WindowManagerName();

// Asks the window manager to frame the top-level widget, not yet shown, as
// a tool bar: a title and a close box, and nothing to minimize or maximize
// it by.
void FrameAsToolBar(QWidget* top);

}  // namespace fw::qt
