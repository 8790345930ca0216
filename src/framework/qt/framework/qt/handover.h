#pragma once

#include <QWidget>

namespace fw::qt {

// When one window replaces another, the one going stays on the screen, as it
// was last painted and deaf to input, until the one coming has been painted:
// no moment shows the desktop between them.

// The frame goes off the screen once no frame coming onto it waits for its
// first paint (or after a second at most); deleted then when `deleteAfter`.
void LeaveScreen(QWidget* frame, bool deleteAfter);
// Whether the frame waits to leave the screen.
bool Leaving(const QWidget* frame);
// The frame stays after all: it takes input and paints again.
void StayOnScreen(QWidget* frame);

// The frame has just been shown; frames leaving wait for its first paint.
void ComingOnScreen(QWidget* frame);
// The frame has painted itself.
void Painted(QWidget* frame);

// Frames waiting to leave go now (at the end of the run).
void LeaveAllNow();

}  // namespace fw::qt
