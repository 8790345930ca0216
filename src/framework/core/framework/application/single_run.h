#pragma once

#include <optional>
#include <string>

namespace fw {

// One run of a program per user and display, as a desktop expects of an
// application: a second start hands over to the first and ends.
//
// The claim is a lock on a file in the user's own runtime folder, held for
// the whole run: the kernel lets go of it however the run ends, so nothing
// a crash leaves behind is ever taken for a run. Beside it a socket takes
// later starts' requests to come forward; requests from other users are
// dropped unread. Where the user has no runtime folder of their own, a
// socket name in the abstract namespace is lock and socket at once; a name
// that another user holds stops no start. A run that holds the claim but
// does not answer keeps no new start from showing its windows.
class SingleRun {
 public:
  // What a run holds; -1 where it holds nothing (it runs unguarded).
  struct Held {
    int lock = -1;
    int requests = -1;  // the socket later starts knock at
  };

  // The claim's name for this program on this display, or nothing where
  // runs are independent (no display, or an offscreen platform for tests).
  static std::optional<std::string> KeyForThisDisplay(const std::string& program);

  // Claims the key: what this run holds, or nothing when another run of
  // this user holds it and has come forward.
  static std::optional<Held> Claim(const std::string& key);

  // Tells later starts that the run answers requests now. Until then they
  // take it for one still starting and wait longer for it.
  static void Answering(const Held& held);

  // Answers the requests that reached the socket: true when this user's
  // were among them.
  static bool TakeRequests(const Held& held);

  // Gives the claim up. The lock file stays: removing it would let two
  // starts lock two different files of the same name.
  static void Release(const Held& held);
};

}  // namespace fw
