#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// How hard a shipped text reads, measured as the information window grades
// the texts: length, the German Flesch index (Amstad) and the share of
// foreign words. The editors' scripts compute the same figures; a change to
// the counting here must be made there too, or the two stop agreeing.
namespace text_measure {

// Which words count as foreign: the stems, endings and exceptions of a word
// list (tests/data/foreign_words.txt, whose head comment gives the rule).
class ForeignWords {
 public:
  // Reads the list; lines that are empty or start with '#' are comments.
  static ForeignWords Load(const std::string& path);

  bool IsForeign(std::string_view token) const;
  size_t RuleCount() const;

 private:
  std::vector<std::u32string> starts_, anywhere_, exact_, endings_, exceptions_;
};

struct Figures {
  size_t Words = 0;
  size_t Sentences = 0;
  size_t Syllables = 0;
  double Flesch = 0;
  std::vector<std::string> Foreign;  // the tokens, as they stand in the text

  double ForeignShare() const;  // in per cent of the words
};

// Words: the whitespace-separated tokens that hold a letter or a digit.
size_t WordCount(std::string_view utf8);

Figures Measure(std::string_view utf8, const ForeignWords& foreign);

}  // namespace text_measure
