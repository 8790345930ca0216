// Waits until the X server has taken the release of the mouse buttons. A
// window manager that holds the pointer's events after a press, to decide
// on focus, lets them go later, and the server then gives the release the
// pointer's position of that moment: a script that moves the pointer away
// right after a click must wait for this first, or its click lands beside
// the button.
//
//   e2e_pointer_free [SECONDS]      exit status 0 once released, 1 if not in time
#include <X11/Xlib.h>
#include <unistd.h>

#include <cstdlib>

int main(int argc, char** argv) {
  double seconds = argc > 1 ? atof(argv[1]) : 20;
  Display* display = XOpenDisplay(nullptr);
  if (!display) return 1;
  constexpr unsigned kButtons = Button1Mask | Button2Mask | Button3Mask;
  bool released = false;
  for (int waited = 0; !released && waited < seconds * 100; ++waited) {
    Window root, child;
    int rootX, rootY, x, y;
    unsigned mask = 0;
    XQueryPointer(display, DefaultRootWindow(display), &root, &child, &rootX, &rootY, &x, &y,
                  &mask);
    released = !(mask & kButtons);
    if (!released) usleep(10000);
  }
  XCloseDisplay(display);
  return released ? 0 : 1;
}
