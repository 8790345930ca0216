#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace fw {

// The code point of the first character of a UTF-8 text; 0 for the empty
// text. A byte that starts no well-formed character (a stray continuation
// byte, a cut-off sequence) counts as a character of its own byte value, so
// a key is always named by something.
int32_t Asc(std::string_view text);

// The number at the start of a text: blanks and tabs, a sign, digits, a
// fraction after '.', an exponent after 'e' or 'E'. A text with no number
// in front gives 0. Independent of the process locale, so "2.5" is 2.5 under
// a German locale too. Words such as "inf" or "nan" and hex forms are not
// numbers here. A number beyond the range of a double saturates at the
// largest finite double of its sign, so the result is always finite.
double Val(std::string_view text);

// The decimal form of a number, independent of the process locale. A
// double is written without ".0" when it is integral, else with up to 7
// significant digits ("2.5").
std::string Str(int32_t value);
std::string Str(double value);

// Truncates toward zero and saturates at the Int32 range; NaN gives 0.
int32_t DoubleToInt32(double value);
constexpr double Int32ToDouble(int32_t value) { return value; }

enum class Encodings { MacRoman };

// Reads bytes of the given encoding as text and gives it back as UTF-8.
std::string DefineEncoding(std::string_view bytes, Encodings encoding);

// The reverse for Mac Roman: characters that Mac Roman lacks, and bytes
// that are not UTF-8, become '?'.
std::string ConvertToMacRoman(std::string_view utf8);

// Compares two UTF-8 texts as strcmp does, but ignoring letter case in
// ASCII and in the Latin-1 letters (À..Þ with à..þ; ß has no capital here).
// 0 means equal; the sign of any other result orders the texts.
int RuntimeStringCompare(std::string_view a, std::string_view b);

}  // namespace fw
