#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "catalogue/text_catalogue.h"
#include "catalogue/text_store.h"
#include "data/text_measure.h"
#include "framework/text/text.h"

// The information window promises the therapist how the texts are graded:
// the number says how hard a text is. These tests hold the shipped texts to
// that promise, so that no edit of a text can quietly break it.
namespace {

namespace fs = std::filesystem;
using text_measure::Figures;
using text_measure::ForeignWords;

const fs::path kResources = MERKHAUS_SHIPPED_RESOURCES;

const ForeignWords& Foreign() {
  static const ForeignWords words = ForeignWords::Load(MERKHAUS_FOREIGN_WORDS);
  return words;
}

// Read as the program reads it: Mac Roman bytes from the bundle.
std::string ShippedText(const std::string& name) {
  std::ifstream in(kResources / name, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return fw::DefineEncoding(bytes.str(), fw::Encodings::MacRoman);
}

struct Row {
  int Number;
  std::string Code;
  Figures Text;
};

std::vector<Row> MeasureAll() {
  std::vector<Row> rows;
  for (const CatalogueEntry& entry : TextCatalogue()) {
    rows.push_back({entry.Difficulty, entry.Code,
                    text_measure::Measure(ShippedText(entry.TextItem->FileName()), Foreign())});
  }
  return rows;
}

std::string Format(const char* format, auto... values) {
  char line[160];
  std::snprintf(line, sizeof line, format, values...);
  return line;
}

// Printed with every failure: whoever edits a text needs to see where it
// stands among the others, not just that a check failed.
std::string Table(const std::vector<Row>& rows) {
  std::string table = "\n  nr code      words sent syl  Flesch foreign share\n";
  for (const Row& r : rows) {
    table += Format("  %2d %-8s  %5zu %4zu %4zu %7.2f %4zu %6.2f %%\n", r.Number, r.Code.c_str(),
                    r.Text.Words, r.Text.Sentences, r.Text.Syllables, r.Text.Flesch,
                    r.Text.Foreign.size(), r.Text.ForeignShare());
  }
  return table;
}

std::string Lines(const std::vector<std::string>& faults) {
  std::string out;
  for (const std::string& fault : faults) out += "\n  " + fault;
  return out;
}

TEST(TextMeasure, CountsWordsSentencesAndSyllablesAsAReaderWould) {
  // Abbreviations and ordinals end no sentence; a dash is no word; the last
  // sentence counts though its full stop is missing.
  Figures f = text_measure::Measure(
      "Am 3. Mai kam z. B. Herr Dr. Maier – „Freut euch!“ Dann ging er", Foreign());
  EXPECT_EQ(f.Words, 14u);
  EXPECT_EQ(f.Sentences, 2u);
  // "ai" and "eu" are one syllable each, a word without a vowel (z, B, Dr)
  // still has one, and "3." has none: Maier has two, every other word one.
  EXPECT_EQ(f.Syllables, 14u);
  EXPECT_DOUBLE_EQ(f.Flesch, 180 - 14.0 / 2 - 58.5);

  EXPECT_EQ(text_measure::Measure("Sie fragte: „Wirklich?“ … und schwieg.", Foreign()).Sentences,
            3u);
}

TEST(TextMeasure, TellsForeignWordsFromGermanOnes) {
  const ForeignWords& words = Foreign();
  for (const char* foreign : {"Diagnose,", "„Team“", "Bauprojekt.", "Falafel-Sandwich",
                              "diskutierten", "Identität", "Rassismus", "Situation"}) {
    EXPECT_TRUE(words.IsForeign(foreign)) << foreign;
  }
  // German words with a foreign ending, loans every child uses, and names.
  for (const char* german : {"verlieren", "vierten", "feierten", "telefonierte", "Auto", "Hotel",
                             "Millionen", "Marion", "U-Bahn", "3."}) {
    EXPECT_FALSE(words.IsForeign(german)) << german;
  }
}

TEST(ShippedData, TextLengthsRiseWithDifficultyWithinTheStatedBands) {
  std::vector<Row> rows = MeasureAll();
  std::vector<std::string> faults;
  auto band = [&](int first, int last, size_t low, size_t high, size_t shortestAtMost,
                  size_t longestAtLeast) {
    size_t shortest = SIZE_MAX, longest = 0;
    for (const Row& r : rows) {
      if (r.Number < first || r.Number > last) continue;
      if (r.Text.Words < low || r.Text.Words > high) {
        faults.push_back(Format("%d %s: %zu words, not %zu to %zu", r.Number, r.Code.c_str(),
                                r.Text.Words, low, high));
      }
      shortest = std::min(shortest, r.Text.Words);
      longest = std::max(longest, r.Text.Words);
    }
    // The band must be used, not just kept: its ends are what the window
    // states.
    if (shortest > shortestAtMost || longest < longestAtLeast) {
      faults.push_back(
          Format("texts %d to %d run from %zu to %zu words, not from %zu or fewer to "
                 "%zu or more",
                 first, last, shortest, longest, shortestAtMost, longestAtLeast));
    }
  };
  band(1, 15, 86, 170, 90, 165);
  band(70, 82, 350, 450, 360, 440);
  for (size_t k = 1; k < rows.size(); ++k) {
    if (rows[k].Text.Words <= rows[k - 1].Text.Words) {
      faults.push_back(Format("%d %s has %zu words, %d %s %zu", rows[k].Number,
                              rows[k].Code.c_str(), rows[k].Text.Words, rows[k - 1].Number,
                              rows[k - 1].Code.c_str(), rows[k - 1].Text.Words));
    }
  }
  EXPECT_TRUE(faults.empty()) << Lines(faults) << Table(rows);
}

// Among texts of about the same length the number still orders them by how
// they read: the higher number reads as hard or harder, within a point.
TEST(ShippedData, TextsOfLikeLengthReadHarderWithDifficulty) {
  std::vector<Row> rows = MeasureAll();
  size_t pairs = 0, inOrder = 0;
  std::vector<std::string> outOfOrder;
  std::vector<std::string> faults;
  for (size_t i = 0; i < rows.size(); ++i) {
    for (size_t j = i + 1; j < rows.size(); ++j) {
      const Row& easier = rows[i];
      const Row& harder = rows[j];
      auto gap = static_cast<long>(harder.Text.Words) - static_cast<long>(easier.Text.Words);
      if (gap < -10 || gap > 10) continue;
      ++pairs;
      double inversion = harder.Text.Flesch - easier.Text.Flesch;
      if (inversion <= 1) {
        ++inOrder;
        continue;
      }
      std::string pair = Format(
          "%d %s (%zu words, Flesch %.1f) / %d %s (%zu words, Flesch %.1f): "
          "%.1f points",
          easier.Number, easier.Code.c_str(), easier.Text.Words, easier.Text.Flesch, harder.Number,
          harder.Code.c_str(), harder.Text.Words, harder.Text.Flesch, inversion);
      outOfOrder.push_back(pair);
      if (inversion > 4) faults.push_back("inverted by more than 4: " + pair);
    }
  }
  ASSERT_GT(pairs, 0u);
  if (inOrder * 10 < pairs * 9) {
    faults.push_back(Format("%zu of %zu pairs within 10 words are in Flesch order (%.0f %%), not "
                            "90 %%; out of order:",
                            inOrder, pairs,
                            100.0 * static_cast<double>(inOrder) / static_cast<double>(pairs)) +
                     Lines(outOfOrder));
  }
  EXPECT_TRUE(faults.empty()) << Lines(faults) << Table(rows);
}

// Easier texts hold fewer foreign words, harder ones more; measured per
// block of ten, since a single text may well have one foreign word more
// than its neighbour.
TEST(ShippedData, ForeignWordShareRisesFromBlockToBlock) {
  std::vector<Row> rows = MeasureAll();
  std::string blocks = "\n  block  words  Flesch (min..max)      foreign share";
  std::vector<std::string> faults;
  double previous = -1;
  for (int first = 1; first <= 71; first += 10) {
    int last = first == 71 ? 82 : first + 9;
    double words = 0, flesch = 0, share = 0, easiest = -1e9, hardest = 1e9;
    for (int n = first; n <= last; ++n) {
      const Figures& text = rows[static_cast<size_t>(n - 1)].Text;
      words += static_cast<double>(text.Words);
      flesch += text.Flesch;
      share += text.ForeignShare();
      easiest = std::max(easiest, text.Flesch);
      hardest = std::min(hardest, text.Flesch);
    }
    int count = last - first + 1;
    double mean = share / count;
    blocks += Format("\n  %2d-%-2d  %5.1f  %5.1f (%5.1f..%5.1f)  %5.2f %%", first, last,
                     words / count, flesch / count, hardest, easiest, mean);
    if (mean <= previous) {
      faults.push_back(Format("texts %d to %d hold %.2f %% foreign words, the block before %.2f %%",
                              first, last, mean, previous));
    }
    previous = mean;
  }
  std::string found = "\n  foreign words found:";
  for (const Row& r : rows) {
    found += Format("\n  %2d %-8s", r.Number, r.Code.c_str());
    for (const std::string& word : r.Text.Foreign) found += " " + word;
  }
  EXPECT_TRUE(faults.empty()) << Lines(faults) << blocks << Table(rows) << found;
}

}  // namespace
