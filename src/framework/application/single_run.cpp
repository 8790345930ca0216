#include "framework/application/single_run.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace fw {

namespace {

sockaddr_un AddressOf(const std::string& key, socklen_t& length) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  // A leading NUL puts the name in the abstract namespace.
  size_t size = std::min(key.size(), sizeof(address.sun_path) - 1);
  std::memcpy(address.sun_path + 1, key.data(), size);
  length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + size);
  return address;
}

bool AskToComeForward(const sockaddr_un& address, socklen_t length) {
  int s = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (s < 0) return false;
  bool told = connect(s, reinterpret_cast<const sockaddr*>(&address), length) == 0 &&
              send(s, "f", 1, MSG_NOSIGNAL) == 1;
  close(s);
  return told;
}

}  // namespace

std::optional<std::string> SingleRun::KeyForThisDisplay(const std::string& program) {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  std::string kind = platform ? platform : "";
  if (!kind.empty() && !kind.starts_with("xcb") && !kind.starts_with("wayland")) {
    return std::nullopt;
  }
  const char* display = std::getenv(kind.starts_with("wayland") ? "WAYLAND_DISPLAY" : "DISPLAY");
  if (!display || !*display) display = std::getenv("WAYLAND_DISPLAY");
  if (!display || !*display) return std::nullopt;
  std::string name = display;
  // ":0" and ":0.0" are one display.
  if (size_t colon = name.rfind(':'); colon != std::string::npos) {
    if (size_t dot = name.find('.', colon); dot != std::string::npos) name.erase(dot);
  }
  return program + "-" + std::to_string(getuid()) + "-" + name;
}

std::optional<int> SingleRun::Claim(const std::string& key) {
  socklen_t length = 0;
  sockaddr_un address = AddressOf(key, length);
  // A run that is just ending may still hold the name for a moment.
  for (int attempt = 0; attempt < 20; ++attempt) {
    int s = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (s < 0) return -1;
    if (bind(s, reinterpret_cast<const sockaddr*>(&address), length) == 0 && listen(s, 8) == 0) {
      return s;
    }
    int why = errno;
    close(s);
    if (why != EADDRINUSE) return -1;  // no claim to be had: run unguarded
    if (AskToComeForward(address, length)) return std::nullopt;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return -1;
}

bool SingleRun::TakeRequests(int claim) {
  bool any = false;
  for (;;) {
    int s = accept4(claim, nullptr, nullptr, SOCK_CLOEXEC);
    if (s < 0) return any;
    any = true;
    close(s);
  }
}

}  // namespace fw
