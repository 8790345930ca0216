/* Times, from outside a program, how soon its window shows what happened:
 *   xdamage_probe keys WINDOW COUNT KEYSYM...   XTest key press and release to
 *       the first damage of the window, one line of milliseconds per key,
 *       the key syms taken in turn;
 *   xdamage_probe start PROGRAM [ARGUMENT...]   fork to the first damage of the
 *       first window the program maps; the program is left running, its
 *       process id on the second line. */
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

static double now_ms(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

/* Waits up to the deadline for an event of the type; 1 when one came. */
static int wait_event(Display* d, int type, XEvent* out, double deadline) {
  for (;;) {
    while (XPending(d)) {
      XNextEvent(d, out);
      if (out->type == type) return 1;
    }
    double left = deadline - now_ms();
    if (left <= 0) return 0;
    struct pollfd p = {ConnectionNumber(d), POLLIN, 0};
    poll(&p, 1, (int)left + 1);
  }
}

int main(int argc, char** argv) {
  Display* d = XOpenDisplay(NULL);
  int damage_event, damage_error, xtest[4];
  if (!d || !XDamageQueryExtension(d, &damage_event, &damage_error) ||
      !XTestQueryExtension(d, &xtest[0], &xtest[1], &xtest[2], &xtest[3])) {
    fprintf(stderr, "no display with the Damage and XTest extensions\n");
    return 2;
  }
  int notify = damage_event + XDamageNotify;
  XEvent e;
  if (argc >= 5 && strcmp(argv[1], "keys") == 0) {
    Window w = (Window)strtoul(argv[2], NULL, 0);
    int count = atoi(argv[3]);
    Damage damage = XDamageCreate(d, w, XDamageReportNonEmpty);
    for (int i = 0; i < count; ++i) {
      KeyCode key = XKeysymToKeycode(d, XStringToKeysym(argv[4 + i % (argc - 4)]));
      usleep(60000); /* the last key's drawing is over */
      XDamageSubtract(d, damage, None, None);
      XSync(d, False);
      while (XPending(d)) XNextEvent(d, &e);
      double start = now_ms();
      XTestFakeKeyEvent(d, key, True, 0);
      XTestFakeKeyEvent(d, key, False, 0);
      XFlush(d);
      if (!wait_event(d, notify, &e, start + 1000)) {
        fprintf(stderr, "key %d: no damage within a second\n", i);
        return 1;
      }
      printf("%.3f\n", now_ms() - start);
    }
    return 0;
  }
  if (argc >= 3 && strcmp(argv[1], "start") == 0) {
    XSelectInput(d, DefaultRootWindow(d), SubstructureNotifyMask);
    XSync(d, False);
    double start = now_ms();
    pid_t child = fork();
    if (child == 0) {
      execvp(argv[2], argv + 2);
      _exit(127);
    }
    if (!wait_event(d, MapNotify, &e, start + 20000)) return 1;
    XDamageCreate(d, e.xmap.window, XDamageReportNonEmpty);
    XSync(d, False);
    /* A paint done before the damage object existed is caught by the
     * first report, which covers what the window holds. */
    if (!wait_event(d, notify, &e, start + 20000)) return 1;
    printf("%.3f\n%d\n", now_ms() - start, (int)child);
    return 0;
  }
  fprintf(stderr, "usage: xdamage_probe keys WINDOW COUNT KEYSYM... | start PROGRAM...\n");
  return 2;
}
