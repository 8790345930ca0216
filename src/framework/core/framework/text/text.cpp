#include "framework/text/text.h"

#include <iconv.h>
#include <locale.h>

#include <algorithm>
#include <cerrno>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

#include "framework/runtime/exceptions.h"

namespace fw {

namespace {

struct Character {
  char32_t codePoint;  // the byte itself when not well formed
  size_t length;
  bool wellFormed;
};

// Overlong forms, surrogates and cut-off sequences are not characters: each
// of their bytes stands alone, so that no input can make a reader skip past
// the end or merge bytes that were never one character.
Character DecodeUtf8(std::string_view text, size_t pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  const Character stray{lead, 1, false};
  if (lead < 0x80) return {lead, 1, true};
  size_t length = 0;
  char32_t codePoint = 0;
  char32_t smallest = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, codePoint = lead & 0x1Fu, smallest = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, codePoint = lead & 0x0Fu, smallest = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, codePoint = lead & 0x07u, smallest = 0x10000;
  } else {
    return stray;
  }
  if (text.size() - pos < length) return stray;
  for (size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[pos + i]);
    if ((next & 0xC0u) != 0x80u) return stray;
    codePoint = (codePoint << 6) | (next & 0x3Fu);
  }
  if (codePoint < smallest || codePoint > 0x10FFFF ||
      (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
    return stray;
  }
  return {codePoint, length, true};
}

char32_t FoldCase(char32_t c) {
  const bool asciiCapital = c >= U'A' && c <= U'Z';
  const bool latin1Capital = c >= 0xC0 && c <= 0xDE && c != 0xD7;  // 0xD7 is '×'
  return asciiCapital || latin1Capital ? c + 0x20 : c;
}

// Malformed bytes sort after every character and never equal one, so a
// broken "\xC4" does not pass for the letter 'Ä' (U+00C4).
char32_t ComparableCharacter(const Character& c) {
  return c.wellFormed ? FoldCase(c.codePoint) : 0x110000 + c.codePoint;
}

int Sign(char32_t a, char32_t b) { return a < b ? -1 : a > b ? 1 : 0; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

size_t SkipDigits(std::string_view text, size_t pos) {
  while (pos < text.size() && IsDigit(text[pos])) ++pos;
  return pos;
}

// strtod follows the process locale, which a German desktop sets to ','.
locale_t CLocale() {
  struct Holder {
    locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t{});
    ~Holder() {
      if (locale) freelocale(locale);
    }
  };
  static const Holder holder;
  if (!holder.locale) throw RuntimeException("Das Zahlenformat „C“ steht nicht zur Verfügung.");
  return holder.locale;
}

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(static_cast<intptr_t>(-1))) {
      throw RuntimeException(std::string("Die Umwandlung von „") + from + "“ nach „" + to +
                             "“ steht auf diesem System nicht zur Verfügung.");
    }
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Each character that cannot be converted becomes '?'; `skip` says how
  // many input bytes that character occupies.
  std::string Convert(std::string_view input, size_t (*skip)(std::string_view rest)) const {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    std::string output;
    // iconv takes a non-const input pointer but never writes through it.
    char* in = const_cast<char*>(input.data());
    size_t inLeft = input.size();
    while (inLeft > 0) {
      char buffer[1024];
      char* out = buffer;
      size_t outLeft = sizeof buffer;
      const size_t result = iconv(cd_, &in, &inLeft, &out, &outLeft);
      output.append(buffer, static_cast<size_t>(out - buffer));
      if (result != static_cast<size_t>(-1) || errno == E2BIG) continue;
      output += '?';
      const size_t skipped =
          errno == EINVAL ? inLeft : std::clamp<size_t>(skip({in, inLeft}), 1, inLeft);
      in += skipped;
      inLeft -= skipped;
    }
    return output;
  }

 private:
  iconv_t cd_;
};

size_t OneByte(std::string_view) { return 1; }
size_t OneUtf8Character(std::string_view rest) { return DecodeUtf8(rest, 0).length; }

}  // namespace

