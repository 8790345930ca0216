#include "framework/application/single_run.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
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
  explicit AnsweringRun(int claim)
      : loop([this, claim] {
          while (!stop) {
            pollfd wait{claim, POLLIN, 0};
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

TEST_F(SingleRunTest, SecondStartHandsOverAndEndsWhileTheFirstRuns) {
  std::optional<int> first = SingleRun::Claim(UniqueKey());
  ASSERT_TRUE(first && *first >= 0);
  EXPECT_FALSE(SingleRun::TakeRequests(*first));
  {
    AnsweringRun run(*first);
    EXPECT_FALSE(SingleRun::Claim(UniqueKey())) << "a second start must not run";
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(run.answered, 1) << "the first run was asked to come forward";
  }
  SingleRun::Release(*first);
  EXPECT_FALSE(std::filesystem::exists(folder + "/" + UniqueKey()));
  std::optional<int> next = SingleRun::Claim(UniqueKey());
  ASSERT_TRUE(next && *next >= 0);
  SingleRun::Release(*next);
}

TEST_F(SingleRunTest, CrashedOrHangingRunKeepsNoNewStartFromRunning) {
  // A crash leaves the socket file, on which nobody listens.
  std::optional<int> crashed = SingleRun::Claim(UniqueKey());
  ASSERT_TRUE(crashed && *crashed >= 0);
  close(*crashed);
  std::optional<int> after = SingleRun::Claim(UniqueKey());
  ASSERT_TRUE(after && *after >= 0);

  // This one holds the claim and never answers.
  auto started = std::chrono::steady_clock::now();
  std::optional<int> beside = SingleRun::Claim(UniqueKey());
  auto waited = std::chrono::steady_clock::now() - started;
  EXPECT_EQ(beside, -1) << "runs unguarded";
  EXPECT_LT(waited, std::chrono::milliseconds(2500));
  SingleRun::Release(*after);
}

TEST_F(SingleRunTest, AnotherUserCannotTakeTheClaim) {
  if (getuid() != 0) GTEST_SKIP() << "needs root to act as another user";
  // Another user binds the name in the abstract namespace that a run without
  // a runtime folder would use.
  const std::string key = UniqueKey();
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  pid_t other = fork();
  ASSERT_GE(other, 0);
  if (other == 0) {
    if (setuid(65534) != 0) _exit(1);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path + 1, key.data(), key.size());
    int s = socket(AF_UNIX, SOCK_STREAM, 0);
    auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + key.size());
    if (bind(s, reinterpret_cast<sockaddr*>(&address), length) != 0 || listen(s, 8) != 0) _exit(1);
    if (write(ready[1], "r", 1) != 1) _exit(1);
    for (;;) pause();
  }
  char byte = 0;
  ASSERT_EQ(read(ready[0], &byte, 1), 1);

  // In the user's own folder the claim is out of the other's reach...
  std::optional<int> own = SingleRun::Claim(key);
  EXPECT_TRUE(own && *own >= 0);
  if (own) SingleRun::Release(*own);
  // ...and without one, a name held by another user stops no start.
  unsetenv("XDG_RUNTIME_DIR");
  EXPECT_EQ(SingleRun::Claim(key), -1);

  kill(other, SIGKILL);
  waitpid(other, nullptr, 0);
  close(ready[0]);
  close(ready[1]);
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
