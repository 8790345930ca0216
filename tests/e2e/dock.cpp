// A task bar for the end-to-end runs: a dock window along the bottom of the
// screen that reserves its height there, as desktop panels do. It stays
// until it is ended; it prints "ready" once the window is mapped.
//
//   e2e_dock HEIGHT
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  int height = argc > 1 ? atoi(argv[1]) : 40;
  Display* display = XOpenDisplay(nullptr);
  if (!display || height <= 0) return 1;
  int screen = DefaultScreen(display);
  int width = DisplayWidth(display, screen);
  int top = DisplayHeight(display, screen) - height;
  Window dock = XCreateSimpleWindow(display, RootWindow(display, screen), 0, top, width, height, 0,
                                    0, 0x303030);
  Atom type = XInternAtom(display, "_NET_WM_WINDOW_TYPE", False);
  Atom dockType = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DOCK", False);
  XChangeProperty(display, dock, type, XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(&dockType), 1);
  // left, right, top, bottom, then the start and end of each edge's span
  long strut[12] = {0, 0, 0, height, 0, 0, 0, 0, 0, 0, 0, width - 1};
  XChangeProperty(display, dock, XInternAtom(display, "_NET_WM_STRUT_PARTIAL", False), XA_CARDINAL,
                  32, PropModeReplace, reinterpret_cast<unsigned char*>(strut), 12);
  XChangeProperty(display, dock, XInternAtom(display, "_NET_WM_STRUT", False), XA_CARDINAL, 32,
                  PropModeReplace, reinterpret_cast<unsigned char*>(strut), 4);
  // At the bottom, where it asked to be.
  XSizeHints place{};
  place.flags = USPosition | USSize;
  place.x = 0;
  place.y = top;
  place.width = width;
  place.height = height;
  XSetWMNormalHints(display, dock, &place);
  XSelectInput(display, dock, StructureNotifyMask);
  XMapWindow(display, dock);
  XEvent event;
  for (;;) {
    XNextEvent(display, &event);
    if (event.type == MapNotify) break;
  }
  printf("ready\n");
  fflush(stdout);
  for (;;) XNextEvent(display, &event);
}
