#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "catalogue/text_catalogue.h"
#include "catalogue/text_store.h"
#include "framework/folder_item/folder_item.h"
#include "framework/picture/picture.h"
#include "framework/text/text.h"
#include "shell/desktop_identity.h"

// The data that ships in the bundle, as the program will read it.
namespace {

namespace fs = std::filesystem;

const fs::path kResources = MERKHAUS_SHIPPED_RESOURCES;

std::string Bytes(const std::string& name) {
  std::ifstream in(kResources / name, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::string Text(const std::string& name) {
  return fw::DefineEncoding(Bytes(name), fw::Encodings::MacRoman);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line, '\r');) lines.push_back(line);
  return lines;
}

TEST(ShippedData, HoldsExactlyTheFilesTheProgramReads) {
  std::set<std::string> expected{"hintergrund1.jpg"};
  for (const StoreItem* item : StoreItemsInReleaseOrder()) expected.insert(item->FileName());
  ASSERT_EQ(expected.size(), 169u);
  for (const std::string& icon : desktop_identity::IconFileNames()) expected.insert(icon);
  std::set<std::string> present;
  for (const auto& entry : fs::directory_iterator(kResources)) {
    present.insert(entry.path().filename().string());
  }
  EXPECT_EQ(present, expected);
}

TEST(ShippedData, TextsAreMacRomanWithCarriageReturnsOnly) {
  for (const StoreItem* item : StoreItemsInReleaseOrder()) {
    std::string bytes = Bytes(item->FileName());
    EXPECT_FALSE(bytes.empty()) << item->FileName();
    EXPECT_EQ(bytes.find('\n'), std::string::npos) << item->FileName();
    // Every byte came from a character Mac Roman has: the way back gives
    // the same bytes.
    EXPECT_EQ(fw::ConvertToMacRoman(Text(item->FileName())), bytes) << item->FileName();
  }
}

TEST(ShippedData, SummariesHoldExactlyTheKeyPoints) {
  for (const CatalogueEntry& entry : TextCatalogue()) {
    std::vector<std::string> lines = Lines(Text(entry.SummaryItem->FileName()));
    ASSERT_EQ(lines.size(), static_cast<size_t>(entry.KeyPointCount)) << entry.Code;
    for (size_t i = 0; i < lines.size(); ++i) {
      std::string number = std::to_string(i + 1) + ". ";
      EXPECT_TRUE(lines[i].starts_with(number) && lines[i].size() > number.size() + 10)
          << entry.Code << ": " << lines[i];
    }
  }
}

TEST(ShippedData, FeedbackTextsTellHowToFindTheNextText) {
  for (const char* name : {"Wleistung0.TXT", "Wleistung51.TXT"}) {
    EXPECT_NE(Text(name).find(" ab."), std::string::npos) << name;
    EXPECT_NE(Text(name).find("Text Nr. 1."), std::string::npos) << name;
  }
  for (const char* name : {"Wleistung71.TXT", "Wleistung90.TXT"}) {
    EXPECT_NE(Text(name).find("dazu."), std::string::npos) << name;
    EXPECT_NE(Text(name).find("Text Nr. 82."), std::string::npos) << name;
  }
}

TEST(ShippedData, BackgroundPictureIsFiveHundredByThreeHundredSeventyFive) {
  auto picture = fw::FolderItem(kResources / "hintergrund1.jpg").OpenAsPicture();
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->Width(), 500);
  EXPECT_EQ(picture->Height(), 375);
}

}  // namespace
