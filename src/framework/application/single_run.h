#pragma once

#include <optional>
#include <string>

namespace fw {

// One run of a program per user and display, as a desktop expects of an
// application: a second start hands over to the first and ends.
//
// The claim is a listening socket in the user's own runtime folder, which
// no other user can reach; where there is no such folder, a socket in the
// abstract namespace whose holder must be the same user. A claim left by a
// run that crashed is taken over, and a run that holds the claim but does
// not answer keeps no new start from showing its windows.
class SingleRun {
 public:
  // The claim's name for this program on this display, or nothing where
  // runs are independent (no display, or an offscreen platform for tests).
  static std::optional<std::string> KeyForThisDisplay(const std::string& program);

  // Claims the key: the listening socket's descriptor, or nothing when
  // another run of this user holds it and has come forward. -1 where no
  // claim can be had: the run goes on unguarded.
  static std::optional<int> Claim(const std::string& key);

  // Answers the requests that reached a claim's socket; true when there was one.
  static bool TakeRequests(int claim);

  // Gives the claim up, leaving nothing behind.
  static void Release(int claim);
};

}  // namespace fw
