#pragma once

#include <optional>
#include <string>

namespace fw {

// One run of a program per user and display, as a desktop expects of an
// application: a second start hands over to the first and ends.
//
// The claim is a listening socket in the abstract namespace, so it vanishes
// with the process that holds it, however that process ended: nothing left
// behind by a crashed run can block the next start.
class SingleRun {
 public:
  // The claim's name for this program on this display, or nothing where
  // runs are independent (no display, or an offscreen platform for tests).
  static std::optional<std::string> KeyForThisDisplay(const std::string& program);

  // Claims the key: the listening socket's descriptor, or nothing when
  // another run holds it; that run has then been asked to come forward.
  // -1 where no claim can be had at all: the run goes on unguarded.
  static std::optional<int> Claim(const std::string& key);

  // Takes the requests that reached a claim's socket; true when there was one.
  static bool TakeRequests(int claim);
};

}  // namespace fw
