// Mac Roman in both directions, the case-blind comparison and Asc. Mac Roman
// gives every byte a character, so reading any bytes must give one character
// per byte and writing them back the same bytes; the comparison must order
// texts consistently and, on well-formed UTF-8, as the case-folded code
// points do.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "framework/text/text.h"
#include "fuzz_check.h"

namespace {

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
std::optional<std::u32string> DecodeStrict(std::string_view text) {
  std::u32string out;
  for (size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    size_t length = 0;
    char32_t cp = 0;
    if (lead < 0x80) {
      length = 1, cp = lead;
    } else if ((lead & 0xE0) == 0xC0) {
      length = 2, cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3, cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4, cp = lead & 0x07;
    } else {
      return std::nullopt;
    }
    if (text.size() - i < length) return std::nullopt;
    for (size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return std::nullopt;
      cp = (cp << 6) | (next & 0x3F);
    }
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kSmallest[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      return std::nullopt;
    }
    out += cp;
    i += length;
  }
  return out;
}

int Sign(int v) { return (v > 0) - (v < 0); }

void CheckMacRomanBytes(std::string_view bytes) {
  const std::string text = fw::DefineEncoding(bytes, fw::Encodings::MacRoman);
  const auto characters = DecodeStrict(text);
  if (!characters) FuzzFail("Mac Roman read as text is not well-formed UTF-8");
  if (characters->size() != bytes.size())
    FuzzFail("Mac Roman read as text lost or gained characters");
  for (size_t i = 0; i < bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (byte < 0x80)
      FUZZ_CHECK((*characters)[i] == byte);  // ASCII is its own
    else
      FUZZ_CHECK((*characters)[i] >= 0x80);
  }
  if (fw::ConvertToMacRoman(text) != bytes)
    FuzzFail("Mac Roman does not survive the way there and back");
  FUZZ_CHECK(fw::Asc(text) == (bytes.empty() ? 0 : static_cast<int32_t>((*characters)[0])));
}

void CheckToMacRoman(std::string_view text) {
  const std::string bytes = fw::ConvertToMacRoman(text);
  // One byte for each character, or one '?' for a run of bytes it cannot take.
  FUZZ_CHECK(bytes.size() <= text.size());
  if (const auto characters = DecodeStrict(text)) {
    FUZZ_CHECK(bytes.size() == characters->size());
    for (size_t i = 0; i < characters->size(); ++i) {
      if ((*characters)[i] < 0x80)
        FUZZ_CHECK(static_cast<unsigned char>(bytes[i]) == (*characters)[i]);
    }
  }
  CheckMacRomanBytes(bytes);
}

char32_t Fold(char32_t c) {
  if (c >= U'A' && c <= U'Z') return c + 0x20;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;
  return c;
}

std::string AsciiCapitals(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

void CheckCompare(std::string_view a, std::string_view b, std::string_view c) {
  const auto cmp = [](std::string_view x, std::string_view y) {
    return Sign(fw::RuntimeStringCompare(x, y));
  };
  FUZZ_CHECK(cmp(a, a) == 0);
  FUZZ_CHECK(cmp(a, b) == -cmp(b, a));
  FUZZ_CHECK(cmp(a, AsciiCapitals(a)) == 0);
  const int ab = cmp(a, b), bc = cmp(b, c), ac = cmp(a, c);
  if (ab == bc) FUZZ_CHECK(ac == ab);  // equal to equal, or a chain one way
  if (ab == 0) FUZZ_CHECK(ac == bc);

  const auto x = DecodeStrict(a);
  const auto y = DecodeStrict(b);
  if (x && y) {
    std::u32string fx = *x, fy = *y;
    std::transform(fx.begin(), fx.end(), fx.begin(), Fold);
    std::transform(fy.begin(), fy.end(), fy.begin(), Fold);
    FUZZ_CHECK(ab == Sign(fx.compare(fy)));
  }
}

void CheckAsc(std::string_view text) {
  const int32_t code = fw::Asc(text);
  if (text.empty()) {
    FUZZ_CHECK(code == 0);
    return;
  }
  const auto lead = static_cast<unsigned char>(text[0]);
  if (lead < 0x80) FUZZ_CHECK(code == lead);
  if (const auto characters = DecodeStrict(text))
    FUZZ_CHECK(code == static_cast<int32_t>((*characters)[0]));
  FUZZ_CHECK(code > 0 || lead == 0);
  FUZZ_CHECK(code <= 0x10FFFF);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  CheckMacRomanBytes(input);
  CheckToMacRoman(input);
  CheckAsc(input);
  // Three texts out of one input, cut where its first two bytes say.
  if (size >= 2) {
    const std::string_view rest = input.substr(2);
    const size_t cutA = data[0] % (rest.size() + 1);
    const size_t cutB = cutA + data[1] % (rest.size() - cutA + 1);
    CheckCompare(rest.substr(0, cutA), rest.substr(cutA, cutB - cutA), rest.substr(cutB));
  }
  return 0;
}
