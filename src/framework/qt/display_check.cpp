#include <xcb/xcb.h>

#include <cstdlib>
#include <string>
#include <string_view>

#include "framework/runtime/exceptions.h"
#include "framework/window/toolkit.h"

namespace fw::qt {

namespace {

// Whether the toolkit will look for an X display: where no other platform is
// asked for, and the session is not a Wayland one.
bool ShowsOnX11() {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform && *platform) {
    std::string_view asked = platform;
    return asked.starts_with("xcb") && asked.find(';') == std::string_view::npos;
  }
  const char* session = std::getenv("XDG_SESSION_TYPE");
  return !session || std::string_view(session) != "wayland";
}

}  // namespace

// The toolkit would end the process with an English text of its own; the
// user who started the program from a terminal reads this instead.
void CheckDisplay() {
  if (!ShowsOnX11()) return;
  const char* display = std::getenv("DISPLAY");
  if (!display || !*display) {
    throw RuntimeException(
        "Kein Bildschirm gefunden: Die Umgebungsvariable DISPLAY ist leer oder nicht gesetzt. "
        "Das Programm braucht eine grafische Sitzung.");
  }
  xcb_connection_t* connection = xcb_connect(display, nullptr);
  const bool reached = xcb_connection_has_error(connection) == 0;
  xcb_disconnect(connection);
  if (!reached) {
    throw RuntimeException("Kein Bildschirm gefunden: Der Bildschirm „" + std::string(display) +
                           "“ (DISPLAY) lässt sich nicht öffnen.");
  }
}

}  // namespace fw::qt
