#include "framework/application/single_run.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace fw {

namespace {

// How long a new start waits for the running one to say it came forward.
constexpr int kPatienceMs = 2000;

struct Place {
  sockaddr_un address{};
  socklen_t length = 0;
  std::string path;  // empty in the abstract namespace
};

// The user's runtime folder, where it is one: the user's own, closed to others.
std::string PrivateFolder() {
  const char* folder = std::getenv("XDG_RUNTIME_DIR");
  struct stat info {};
  if (!folder || *folder != '/' || stat(folder, &info) != 0) return {};
  bool own = S_ISDIR(info.st_mode) && info.st_uid == getuid() && (info.st_mode & 077) == 0;
  return own ? folder : std::string();
}

Place PlaceOf(const std::string& key) {
  Place place;
  place.address.sun_family = AF_UNIX;
  constexpr size_t room = sizeof(place.address.sun_path) - 1;
  if (std::string folder = PrivateFolder();
      !folder.empty() && folder.size() + 1 + key.size() <= room) {
    place.path = folder + "/" + key;
    std::memcpy(place.address.sun_path, place.path.data(), place.path.size());
    place.length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + place.path.size() + 1);
    return place;
  }
  // A leading NUL puts the name in the abstract namespace.
  size_t size = std::min(key.size(), room);
  std::memcpy(place.address.sun_path + 1, key.data(), size);
  place.length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + size);
  return place;
}

bool HeldBySameUser(int connected) {
  ucred peer{};
  socklen_t size = sizeof peer;
  return getsockopt(connected, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == getuid();
}

enum class Answer { CameForward, Silent, Nobody };

Answer WaitForAnswer(int s) {
  auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(kPatienceMs);
  for (;;) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        end - std::chrono::steady_clock::now());
    if (left.count() <= 0) return Answer::Silent;
    pollfd wait{s, POLLIN, 0};
    int ready = poll(&wait, 1, static_cast<int>(left.count()));
    if (ready < 0 && errno == EINTR) continue;
    char reply = 0;
    if (ready == 1 && recv(s, &reply, 1, 0) == 1) return Answer::CameForward;
    return Answer::Silent;
  }
}

Answer AskToComeForward(const Place& place) {
  int s = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (s < 0) return Answer::Silent;
  Answer answer = Answer::Silent;
  if (connect(s, reinterpret_cast<const sockaddr*>(&place.address), place.length) != 0) {
    // Refused: nobody listens (a run ending, or one that crashed). A full
    // queue (EAGAIN) is a run that takes no requests.
    if (errno == ECONNREFUSED || errno == ENOENT) answer = Answer::Nobody;
  } else if (HeldBySameUser(s)) {  // another user's socket is no claim of ours: Silent
    // The running copy may answer and hang up before the request is even
    // sent, so a failed send still leaves its answer to be read.
    send(s, "f", 1, MSG_NOSIGNAL);
    answer = WaitForAnswer(s);
  }
  close(s);
  return answer;
}

// A socket file that no run listens on any more; anything else stays.
bool RemoveStaleSocket(const std::string& path) {
  struct stat info {};
  return lstat(path.c_str(), &info) == 0 && S_ISSOCK(info.st_mode) && info.st_uid == getuid() &&
         unlink(path.c_str()) == 0;
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
  // No slash: the key names a file in the runtime folder.
  std::ranges::replace(name, '/', '_');
  return program + "-" + std::to_string(getuid()) + "-" + name;
}

std::optional<int> SingleRun::Claim(const std::string& key) {
  Place place = PlaceOf(key);
  for (int attempt = 0; attempt < 20; ++attempt) {
    int s = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (s < 0) return -1;
    if (bind(s, reinterpret_cast<const sockaddr*>(&place.address), place.length) == 0 &&
        listen(s, 8) == 0) {
      return s;
    }
    int why = errno;
    close(s);
    if (why != EADDRINUSE) return -1;  // no claim to be had: run unguarded
    switch (AskToComeForward(place)) {
      case Answer::CameForward:
        return std::nullopt;
      case Answer::Silent:  // a run that hangs must not hide this one, nor a stranger's
        return -1;
      case Answer::Nobody:
        // A crashed run's file is taken over; an abstract name is held for
        // a moment by a run that is just ending.
        if (!place.path.empty()) {
          if (!RemoveStaleSocket(place.path)) return -1;
        } else {
          std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        break;
    }
  }
  return -1;
}

bool SingleRun::TakeRequests(int claim) {
  bool any = false;
  for (;;) {
    int s = accept4(claim, nullptr, nullptr, SOCK_CLOEXEC);
    if (s < 0) return any;
    any = true;
    send(s, "k", 1, MSG_NOSIGNAL | MSG_DONTWAIT);
    close(s);
  }
}

void SingleRun::Release(int claim) {
  if (claim < 0) return;
  sockaddr_un address{};
  socklen_t length = sizeof address;
  if (getsockname(claim, reinterpret_cast<sockaddr*>(&address), &length) == 0 &&
      length > offsetof(sockaddr_un, sun_path) && address.sun_path[0] != '\0') {
    unlink(address.sun_path);
  }
  close(claim);
}

}  // namespace fw
