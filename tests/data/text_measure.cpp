#include "data/text_measure.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <stdexcept>

namespace text_measure {

namespace {

// The texts are valid UTF-8 (they come from the Mac Roman decoding), so
// a plain decoder does.
std::u32string Decode(std::string_view utf8) {
  std::u32string out;
  for (size_t i = 0; i < utf8.size();) {
    auto byte = static_cast<unsigned char>(utf8[i]);
    size_t length = byte < 0x80 ? 1 : byte < 0xE0 ? 2 : byte < 0xF0 ? 3 : 4;
    char32_t c = length == 1 ? byte : byte & (0x3F >> (length - 1));
    for (size_t k = 1; k < length && i + k < utf8.size(); ++k) {
      c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    }
    out.push_back(c);
    i += length;
  }
  return out;
}

std::string Encode(std::u32string_view text) {
  std::string out;
  for (char32_t c : text) {
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (c >> 18)));
      out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

// What splits words: Unicode white space, as the editors' scripts see it.
bool IsSpace(char32_t c) {
  return (c >= 0x09 && c <= 0x0D) || (c >= 0x1C && c <= 0x20) || c == 0x85 || c == 0xA0 ||
         c == 0x1680 || (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F ||
         c == 0x205F || c == 0x3000;
}

bool IsAsciiLetter(char32_t c) { return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z'); }
bool IsDigit(char32_t c) { return c >= U'0' && c <= U'9'; }

// The letters syllables are counted in; other letters (é, ç) are dropped.
bool IsGermanLetter(char32_t c) {
  return IsAsciiLetter(c) || c == U'Ä' || c == U'Ö' || c == U'Ü' || c == U'ä' || c == U'ö' ||
         c == U'ü' || c == U'ß';
}

bool HoldsWordCharacter(std::u32string_view token) {
  return std::ranges::any_of(token, [](char32_t c) { return IsGermanLetter(c) || IsDigit(c); });
}

// ASCII and the Latin-1 capitals, which is all the shipped texts can hold
// besides punctuation.
char32_t Lower(char32_t c) {
  bool capital = (c >= U'A' && c <= U'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7);
  return capital ? c + 32 : c;
}

std::u32string Lower(std::u32string_view text) {
  std::u32string out(text);
  for (char32_t& c : out) c = Lower(c);
  return out;
}

std::vector<std::u32string> Split(std::u32string_view text) {
  std::vector<std::u32string> tokens;
  std::u32string token;
  for (char32_t c : text) {
    if (!IsSpace(c)) {
      token.push_back(c);
    } else if (!token.empty()) {
      tokens.push_back(std::move(token));
      token.clear();
    }
  }
  if (!token.empty()) tokens.push_back(std::move(token));
  return tokens;
}

std::vector<std::u32string> Words(std::u32string_view text) {
  std::vector<std::u32string> words = Split(text);
  std::erase_if(words, [](const std::u32string& t) { return !HoldsWordCharacter(t); });
  return words;
}

// Vowel groups as the German Flesch index counts them: each vowel one, the
// diphthongs and doubled vowels below one together, taken from the left.
size_t Syllables(std::u32string_view letters) {
  static constexpr std::u32string_view kVowels = U"aeiouyäöü";
  static constexpr std::array<std::u32string_view, 11> kPairs{
      U"äu", U"eu", U"ei", U"ai", U"au", U"ey", U"ay", U"aa", U"ee", U"oo", U"ie"};
  std::u32string word = Lower(letters);
  size_t count = 0;
  for (size_t i = 0; i < word.size();) {
    if (kVowels.find(word[i]) == std::u32string_view::npos) {
      ++i;
      continue;
    }
    ++count;
    bool pair = i + 1 < word.size() &&
                std::ranges::find(kPairs, std::u32string_view(word).substr(i, 2)) != kPairs.end();
    i += pair ? 2 : 1;
  }
  return std::max<size_t>(count, 1);
}

bool EndsWith(std::u32string_view text, std::u32string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// A full stop after one of these, or after a number ("am 3. Mai"), ends no
// sentence.
bool IsAbbreviationOrOrdinal(std::u32string_view core) {
  static constexpr std::array<std::u32string_view, 21> kAbbreviations{
      U"z.",    U"b.",   U"d.",   U"h.",    U"u.",   U"a.",    U"bzw.",
      U"ca.",   U"dr.",  U"nr.",  U"mr.",   U"mrs.", U"prof.", U"st.",
      U"evtl.", U"vgl.", U"sog.", U"inkl.", U"usw.", U"etc.",  U"s."};
  std::u32string lower(core);
  for (char32_t& c : lower) {
    if (c >= U'A' && c <= U'Z') c += 32;
  }
  if (std::ranges::find(kAbbreviations, std::u32string_view(lower)) != kAbbreviations.end()) {
    return true;
  }
  return core.size() >= 2 && std::all_of(core.begin(), core.end() - 1, IsDigit);
}

// Sentences end at '.', '!', '?' or '…' (closing quotes and brackets
// after them aside); a text that stops without one counts one more.
size_t Sentences(std::u32string_view text) {
  static constexpr std::u32string_view kClosing = U"\"»«“”„')";
  size_t count = 0;
  bool lastEnded = false;
  for (const std::u32string& token : Split(text)) {
    std::u32string_view core = token;
    while (!core.empty() && kClosing.find(core.back()) != std::u32string_view::npos) {
      core.remove_suffix(1);
    }
    if (core.empty() || (!HoldsWordCharacter(core) && core != U"..." && core != U"…")) continue;
    lastEnded = false;
    if (core.back() == U'!' || core.back() == U'?' || core.back() == U'…') {
      ++count;
      lastEnded = true;
    } else if (core.back() == U'.' && !IsAbbreviationOrOrdinal(core)) {
      ++count;
      lastEnded = true;
    }
  }
  return lastEnded ? count : count + 1;
}

bool IsWordCharacter(char32_t c) {
  return IsAsciiLetter(c) || IsDigit(c) || (c >= 0xC0 && c <= 0xFF && c != 0xD7 && c != 0xF7);
}

std::u32string_view Strip(std::u32string_view part) {
  while (!part.empty() && !IsWordCharacter(part.front())) part.remove_prefix(1);
  while (!part.empty() && !IsWordCharacter(part.back())) part.remove_suffix(1);
  return part;
}

}  // namespace

ForeignWords ForeignWords::Load(const std::string& path) {
  std::ifstream in(path);
  if (!in) throw std::runtime_error("cannot read " + path);
  ForeignWords words;
  for (std::string line; std::getline(in, line);) {
    while (!line.empty() && (line.back() == ' ' || line.back() == '\r')) line.pop_back();
    if (line.empty() || line.front() == '#') continue;
    std::u32string entry = Decode(line);
    char32_t mark = entry.front();
    std::u32string rest = entry.substr(1);
    switch (mark) {
      case U'*':
        words.anywhere_.push_back(rest);
        break;
      case U'=':
        words.exact_.push_back(rest);
        break;
      case U'-':
        words.endings_.push_back(rest);
        break;
      case U'!':
        words.exceptions_.push_back(rest);
        break;
      default:
        words.starts_.push_back(entry);
        break;
    }
  }
  return words;
}

size_t ForeignWords::RuleCount() const {
  return starts_.size() + anywhere_.size() + exact_.size() + endings_.size() + exceptions_.size();
}

bool ForeignWords::IsForeign(std::string_view token) const {
  std::u32string lower = Lower(Decode(token));
  auto partIsForeign = [this](std::u32string_view part) {
    auto starts = [part](const std::u32string& s) { return part.starts_with(s); };
    if (part.empty() || std::ranges::any_of(exceptions_, starts)) return false;
    return std::ranges::find(exact_, part) != exact_.end() ||
           std::ranges::any_of(starts_, starts) ||
           std::ranges::any_of(anywhere_,
                               [part](const std::u32string& s) {
                                 return part.find(s) != std::u32string_view::npos;
                               }) ||
           std::ranges::any_of(endings_,
                               [part](const std::u32string& s) { return EndsWith(part, s); });
  };
  std::u32string_view rest = lower;
  for (;;) {
    size_t hyphen = rest.find(U'-');
    if (partIsForeign(Strip(rest.substr(0, hyphen)))) return true;
    if (hyphen == std::u32string_view::npos) return false;
    rest.remove_prefix(hyphen + 1);
  }
}

double Figures::ForeignShare() const {
  return Words == 0 ? 0 : 100.0 * static_cast<double>(Foreign.size()) / static_cast<double>(Words);
}

size_t WordCount(std::string_view utf8) { return Words(Decode(utf8)).size(); }

Figures Measure(std::string_view utf8, const ForeignWords& foreign) {
  std::u32string text = Decode(utf8);
  Figures figures;
  std::vector<std::u32string> words = Words(text);
  figures.Words = words.size();
  for (const std::u32string& word : words) {
    std::u32string letters;
    std::ranges::copy_if(word, std::back_inserter(letters), IsGermanLetter);
    if (!letters.empty()) figures.Syllables += Syllables(letters);
    std::string token = Encode(word);
    if (foreign.IsForeign(token)) figures.Foreign.push_back(token);
  }
  figures.Sentences = Sentences(text);
  if (figures.Words > 0) {
    auto w = static_cast<double>(figures.Words);
    figures.Flesch = 180 - w / static_cast<double>(figures.Sentences) -
                     58.5 * static_cast<double>(figures.Syllables) / w;
  }
  return figures;
}

}  // namespace text_measure
