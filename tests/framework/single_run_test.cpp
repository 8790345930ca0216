#include "framework/application/single_run.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>

// One run of a program per user and display.
namespace {

using fw::SingleRun;

std::string UniqueKey() { return "single-run-test-" + std::to_string(getpid()); }

TEST(SingleRunTest, SecondStartHandsOverAndEndsWhileTheFirstRuns) {
  std::optional<int> first = SingleRun::Claim(UniqueKey());
  ASSERT_TRUE(first && *first >= 0);
  EXPECT_FALSE(SingleRun::TakeRequests(*first));

  EXPECT_FALSE(SingleRun::Claim(UniqueKey())) << "a second start must not run";
  EXPECT_TRUE(SingleRun::TakeRequests(*first)) << "the first run was asked to come forward";
  EXPECT_FALSE(SingleRun::TakeRequests(*first));

  // A run that ended, however it ended, leaves nothing behind.
  close(*first);
  std::optional<int> next = SingleRun::Claim(UniqueKey());
  ASSERT_TRUE(next && *next >= 0);
  close(*next);
}

TEST(SingleRunTest, RunsOnOtherDisplaysOrOffscreenAreIndependent) {
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
