// Tells whether a compositing manager has taken the screen: exits 0 once
// the _NET_WM_CM_S<screen> selection has an owner, 1 when none took it
// within the seconds given (default 10).
//
//   e2e_compositing [SECONDS]
#include <X11/Xlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  int tenths = (argc > 1 ? atoi(argv[1]) : 10) * 10;
  Display* display = XOpenDisplay(nullptr);
  if (!display) return 1;
  char name[32];
  snprintf(name, sizeof name, "_NET_WM_CM_S%d", DefaultScreen(display));
  Atom selection = XInternAtom(display, name, False);
  for (int i = 0; i <= tenths; ++i) {
    if (XGetSelectionOwner(display, selection) != None) {
      XCloseDisplay(display);
      return 0;
    }
    usleep(100000);
  }
  XCloseDisplay(display);
  return 1;
}
