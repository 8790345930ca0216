#include "framework/application/single_run.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <future>
#include <string>
#include <thread>

// One run of a program per user and display.
namespace {

using fw::SingleRun;

std::string UniqueKey() { return "single-run-test-" + std::to_string(getpid()); }

// The runtime folder of the test's user, made for each test and gone after it.
class SingleRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* kept = std::getenv("XDG_RUNTIME_DIR");
    keptFolder_ = kept ? kept : "";
    hadFolder_ = kept != nullptr;
    char pattern[] = "/tmp/single-run-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder = pattern;
    setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
  }
  void TearDown() override {
    std::filesystem::remove_all(folder);
    if (hadFolder_) {
      setenv("XDG_RUNTIME_DIR", keptFolder_.c_str(), 1);
    } else {
      unsetenv("XDG_RUNTIME_DIR");
    }
  }

  std::string folder;

 private:
  std::string keptFolder_;
  bool hadFolder_ = false;
};

// The first run's event loop: answers each start that asks, until told to stop.
struct AnsweringRun {
  explicit AnsweringRun(SingleRun::Held claim)
      : loop([this, claim] {
          while (!stop) {
            pollfd wait{claim.requests, POLLIN, 0};
            if (poll(&wait, 1, 20) == 1 && SingleRun::TakeRequests(claim)) ++answered;
          }
        }) {}
  ~AnsweringRun() {
    stop = true;
    loop.join();
  }
  std::atomic<bool> stop = false;
  std::atomic<int> answered = 0;
  std::thread loop;
};

bool Guarded(const std::optional<SingleRun::Held>& held) {
  return held && (held->lock >= 0 || held->requests >= 0);
}

// A crash leaves the socket file, on which nobody listens.
void CrashedRun(const std::string& key) {
  std::optional<SingleRun::Held> crashed = SingleRun::Claim(key);
  ASSERT_TRUE(Guarded(crashed));
  close(crashed->lock);
  close(crashed->requests);
}

// The runtime folder is missing at the first start; the toolkit makes it
// later, before the second.
TEST_F(SingleRunTest, SecondStartHandsOverAndEndsWhileTheFirstRuns) {
  const std::string place = folder + "/made-by-the-toolkit";
  setenv("XDG_RUNTIME_DIR", place.c_str(), 1);
  std::optional<SingleRun::Held> first = SingleRun::Claim(UniqueKey());
  ASSERT_TRUE(Guarded(first));
  mkdir(place.c_str(), 0700);
  EXPECT_FALSE(SingleRun::TakeRequests(*first));
  {
    AnsweringRun run(*first);
    EXPECT_FALSE(SingleRun::Claim(UniqueKey())) << "a second start must not run";
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(run.answered, 1) << "the first run was asked to come forward";
  }
  SingleRun::Release(*first);
  EXPECT_FALSE(std::filesystem::exists(place + "/" + UniqueKey()));
  std::optional<SingleRun::Held> next = SingleRun::Claim(UniqueKey());
  ASSERT_TRUE(Guarded(next));
  SingleRun::Release(*next);
}

TEST_F(SingleRunTest, CrashedOrHangingRunKeepsNoNewStartFromRunning) {
  ASSERT_NO_FATAL_FAILURE(CrashedRun(UniqueKey()));
  std::optional<SingleRun::Held> after = SingleRun::Claim(UniqueKey());
  ASSERT_TRUE(Guarded(after));

  // Slow to start on a busy machine, it is waited for.
  auto second = std::async(std::launch::async, [] { return SingleRun::Claim(UniqueKey()); });
  std::this_thread::sleep_for(std::chrono::milliseconds(2500));
  {
    AnsweringRun run(*after);
    EXPECT_FALSE(second.get()) << "a second start beside a run still starting";
  }

  // Once it answered, it holds the claim and never answers again.
  SingleRun::Answering(*after);
  auto started = std::chrono::steady_clock::now();
  std::optional<SingleRun::Held> beside = SingleRun::Claim(UniqueKey());
  auto waited = std::chrono::steady_clock::now() - started;
  EXPECT_TRUE(beside && !Guarded(beside)) << "runs unguarded";
  EXPECT_LT(waited, std::chrono::milliseconds(2500));
  SingleRun::Release(*after);
}