int32_t Asc(std::string_view text) {
  if (text.empty()) return 0;
  return static_cast<int32_t>(DecodeUtf8(text, 0).codePoint);
}

double Val(std::string_view text) {
  size_t pos = std::min(text.find_first_not_of(" \t"), text.size());
  const size_t start = pos;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
  const size_t integerEnd = SkipDigits(text, pos);
  size_t digits = integerEnd - pos;
  pos = integerEnd;
  if (pos < text.size() && text[pos] == '.') {
    const size_t fractionEnd = SkipDigits(text, pos + 1);
    digits += fractionEnd - (pos + 1);
    pos = fractionEnd;
  }
  if (digits == 0) return 0;
  if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
    size_t exponent = pos + 1;
    if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) ++exponent;
    if (exponent < text.size() && IsDigit(text[exponent])) pos = SkipDigits(text, exponent);
  }
  const std::string number(text.substr(start, pos - start));
  const double value = strtod_l(number.c_str(), nullptr, CLocale());
  return std::isinf(value) ? std::copysign(DBL_MAX, value) : value;
}

std::string Str(int32_t value) { return std::to_string(value); }

std::string Str(double value) {
  value += 0.0;  // writes -0 as "0"
  char buffer[64];
  const bool integral =
      std::isfinite(value) && std::trunc(value) == value && std::fabs(value) < 1e15;
  const auto result =
      integral
          ? std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 0)
          : std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 7);
  return std::string(buffer, result.ptr);
}

int32_t DoubleToInt32(double value) {
  using Limits = std::numeric_limits<int32_t>;
  if (std::isnan(value)) return 0;
  // Both bounds are exact doubles; anything strictly between them truncates
  // into range, so the cast below is always defined.
  if (value >= static_cast<double>(Limits::max())) return Limits::max();
  if (value <= static_cast<double>(Limits::min())) return Limits::min();
  return static_cast<int32_t>(value);
}

std::string DefineEncoding(std::string_view bytes, Encodings encoding) {
  switch (encoding) {
    case Encodings::MacRoman: {
      static const Converter decoder("UTF-8", "MACINTOSH");
      return decoder.Convert(bytes, OneByte);
    }
  }
  throw InvalidArgumentException("Unbekannte Zeichenkodierung.");
}

std::string ConvertToMacRoman(std::string_view utf8) {
  static const Converter encoder("MACINTOSH", "UTF-8");
  // iconv drops the Unicode tag characters without a word; like every other
  // character Mac Roman lacks, each becomes '?'.
  std::string kept;
  kept.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    const Character c = DecodeUtf8(utf8, i);
    const bool tag = c.wellFormed && c.codePoint >= 0xE0000 && c.codePoint <= 0xE007F;
    if (tag) {
      kept += '?';
    } else {
      kept.append(utf8.substr(i, c.length));
    }
    i += c.length;
  }
  return encoder.Convert(kept, OneUtf8Character);
}

int RuntimeStringCompare(std::string_view a, std::string_view b) {
  const size_t common = std::min(a.size(), b.size());
  size_t i = 0;
  // Codes and keys are ASCII: compare bytes until the first one that is not.
  for (; i < common; ++i) {
    const auto x = static_cast<unsigned char>(a[i]);
    const auto y = static_cast<unsigned char>(b[i]);
    if ((x | y) >= 0x80) break;
    if (x != y) {
      const int order = Sign(FoldCase(x), FoldCase(y));
      if (order != 0) return order;
    }
  }
  size_t j = i;
  while (i < a.size() && j < b.size()) {
    const Character x = DecodeUtf8(a, i);
    const Character y = DecodeUtf8(b, j);
    const int order = Sign(ComparableCharacter(x), ComparableCharacter(y));
    if (order != 0) return order;
    i += x.length;
    j += y.length;
  }
  return i < a.size() ? 1 : j < b.size() ? -1 : 0;
}

}  // namespace fw
