#include <gtest/gtest.h>

#include <cctype>
#include <numeric>
#include <set>
#include <string>

#include "catalogue/text_catalogue.h"

namespace {

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

int Position(const CatalogueEntry* entry) {
  return entry == nullptr ? 0 : static_cast<int>(entry - TextCatalogue().data()) + 1;
}

TEST(TextCatalogue, EntriesStandInDifficultyOrderWithTheirKeyPointCounts) {
  const auto& catalogue = TextCatalogue();
  int sum = 0;
  for (size_t k = 0; k < catalogue.size(); ++k) {
    const CatalogueEntry& entry = catalogue[k];
    EXPECT_EQ(entry.Difficulty, static_cast<int32_t>(k + 1));
    EXPECT_GE(entry.KeyPointCount, 4) << entry.Code;
    EXPECT_LE(entry.KeyPointCount, 17) << entry.Code;
    EXPECT_EQ(entry.KeyPointCount == 4, k == 0) << entry.Code;
    EXPECT_EQ(entry.KeyPointCount == 17, k == 60) << entry.Code;
    sum += entry.KeyPointCount;
  }
  EXPECT_EQ(sum, 846);
}

TEST(TextCatalogue, CodesAreDistinctLowerCaseWordsOfThreeToEightLetters) {
  std::set<std::string> codes;
  for (const CatalogueEntry& entry : TextCatalogue()) {
    std::string code = entry.Code;
    EXPECT_GE(code.size(), 3u) << code;
    EXPECT_LE(code.size(), 8u) << code;
    for (char c : code) EXPECT_TRUE(c >= 'a' && c <= 'z') << code;
    EXPECT_TRUE(codes.insert(code).second) << code;
  }
}

TEST(TextCatalogue, ItemsAreTheCodeInTheirOwnLetterCase) {
  std::set<std::string> names;
  for (const CatalogueEntry& entry : TextCatalogue()) {
    ASSERT_NE(entry.TextItem, nullptr);
    ASSERT_NE(entry.SummaryItem, nullptr);
    std::string text = entry.TextItem->Name();
    std::string summary = entry.SummaryItem->Name();
    EXPECT_EQ(Lower(text), entry.Code);
    EXPECT_EQ(summary, std::string(entry.Code) == "anne" ? "ANNEZUS" : text + "zus");
    EXPECT_TRUE(names.insert(text).second) << text;
    EXPECT_TRUE(names.insert(summary).second) << summary;
  }
  EXPECT_EQ(names.size(), 164u);
}

TEST(TextCatalogue, TitlesAreKeptAsWritten) {
  const auto& catalogue = TextCatalogue();
  for (const CatalogueEntry& entry : catalogue) {
    std::string title = entry.Title;
    ASSERT_FALSE(title.empty()) << entry.Code;
    EXPECT_NE(title.front(), ' ') << entry.Code;
    EXPECT_NE(title.back(), ' ') << entry.Code;
  }
  EXPECT_STREQ(catalogue[5].Title, "Das tödliche Dreieck");
  EXPECT_STREQ(catalogue[33].Title, "Brügge sehen... und sterben?");
  EXPECT_STREQ(catalogue[44].Title, "21 (Einundzwanzig)");
  EXPECT_STREQ(catalogue[60].Title, "Was am Ende zählt");
}

TEST(CodeLookup, EveryCodeFindsItsOwnEntry) {
  for (const CatalogueEntry& entry : TextCatalogue()) {
    EXPECT_EQ(CodeLookup(entry.Code), &entry) << entry.Code;
  }
}

TEST(CodeLookup, FoundEntriesCarryTheirItemsAndCounts) {
  const CatalogueEntry* gold = CodeLookup("gold");
  ASSERT_NE(gold, nullptr);
  EXPECT_EQ(gold->Difficulty, 1);
  EXPECT_EQ(gold->KeyPointCount, 4);
  EXPECT_STREQ(gold->TextItem->Name(), "GOLD");
  EXPECT_STREQ(gold->SummaryItem->Name(), "GOLDzus");

  const CatalogueEntry* band = CodeLookup("band");
  ASSERT_NE(band, nullptr);
  EXPECT_EQ(band->Difficulty, 82);
  EXPECT_EQ(band->KeyPointCount, 16);
  EXPECT_STREQ(band->SummaryItem->Name(), "bandzus");

  const CatalogueEntry* anne = CodeLookup("anne");
  ASSERT_NE(anne, nullptr);
  EXPECT_EQ(anne->Difficulty, 11);
  EXPECT_EQ(anne->SummaryItem, &x_ANNEZUS::item);

  const CatalogueEntry* abgedre = CodeLookup("abgedre");
  ASSERT_NE(abgedre, nullptr);
  EXPECT_EQ(abgedre->Difficulty, 76);
  EXPECT_STREQ(abgedre->Title, "Abgedreht");
  EXPECT_EQ(abgedre->KeyPointCount, 12);

  const CatalogueEntry* amende = CodeLookup("amende");
  ASSERT_NE(amende, nullptr);
  EXPECT_EQ(amende->Difficulty, 61);
  EXPECT_EQ(amende->KeyPointCount, 17);
}

TEST(CodeLookup, CodesSharingTheirFirstLettersFindOnlyTheirOwn) {
  EXPECT_EQ(Position(CodeLookup("time")), 21);
  EXPECT_EQ(Position(CodeLookup("beste")), 44);
  EXPECT_EQ(Position(CodeLookup("berlin")), 65);
  EXPECT_EQ(Position(CodeLookup("dan")), 62);
  EXPECT_EQ(Position(CodeLookup("daddy")), 55);
  EXPECT_EQ(Position(CodeLookup("daheim")), 23);
  EXPECT_EQ(Position(CodeLookup("daratt")), 57);
}

TEST(CodeLookup, OnlyTheWholeCodeFindsAnEntryBlanksAroundItAside) {
  for (const char* text : {"", "  ", "gol", "golds", "go ld", "gold\r", "da", "xyz"}) {
    EXPECT_EQ(CodeLookup(text), nullptr) << '"' << text << '"';
  }
  for (const char* text : {"gold ", " gold", "\tgold  "}) {
    EXPECT_EQ(Position(CodeLookup(text)), 1) << '"' << text << '"';
  }
  // An embedded NUL must not cut the text short.
  EXPECT_EQ(CodeLookup(std::string_view("gold\0x", 6)), nullptr);
}

TEST(CodeLookup, LetterCaseIsIgnoredAsTheFrameworkCompares) {
  EXPECT_EQ(Position(CodeLookup("Gold")), 1);
  EXPECT_EQ(Position(CodeLookup("BAND")), 82);
  EXPECT_EQ(Position(CodeLookup("AbGeDrE")), 76);
}

}  // namespace
