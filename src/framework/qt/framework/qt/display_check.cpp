#include "framework/qt/display_check.h"

#include <xcb/xcb.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <string_view>
#include <thread>

#include "framework/runtime/exceptions.h"
#include "framework/window/toolkit.h"

namespace fw::qt {

namespace {

// An X server may refuse a connection made just as another client leaves;
// one that is not there at all refuses every time.
constexpr int kTries = 3;
constexpr auto kBetweenTries = std::chrono::milliseconds(50);

// Kept open until the toolkit has its own connection: a connection closed
// just before another opens can make the server refuse that one too.
xcb_connection_t* checked = nullptr;

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
  for (int tries = 1; !checked; ++tries) {
    xcb_connection_t* connection = xcb_connect(display, nullptr);
    if (xcb_connection_has_error(connection) == 0) {
      checked = connection;
      return;
    }
    xcb_disconnect(connection);
    if (tries == kTries) {
      throw RuntimeException("Kein Bildschirm gefunden: Der Bildschirm „" + std::string(display) +
                             "“ (DISPLAY) lässt sich nicht öffnen.");
    }
    std::this_thread::sleep_for(kBetweenTries);
  }
}

void ForgetDisplayCheck() {
  if (checked) xcb_disconnect(checked);
  checked = nullptr;
}

}  // namespace fw::qt