// Three starts at the same moment, as from a triple click on a launcher,
// whatever a crashed run left: one runs, the others hand over to it.
TEST_F(SingleRunTest, OfStartsRacingExactlyOneRuns) {
  for (const char* before : {"nothing", "a crash"}) {
    for (int round = 0; round < 100; ++round) {
      std::string key = UniqueKey();
      if (before == std::string("a crash")) {
        ASSERT_NO_FATAL_FAILURE(CrashedRun(key));
      }
      int go[2], told[2], stop[2];
      ASSERT_EQ(pipe(go) | pipe(told) | pipe(stop), 0);
      pid_t starts[3];
      for (pid_t& start : starts) {
        start = fork();
        if (start != 0) continue;
        for (int end : {go[1], told[0], stop[1]}) close(end);
        char byte;
        if (read(go[0], &byte, 1) != 0) _exit(2);
        std::optional<SingleRun::Held> held = SingleRun::Claim(key);
        byte = !held ? 'f' : Guarded(held) ? 'r' : 'u';
        if (write(told[1], &byte, 1) != 1) _exit(2);
        // The running one answers until all have said how they started.
        for (pollfd wait[2]{{stop[0], POLLIN, 0}, {held ? held->requests : -1, POLLIN, 0}};
             !(wait[0].revents & POLLHUP) && poll(wait, 2, -1) > 0;) {
          if (wait[1].revents & POLLIN) SingleRun::TakeRequests(*held);
        }
        if (held) SingleRun::Release(*held);
        _exit(0);
      }
      for (int end : {go[0], told[1], stop[0], go[1]}) close(end);
      std::string how;
      for (char byte; how.size() < 3 && read(told[0], &byte, 1) == 1;) how += byte;
      std::ranges::sort(how);
      EXPECT_EQ(how, "ffr") << before << ", round " << round;
      close(stop[1]);
      close(told[0]);
      for (pid_t start : starts) waitpid(start, nullptr, 0);
    }
  }
}

// Without a runtime folder the claim is a name that every user can reach.
TEST_F(SingleRunTest, AnotherUserIsNeitherHeardNorStopsAStart) {
  if (getuid() != 0) GTEST_SKIP() << "needs root to act as another user";
  const std::string key = UniqueKey();
  unsetenv("XDG_RUNTIME_DIR");
  std::optional<SingleRun::Held> own = SingleRun::Claim(key);
  ASSERT_TRUE(Guarded(own));
  int told[2], go[2];
  ASSERT_EQ(pipe(told) | pipe(go), 0);
  pid_t other = fork();
  ASSERT_GE(other, 0);
  if (other == 0) {
    close(own->requests);
    auto must = [](bool done) { done || (_exit(1), false); };
    must(setuid(65534) == 0);
    sockaddr_un address{.sun_family = AF_UNIX, .sun_path = {}};
    std::memcpy(address.sun_path + 1, key.data(), key.size());
    auto* at = reinterpret_cast<sockaddr*>(&address);
    auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + key.size());
    // A request to come forward, unanswered; then the name, once the run gives it up.
    int s = socket(AF_UNIX, SOCK_STREAM, 0);
    char byte = 'f';
    must(connect(s, at, length) == 0 && send(s, &byte, 1, 0) == 1 && write(told[1], "c", 1) == 1);
    byte = recv(s, &byte, 1, 0) == 1 ? 'a' : 'e';
    s = socket(AF_UNIX, SOCK_STREAM, 0);
    must(write(told[1], &byte, 1) == 1 && read(go[0], &byte, 1) == 1 && bind(s, at, length) == 0 &&
         listen(s, 8) == 0 && write(told[1], "r", 1) == 1);
    for (;;) pause();
  }
  close(told[1]);
  close(go[0]);
  char byte = 0;
  ASSERT_EQ(read(told[0], &byte, 1), 1);
  EXPECT_FALSE(SingleRun::TakeRequests(*own)) << "another user's request is no request";
  ASSERT_EQ(read(told[0], &byte, 1), 1);
  EXPECT_EQ(byte, 'e') << "another user got an answer";
  SingleRun::Release(*own);
  ASSERT_EQ(write(go[1], "g", 1), 1);
  ASSERT_EQ(read(told[0], &byte, 1), 1);
  std::optional<SingleRun::Held> beside = SingleRun::Claim(key);
  EXPECT_TRUE(beside && !Guarded(beside)) << "a name held by another user stops no start";

  kill(other, SIGKILL);
  waitpid(other, nullptr, 0);
  close(told[0]);
  close(go[1]);
}

TEST(SingleRunKeyTest, RunsOnOtherDisplaysOrOffscreenAreIndependent) {
  const char* keptPlatform = std::getenv("QT_QPA_PLATFORM");
  std::string platform = keptPlatform ? keptPlatform : "";
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  EXPECT_FALSE(SingleRun::KeyForThisDisplay("prog"));

  setenv("QT_QPA_PLATFORM", "xcb", 1);
  setenv("DISPLAY", ":5.0", 1);
  auto onFive = SingleRun::KeyForThisDisplay("prog");
  setenv("DISPLAY", ":5", 1);
  EXPECT_EQ(SingleRun::KeyForThisDisplay("prog"), onFive);
  setenv("DISPLAY", ":6", 1);
  EXPECT_NE(SingleRun::KeyForThisDisplay("prog"), onFive);
  EXPECT_NE(SingleRun::KeyForThisDisplay("other"), SingleRun::KeyForThisDisplay("prog"));

  unsetenv("DISPLAY");
  unsetenv("WAYLAND_DISPLAY");
  EXPECT_FALSE(SingleRun::KeyForThisDisplay("prog"));
  setenv("QT_QPA_PLATFORM", platform.c_str(), 1);
}

}  // namespace
