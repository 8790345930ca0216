#include "framework/text/text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>
#include <set>
#include <string>

namespace {

using fw::Encodings;

std::string Byte(int value) { return std::string(1, static_cast<char>(value)); }

TEST(MacRoman, GermanLettersAndAccentDecodeToTheirCharacters) {
  EXPECT_EQ(fw::DefineEncoding("\x8A", Encodings::MacRoman), "ä");
  EXPECT_EQ(fw::DefineEncoding("\x9A", Encodings::MacRoman), "ö");
  EXPECT_EQ(fw::DefineEncoding("\x9F", Encodings::MacRoman), "ü");
  EXPECT_EQ(fw::DefineEncoding("\x80", Encodings::MacRoman), "Ä");
  EXPECT_EQ(fw::DefineEncoding("\x85", Encodings::MacRoman), "Ö");
  EXPECT_EQ(fw::DefineEncoding("\x86", Encodings::MacRoman), "Ü");
  EXPECT_EQ(fw::DefineEncoding("\xA7", Encodings::MacRoman), "ß");
  EXPECT_EQ(fw::DefineEncoding("\xAB", Encodings::MacRoman), "\u00B4");
  EXPECT_EQ(fw::DefineEncoding("Info\xABs\rgr\x9A\xA7"
                               "er",
                               Encodings::MacRoman),
            "Info\u00B4s\rgrößer");
}

TEST(MacRoman, EveryByteDecodesToItsOwnCharacterAndLineBreaksStay) {
  std::set<std::string> seen;
  for (int b = 0; b < 256; ++b) {
    const std::string text = fw::DefineEncoding(Byte(b), Encodings::MacRoman);
    ASSERT_FALSE(text.empty()) << b;
    EXPECT_EQ(fw::Asc(text) < 0x80, b < 0x80) << b;
    EXPECT_EQ(text == "?", b == '?') << b;
    seen.insert(text);
  }
  EXPECT_EQ(seen.size(), 256u);
  EXPECT_EQ(fw::DefineEncoding("a\rb\r\r", Encodings::MacRoman), "a\rb\r\r");
  EXPECT_EQ(fw::DefineEncoding("", Encodings::MacRoman), "");
}

TEST(MacRoman, PrintableBytesSurviveTheRoundTrip) {
  std::string all;
  for (int b = 0x20; b <= 0xFF; ++b) all += Byte(b);
  const std::string utf8 = fw::DefineEncoding(all, Encodings::MacRoman);
  EXPECT_EQ(fw::ConvertToMacRoman(utf8), all);
  // Long enough to need several rounds of the converter's output buffer.
  std::string many;
  for (int i = 0; i < 40; ++i) many += all;
  EXPECT_EQ(fw::ConvertToMacRoman(fw::DefineEncoding(many, Encodings::MacRoman)), many);
}

TEST(MacRoman, WhatMacRomanCannotHoldBecomesQuestionMarks) {
  EXPECT_EQ(fw::ConvertToMacRoman("a\u0141b"), "a?b");      // Ł
  EXPECT_EQ(fw::ConvertToMacRoman("x\U0001F600y"), "x?y");  // emoji, four bytes
  EXPECT_EQ(fw::ConvertToMacRoman("a\xFF"
                                  "b"),
            "a?b");                                           // no UTF-8 at all
  EXPECT_EQ(fw::ConvertToMacRoman("\xC3\xA4\xC3"), "\x8A?");  // cut off at the end
  EXPECT_EQ(fw::ConvertToMacRoman(""), "");
}

TEST(Val, ReadsTheLeadingNumberAndIgnoresTheRest) {
  EXPECT_EQ(fw::Val(""), 0);
  EXPECT_EQ(fw::Val("abc"), 0);
  EXPECT_EQ(fw::Val("12abc"), 12);
  EXPECT_EQ(fw::Val(" 7"), 7);
  EXPECT_EQ(fw::Val("\t 7 8"), 7);
  EXPECT_EQ(fw::Val("2.5"), 2.5);
  EXPECT_EQ(fw::Val("2,5"), 2);
  EXPECT_EQ(fw::Val("-3"), -3);
  EXPECT_EQ(fw::Val("+4"), 4);
  EXPECT_EQ(fw::Val(".5"), 0.5);
  EXPECT_EQ(fw::Val("-.5"), -0.5);
  EXPECT_EQ(fw::Val("5."), 5);
  EXPECT_EQ(fw::Val("1e3"), 1000);
  EXPECT_EQ(fw::Val("1E+3x"), 1000);
  EXPECT_EQ(fw::Val("25e-1"), 2.5);
  EXPECT_EQ(fw::Val("1e20"), 1e20);
  EXPECT_EQ(fw::Val("1e"), 1);
  EXPECT_EQ(fw::Val("1e-"), 1);
  EXPECT_EQ(fw::Val("3 e2"), 3);
}

TEST(Val, SignsWordsAndHexAreNoNumbers) {
  for (const char* text :
       {"inf", "-inf", "infinity", "nan", "NaN", "0x10", "x1", ".", "-", "+", "-.", "e5", "- 3"}) {
    EXPECT_EQ(fw::Val(text), 0) << text;
  }
}

TEST(Val, HugeNumbersStayFinite) {
  EXPECT_EQ(fw::Val("1e400"), DBL_MAX);
  EXPECT_EQ(fw::Val("-1e400"), -DBL_MAX);
  EXPECT_EQ(fw::Val(std::string(400, '9')), DBL_MAX);
  EXPECT_EQ(fw::Val("1e-400"), 0);
}

TEST(Str, WritesIntegersAndShortDecimals) {
  EXPECT_EQ(fw::Str(82), "82");
  EXPECT_EQ(fw::Str(0), "0");
  EXPECT_EQ(fw::Str(std::numeric_limits<int32_t>::min()), "-2147483648");
  EXPECT_EQ(fw::Str(std::numeric_limits<int32_t>::max()), "2147483647");
  EXPECT_EQ(fw::Str(2.5), "2.5");
  EXPECT_EQ(fw::Str(-2.5), "-2.5");
  EXPECT_EQ(fw::Str(3.0), "3");
  EXPECT_EQ(fw::Str(-0.0), "0");
  EXPECT_EQ(fw::Str(1.0 / 3.0), "0.3333333");
  EXPECT_EQ(fw::Str(1000000.0), "1000000");
  EXPECT_EQ(fw::Str(1e20), "1e+20");
}

TEST(DoubleToInt32, TruncatesTowardZeroAndSaturates) {
  constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
  constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
  const double infinity = std::numeric_limits<double>::infinity();
  EXPECT_EQ(fw::DoubleToInt32(2.9), 2);
  EXPECT_EQ(fw::DoubleToInt32(-2.9), -2);
  EXPECT_EQ(fw::DoubleToInt32(-0.5), 0);
  EXPECT_EQ(fw::DoubleToInt32(2147483647.0), kMax);
  EXPECT_EQ(fw::DoubleToInt32(2147483646.9), kMax - 1);
  EXPECT_EQ(fw::DoubleToInt32(2147483648.0), kMax);
  EXPECT_EQ(fw::DoubleToInt32(-2147483648.0), kMin);
  EXPECT_EQ(fw::DoubleToInt32(-2147483648.5), kMin);
  EXPECT_EQ(fw::DoubleToInt32(-2147483649.0), kMin);
  EXPECT_EQ(fw::DoubleToInt32(1e20), kMax);
  EXPECT_EQ(fw::DoubleToInt32(-1e20), kMin);
  EXPECT_EQ(fw::DoubleToInt32(infinity), kMax);
  EXPECT_EQ(fw::DoubleToInt32(-infinity), kMin);
  EXPECT_EQ(fw::DoubleToInt32(std::nan("")), 0);
  EXPECT_EQ(fw::DoubleToInt32(fw::Val("1e400")), kMax);
  EXPECT_EQ(fw::Int32ToDouble(kMin), -2147483648.0);
}

TEST(Asc, GivesTheFirstCharactersCodePoint) {
  EXPECT_EQ(fw::Asc("\r"), 13);
  EXPECT_EQ(fw::Asc("\rabc"), 13);
  EXPECT_EQ(fw::Asc(""), 0);
  EXPECT_EQ(fw::Asc("ä"), 228);
  EXPECT_EQ(fw::Asc("€"), 0x20AC);
  EXPECT_EQ(fw::Asc("\U0001F600"), 0x1F600);
  EXPECT_EQ(fw::Asc(std::string("\0x", 2)), 0);
}

TEST(Asc, MalformedTextGivesTheFirstByte) {
  EXPECT_EQ(fw::Asc("\xFF"), 255);
  EXPECT_EQ(fw::Asc("\xA4"), 0xA4);              // continuation byte without a lead
  EXPECT_EQ(fw::Asc("\xC3"), 0xC3);              // cut off
  EXPECT_EQ(fw::Asc("\xC3x"), 0xC3);             // not continued
  EXPECT_EQ(fw::Asc("\xC1\xA1"), 0xC1);          // overlong 'a'
  EXPECT_EQ(fw::Asc("\xED\xA0\x80"), 0xED);      // surrogate
  EXPECT_EQ(fw::Asc("\xF4\x90\x80\x80"), 0xF4);  // beyond U+10FFFF
}

TEST(RuntimeStringCompare, IgnoresLetterCaseOnly) {
  EXPECT_EQ(fw::RuntimeStringCompare("Gold", "gold"), 0);
  EXPECT_EQ(fw::RuntimeStringCompare("GOLD", "gold"), 0);
  EXPECT_EQ(fw::RuntimeStringCompare("", ""), 0);
  EXPECT_EQ(fw::RuntimeStringCompare("Ä", "ä"), 0);
  EXPECT_EQ(fw::RuntimeStringCompare("GRÖßE", "größe"), 0);
  EXPECT_EQ(fw::RuntimeStringCompare("ÀÞ", "àþ"), 0);
  EXPECT_NE(fw::RuntimeStringCompare("gold ", "gold"), 0);
  EXPECT_NE(fw::RuntimeStringCompare("×", "÷"), 0);
  EXPECT_NE(fw::RuntimeStringCompare("ß", "SS"), 0);
  EXPECT_NE(fw::RuntimeStringCompare("[", "{"), 0);     // 0x5B and 0x7B are no letters
  EXPECT_NE(fw::RuntimeStringCompare("Ä", "\xC4"), 0);  // a lone byte is not the letter
}

TEST(RuntimeStringCompare, OrdersLikeStrcmpOnFoldedText) {
  EXPECT_LT(fw::RuntimeStringCompare("gol", "gold"), 0);
  EXPECT_GT(fw::RuntimeStringCompare("gold", "gol"), 0);
  EXPECT_LT(fw::RuntimeStringCompare("", "a"), 0);
  EXPECT_LT(fw::RuntimeStringCompare("Apfel", "birne"), 0);
  EXPECT_GT(fw::RuntimeStringCompare("zebra", "Apfel"), 0);
  EXPECT_LT(fw::RuntimeStringCompare("Bär", "BÄRE"), 0);
  EXPECT_LT(fw::RuntimeStringCompare("bar", "bär"), 0);
  EXPECT_GT(fw::RuntimeStringCompare("b\xFF", "bär"), 0);
}

}  // namespace
