// The recall check's scoring, key by key as the points field is typed: the
// text so far is read as a count, a count above the key points is refused
// and the last accepted one stays, and the percentage picks the feedback.
// The band chosen from the percentage (in the order the window applies the
// four texts, the last one written winning) must be the one that exact
// integer arithmetic gives for the same count.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "framework/text/text.h"
#include "fuzz_check.h"
#include "recall/recall_score.h"

namespace {

enum class Band { kBelow51, k51To70, k71To89, k90Up };

// The feedback the recall window leaves in the result window.
Band ChosenBand(double percent) {
  Band shown = Band::kBelow51;
  if (!(50.0 < percent)) shown = Band::kBelow51;
  if (50.0 < percent && !(70.0 < percent)) shown = Band::k51To70;
  if (70.0 < percent && percent < 90.0) shown = Band::k71To89;
  if (!(percent < 90.0)) shown = Band::k90Up;
  return shown;
}

// The same bands as a comparison of whole numbers, 100 × recalled against
// the key points times the bounds.
Band ExactBand(int32_t recalled, int32_t keyPoints) {
  const int64_t share = int64_t{recalled} * 100;
  const int64_t k = keyPoints;
  if (share <= 50 * k) return Band::kBelow51;
  if (share <= 70 * k) return Band::k51To70;
  if (share < 90 * k) return Band::k71To89;
  return Band::k90Up;
}

void CheckPercentage(int32_t recalled, int32_t keyPoints) {
  const double percent = RecallPercentage(recalled, keyPoints);
  if (keyPoints == 0) return;  // no key points: no share to check
  FUZZ_CHECK(std::isfinite(percent));
  const int64_t share = int64_t{recalled} * 100;
  // Where the product fits an Int32 the result is that of Int32 arithmetic.
  if (share >= INT32_MIN && share <= INT32_MAX) {
    FUZZ_CHECK(percent == static_cast<double>(share) / keyPoints);
  }
  FUZZ_CHECK((percent > 0) == ((share > 0) == (keyPoints > 0) && share != 0));
}

// Key points as the catalogue has them, and the 0 of a recall window that
// no code entry filled in.
int32_t KeyPoints(uint8_t byte) {
  const int32_t choice = byte % 15;
  return choice == 0 ? 0 : choice + 3;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const int32_t keyPoints = KeyPoints(data[0]);
  const std::string_view typed(reinterpret_cast<const char*>(data) + 1, size - 1);

  int32_t recalled = 0;
  const auto score = [&](std::string_view text) {
    const int32_t count = fw::DoubleToInt32(fw::Val(text));
    if (count <= keyPoints) recalled = count;
    CheckPercentage(recalled, keyPoints);
    if (keyPoints == 0) return;
    const double percent = RecallPercentage(recalled, keyPoints);
    FUZZ_CHECK(percent <= 100.0);
    if (ChosenBand(percent) != ExactBand(recalled, keyPoints)) FuzzFail("the feedback does not match the share of key points");
  };
  // Scored on every key release; a long paste is scored once, as a whole.
  const size_t keys = std::min<size_t>(typed.size(), 64);
  for (size_t n = 1; n <= keys; ++n) score(typed.substr(0, n));
  if (typed.empty() || typed.size() > keys) score(typed);

  // The arithmetic alone, on any pair of Int32 values.
  if (size >= 9) {
    int32_t a = 0, b = 0;
    std::memcpy(&a, data + 1, sizeof a);
    std::memcpy(&b, data + 5, sizeof b);
    CheckPercentage(a, b);
  }
  return 0;
}
