// Val, DoubleToInt32 and Str against an independent reading of the same
// rules: Val takes the longest leading number (blanks and tabs, sign,
// digits with an optional fraction, an exponent only when it has digits),
// gives 0 without one, and is always finite; DoubleToInt32 truncates and
// saturates.

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>
#include <system_error>

#include "framework/text/text.h"
#include "fuzz_check.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

size_t Digits(std::string_view t, size_t pos) {
  while (pos < t.size() && IsDigit(t[pos])) ++pos;
  return pos;
}

// The number as the grammar above reads it, converted by std::from_chars
// rather than strtod.
void CheckVal(std::string_view text) {
  const double value = fw::Val(text);
  FUZZ_CHECK(std::isfinite(value));

  size_t pos = 0;
  while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
  const size_t intEnd = Digits(text, pos);
  std::string number(text.substr(pos, intEnd - pos));
  pos = intEnd;
  std::string fraction;
  if (pos < text.size() && text[pos] == '.') {
    const size_t fracEnd = Digits(text, pos + 1);
    fraction = text.substr(pos + 1, fracEnd - pos - 1);
    pos = fracEnd;
  }
  if (number.empty() && fraction.empty()) {
    FUZZ_CHECK(value == 0);
    return;
  }
  std::string exponent;
  if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
    size_t e = pos + 1;
    if (e < text.size() && (text[e] == '+' || text[e] == '-')) ++e;
    if (e < text.size() && IsDigit(text[e]))
      exponent = text.substr(pos + 1, Digits(text, e) - pos - 1);
  }
  if (number.empty()) number = "0";
  if (!fraction.empty()) number += "." + fraction;
  if (!exponent.empty()) number += "e" + exponent;

  double expected = 0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), expected);
  FUZZ_CHECK(end == number.data() + number.size());
  if (error == std::errc::result_out_of_range) {
    // Beyond the doubles: saturated, or too small to be anything but zero.
    FUZZ_CHECK(std::signbit(value) == negative);
    FUZZ_CHECK(std::fabs(value) == DBL_MAX || std::fabs(value) <= DBL_MIN);
    return;
  }
  FUZZ_CHECK(error == std::errc());
  if (negative) expected = -expected;
  FUZZ_CHECK(value == expected);
}

void CheckDoubleToInt32(double value) {
  using Limits = std::numeric_limits<int32_t>;
  const int32_t result = fw::DoubleToInt32(value);
  if (std::isnan(value)) {
    FUZZ_CHECK(result == 0);
  } else if (value >= Limits::max()) {
    FUZZ_CHECK(result == Limits::max());
  } else if (value <= Limits::min()) {
    FUZZ_CHECK(result == Limits::min());
  } else {
    FUZZ_CHECK(static_cast<double>(result) == std::trunc(value));
  }
  // What Str writes, Val reads back.
  FUZZ_CHECK(fw::Val(fw::Str(result)) == result);
}

void CheckStr(double value) {
  const std::string written = fw::Str(value);
  FUZZ_CHECK(!written.empty());
  if (!std::isfinite(value)) return;
  const double read = fw::Val(written);
  // Seven significant digits: the text is within one part in 10^6 (give or
  // take the spacing of the smallest doubles).
  FUZZ_CHECK(std::fabs(read - value) <=
             std::fabs(value) * 1e-6 + std::numeric_limits<double>::denorm_min());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  CheckVal(text);
  CheckDoubleToInt32(fw::Val(text));
  CheckStr(fw::Val(text));
  // The same bytes as a double, for the values no text gives: NaN, infinities.
  if (size >= sizeof(double)) {
    double raw = 0;
    std::memcpy(&raw, data, sizeof raw);
    CheckDoubleToInt32(raw);
    CheckStr(raw);
  }
  return 0;
}
