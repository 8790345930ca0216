#include "recall/recall_score.h"

#include "framework/text/text.h"

namespace {

constexpr std::string_view kBlanks = " \t";

}  // namespace

bool IsBlank(std::string_view typed) { return typed.find_first_not_of(kBlanks) == typed.npos; }

std::optional<int32_t> RecallCount(std::string_view typed, int32_t keyPoints) {
  if (IsBlank(typed)) return 0;
  size_t first = typed.find_first_not_of(kBlanks);
  std::string_view digits = typed.substr(first, typed.find_last_not_of(kBlanks) - first + 1);
  int64_t count = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    count = count * 10 + (c - '0');
    // Stopped at once, so that no length of digits can overflow.
    if (count > keyPoints) return std::nullopt;
  }
  return static_cast<int32_t>(count);
}

double RecallPercentage(int32_t recalled, int32_t keyPoints) {
  return fw::Int32ToDouble(recalled) * 100.0 / fw::Int32ToDouble(keyPoints);
}

Feedback FeedbackFor(double percent, bool gistMissed) {
  if (gistMissed || !(50.0 < percent)) return Feedback::Wleistung0;
  if (!(70.0 < percent)) return Feedback::Wleistung51;
  if (percent < 90.0) return Feedback::Wleistung71;
  return Feedback::Wleistung90;
}
