#include "framework/application/single_run.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
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

using Clock = std::chrono::steady_clock;

// How long a new start waits for the running one to say it came forward,
// and for one that is still starting, which answers once it runs.
constexpr auto kPatience = std::chrono::milliseconds(2000);
constexpr auto kPatienceWithAStart = std::chrono::seconds(30);
// What the lock file says of its holder.
constexpr char kStarting = 's';
constexpr char kAnswering = 'a';
// How soon a start knocks again at a run that holds the claim but does not
// listen: one that took it a moment ago, or one that is ending.
constexpr auto kKnockAgain = std::chrono::milliseconds(10);
// Requests taken in one go: a flood of them is worth no more than one.
constexpr int kRequestsAtOnce = 64;

struct Place {
  std::string lockPath;  // empty: the socket's abstract name is the lock
  std::string socketPath;
  sockaddr_un address{};
  socklen_t length = 0;
};

// The user's runtime folder, where it is one: the user's own, closed to
// others. One that is named but missing is made now, as the toolkit would
// make it once it runs: starts before and after must look in one place.
std::string PrivateFolder() {
  const char* folder = std::getenv("XDG_RUNTIME_DIR");
  if (!folder || *folder != '/') return {};
  mkdir(folder, 0700);
  struct stat info {};
  if (stat(folder, &info) != 0) return {};
  bool own = S_ISDIR(info.st_mode) && info.st_uid == getuid() && (info.st_mode & 077) == 0;
  return own ? folder : std::string();
}

Place PlaceOf(const std::string& key) {
  Place place;
  place.address.sun_family = AF_UNIX;
  constexpr size_t room = sizeof(place.address.sun_path) - 1;
  if (std::string folder = PrivateFolder();
      !folder.empty() && folder.size() + 1 + key.size() <= room) {
    place.socketPath = folder + "/" + key;
    place.lockPath = place.socketPath + ".lock";
    std::memcpy(place.address.sun_path, place.socketPath.data(), place.socketPath.size());
    place.length =
        static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + place.socketPath.size() + 1);
    return place;
  }
  // A leading NUL puts the name in the abstract namespace.
  size_t size = std::min(key.size(), room);
  std::memcpy(place.address.sun_path + 1, key.data(), size);
  place.length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + size);
  return place;
}

const sockaddr* AddressOf(const Place& place) {
  return reinterpret_cast<const sockaddr*>(&place.address);
}

bool SameUser(int connected) {
  ucred peer{};
  socklen_t size = sizeof peer;
  return getsockopt(connected, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == getuid();
}

int NewSocket() { return socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0); }

// A word lost costs later starts nothing but patience: the lock holds.
void Tell(int lock, char state) {
  if (pwrite(lock, &state, 1, 0) != 1) return;
}

enum class Lock { Taken, HeldByAnother, Unavailable };

Lock TakeLock(const Place& place, SingleRun::Held& held) {
  int fd = -1;
  if (place.lockPath.empty()) {
    fd = NewSocket();
    if (fd >= 0 && bind(fd, AddressOf(place), place.length) == 0) {
      held.requests = fd;
      return Lock::Taken;
    }
  } else {
    fd = open(place.lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd >= 0 && flock(fd, LOCK_EX | LOCK_NB) == 0) {
      held.lock = fd;
      Tell(fd, kStarting);
      return Lock::Taken;
    }
  }
  int why = errno;
  if (fd >= 0) close(fd);
  return why == EADDRINUSE || why == EWOULDBLOCK ? Lock::HeldByAnother : Lock::Unavailable;
}

// Where the socket cannot be had, the claim still holds: later starts
// then find nobody to ask and show their windows after a while.
void ListenForRequests(const Place& place, SingleRun::Held& held) {
  if (!place.lockPath.empty()) {
    // A socket left there is a dead run's: the lock is ours.
    struct stat info {};
    if (lstat(place.socketPath.c_str(), &info) == 0 && S_ISSOCK(info.st_mode)) {
      unlink(place.socketPath.c_str());
    }
    int s = NewSocket();
    if (s < 0) return;
    if (bind(s, AddressOf(place), place.length) != 0) {
      close(s);
      return;
    }
    held.requests = s;
  }
  listen(held.requests, 16);
}

