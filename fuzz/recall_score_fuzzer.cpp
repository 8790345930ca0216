// The recall check's scoring, key by key as the points field is typed: the
// text so far is read as a count, a text that is no count from 0 to the key
// points is refused and the last accepted one stays, and the percentage
// picks the feedback. The feedback chosen from the percentage must be the
// one that exact integer arithmetic gives for the same count.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>

#include "fuzz_check.h"
#include "recall/recall_score.h"

namespace {

using Band = Feedback;

// The same bands as a comparison of whole numbers, 100 × recalled against
// the key points times the bounds.
Band ExactBand(int32_t recalled, int32_t keyPoints) {
  const int64_t share = int64_t{recalled} * 100;
  const int64_t k = keyPoints;
  if (share <= 50 * k) return Band::Wleistung0;
  if (share <= 70 * k) return Band::Wleistung51;
  if (share < 90 * k) return Band::Wleistung71;
  return Band::Wleistung90;
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
    if (std::optional<int32_t> count = RecallCount(text, keyPoints)) recalled = *count;
    FUZZ_CHECK(recalled >= 0 && recalled <= keyPoints);
    CheckPercentage(recalled, keyPoints);
    if (keyPoints == 0) return;
    const double percent = RecallPercentage(recalled, keyPoints);
    FUZZ_CHECK(percent <= 100.0);
    if (FeedbackFor(percent, false) != ExactBand(recalled, keyPoints))
      FuzzFail("the feedback does not match the share of key points");
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