bool HolderStarting(const Place& place) {
  if (place.lockPath.empty()) return false;
  int fd = open(place.lockPath.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  char state = 0;
  bool starting = fd >= 0 && pread(fd, &state, 1, 0) == 1 && state == kStarting;
  if (fd >= 0) close(fd);
  return starting;
}

// A run that is slow to start, on a busy machine, is waited for; one that
// answered before and no longer does is not.
struct Patience {
  Clock::time_point end = Clock::now() + kPatience;
  Clock::time_point endWithAStart = Clock::now() + kPatienceWithAStart;

  bool Over(const Place& place) {
    Clock::time_point now = Clock::now();
    if (now < end) return false;
    if (now >= endWithAStart || !HolderStarting(place)) return true;
    end = now + kPatience;
    return false;
  }
};

enum class Answer { CameForward, NotYet, Silent, Stranger };

Answer WaitForAnswer(int s, const Place& place, Patience& patience) {
  for (;;) {
    if (patience.Over(place)) return Answer::Silent;
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(patience.end - Clock::now());
    left = std::max(left, std::chrono::milliseconds(1));
    pollfd wait{s, POLLIN, 0};
    int ready = poll(&wait, 1, static_cast<int>(left.count()));
    if (ready == 0 || (ready < 0 && errno == EINTR)) continue;
    if (ready < 0) return Answer::Silent;
    char reply = 0;
    ssize_t got = recv(s, &reply, 1, 0);
    if (got == 1) return Answer::CameForward;
    if (got < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    // Hung up unanswered: the run is ending and gives the claim up.
    return Answer::NotYet;
  }
}

Answer AskToComeForward(const Place& place, Patience& patience) {
  int s = NewSocket();
  if (s < 0) return Answer::Silent;
  Answer answer = Answer::NotYet;
  if (connect(s, AddressOf(place), place.length) != 0) {
    // Nobody listens yet or any more, or the queue is full for a moment.
    if (errno != ECONNREFUSED && errno != ENOENT && errno != EAGAIN) answer = Answer::Silent;
  } else if (!SameUser(s)) {
    answer = Answer::Stranger;
  } else {
    // The running copy may answer and hang up before the request is even
    // sent, so a failed send still leaves its answer to be read.
    send(s, "f", 1, MSG_NOSIGNAL);
    answer = WaitForAnswer(s, place, patience);
  }
  close(s);
  return answer;
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

std::optional<SingleRun::Held> SingleRun::Claim(const std::string& key) {
  const Place place = PlaceOf(key);
  Patience patience;
  for (;;) {
    Held held;
    switch (TakeLock(place, held)) {
      case Lock::Taken:
        ListenForRequests(place, held);
        return held;
      case Lock::Unavailable:
        return Held{};
      case Lock::HeldByAnother:
        break;
    }
    switch (AskToComeForward(place, patience)) {
      case Answer::CameForward:
        return std::nullopt;
      case Answer::Silent:    // a run that hangs must not hide this one,
      case Answer::Stranger:  // nor a name that another user holds
        return Held{};
      case Answer::NotYet:
        if (patience.Over(place)) return Held{};
        std::this_thread::sleep_for(kKnockAgain);
        break;
    }
  }
}

void SingleRun::Answering(const Held& held) {
  if (held.lock >= 0) Tell(held.lock, kAnswering);
}

bool SingleRun::TakeRequests(const Held& held) {
  bool ours = false;
  for (int taken = 0; taken < kRequestsAtOnce; ++taken) {
    int s = accept4(held.requests, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (s < 0 && (errno == EINTR || errno == ECONNABORTED)) continue;
    if (s < 0) break;
    if (SameUser(s)) {
      ours = true;
      send(s, "k", 1, MSG_NOSIGNAL);
    }
    close(s);
  }
  return ours;
}

void SingleRun::Release(const Held& held) {
  if (held.requests >= 0) {
    sockaddr_un address{};
    socklen_t length = sizeof address;
    if (getsockname(held.requests, reinterpret_cast<sockaddr*>(&address), &length) == 0 &&
        length > offsetof(sockaddr_un, sun_path) && address.sun_path[0] != '\0') {
      unlink(address.sun_path);
    }
    // Starts still waiting for an answer see the hang-up and claim anew.
    close(held.requests);
  }
  if (held.lock >= 0) close(held.lock);
}

}  // namespace fw
