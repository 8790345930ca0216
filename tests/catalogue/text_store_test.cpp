#include "catalogue/text_store.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "catalogue/text_catalogue.h"
#include "framework/folder_item/folder_item.h"
#include "framework/runtime/exceptions.h"
#include "framework/text/text.h"
#include "shell/app.h"

namespace {

namespace fs = std::filesystem;

// A bundle of our own under the temp dir, its executable two folders below
// Resources, and a registered App. The store's flags last the whole run, so
// each test reads items that no other test touches.
class TextStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "text-store-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    root_ = pattern;
    resources_ = root_ / "bundle/Resources";
    fs::create_directories(root_ / "bundle/bin");
    std::ofstream(root_ / "bundle/bin/merkhaus") << "#!";
    fs::create_directories(resources_);
    fw::OverrideExecutablePath(root_ / "bundle/bin/merkhaus");
    RegisterApp();
  }
  void TearDown() override {
    fw::RegisterAppObject(nullptr);
    fw::OverrideExecutablePath(std::nullopt);
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }

  static void RegisterApp() {
    fw::RegisterAppObject(
        std::static_pointer_cast<fw::Application>(fw::RuntimeNewObject(App::Lookup())));
  }

  void Write(const std::string& fileName, const std::string& bytes) {
    std::ofstream(resources_ / fileName, std::ios::binary | std::ios::trunc) << bytes;
  }

  struct Snapshot {
    std::vector<bool> loaded;
    std::vector<std::string> texts;
  };
  static Snapshot TakeSnapshot() {
    Snapshot snapshot;
    for (const StoreItem* item : StoreItemsInReleaseOrder()) {
      snapshot.loaded.push_back(item->Loaded());
      snapshot.texts.push_back(item->PermaText());
    }
    return snapshot;
  }

  fs::path root_;
  fs::path resources_;
};

// Holds only in a fresh run: ctest gives every test a process of its own, and
// in a run of the whole binary this is the first test to touch the store.
TEST_F(TextStoreTest, ARunThatAsksForNoTextReadsNoFile) {
  for (const StoreItem* item : StoreItemsInReleaseOrder()) {
    EXPECT_FALSE(item->Loaded()) << item->Name();
    EXPECT_TRUE(item->PermaText().empty()) << item->Name();
  }
}

TEST_F(TextStoreTest, ItemsAndTheirFilesAreListedInReleaseOrder) {
  const auto& items = StoreItemsInReleaseOrder();
  ASSERT_EQ(items.size(), 168u);

  std::set<const StoreItem*> catalogueItems;
  for (const CatalogueEntry& entry : TextCatalogue()) {
    catalogueItems.insert(entry.TextItem);
    catalogueItems.insert(entry.SummaryItem);
  }
  for (size_t k = 0; k < 164; ++k) {
    EXPECT_EQ(catalogueItems.count(items[k]), 1u) << items[k]->Name();
    if (k > 0) {
      EXPECT_LT(fw::RuntimeStringCompare(items[k - 1]->Name(), items[k]->Name()), 0);
    }
  }
  EXPECT_STREQ(items[0]->Name(), "abgedre");
  EXPECT_STREQ(items[1]->Name(), "abgedrezus");
  EXPECT_STREQ(items[4]->Name(), "ANNE");
  EXPECT_STREQ(items[5]->Name(), "ANNEZUS");
  EXPECT_STREQ(items[163]->Name(), "ZIMMERzus");
  EXPECT_STREQ(items[164]->Name(), "Wleistung0");
  EXPECT_STREQ(items[165]->Name(), "Wleistung51");
  EXPECT_STREQ(items[166]->Name(), "Wleistung71");
  EXPECT_STREQ(items[167]->Name(), "Wleistung90");

  const std::set<std::string> lowerCaseExtension{"COCOzus", "FREMDEzus", "MICKIzus"};
  for (const StoreItem* item : items) {
    std::string name = item->Name();
    EXPECT_EQ(item->FileName(), name + (lowerCaseExtension.count(name) ? ".txt" : ".TXT"));
  }
}

TEST_F(TextStoreTest, ASecondCallGivesTheFirstTextWithoutTouchingTheFile) {
  Write("Under.TXT", "Erster Text");
  EXPECT_EQ(x_Under::Under(), "Erster Text");
  EXPECT_TRUE(x_Under::item.Loaded());
  EXPECT_EQ(x_Under::item.PermaText(), "Erster Text");

  Write("Under.TXT", "Geändert");
  EXPECT_EQ(x_Under::Under(), "Erster Text");
  fs::remove(resources_ / "Under.TXT");
  EXPECT_EQ(x_Under::Under(), "Erster Text");
}

TEST_F(TextStoreTest, AFileThatCannotBeReadAtTheFirstCallStaysEmptyForTheRun) {
  EXPECT_EQ(x_KOHLE::KOHLE(), "");
  EXPECT_TRUE(x_KOHLE::item.Loaded());
  Write("KOHLE.TXT", "zu spät");
  EXPECT_EQ(x_KOHLE::KOHLE(), "");

  fs::create_directory(resources_ / "freund.TXT");
  EXPECT_EQ(x_freund::freund(), "");
  fs::remove(resources_ / "freund.TXT");
  Write("freund.TXT", "zu spät");
  EXPECT_EQ(x_freund::freund(), "");

  Write("MACA.TXT", "");
  EXPECT_EQ(x_MACA::MACA(), "");
  EXPECT_TRUE(x_MACA::item.Loaded());
}

TEST_F(TextStoreTest, ABundleWithoutResourcesGivesTheEmptyText) {
  fs::remove_all(resources_);
  EXPECT_EQ(x_DORM::DORM(), "");
  EXPECT_TRUE(x_DORM::item.Loaded());
  fs::create_directories(resources_);
  Write("DORM.TXT", "zu spät");
  EXPECT_EQ(x_DORM::DORM(), "");
}

TEST_F(TextStoreTest, NoApplicationRaisesOnceAndGivesTheEmptyTextAfter) {
  Write("Luck.TXT", "nie gelesen");
  fw::RegisterAppObject(nullptr);
  try {
    x_Luck::Luck();
    ADD_FAILURE() << "no failure without an application";
  } catch (const fw::NilObjectException& failure) {
    EXPECT_NE(std::string(failure.what()).find("Anwendungsobjekt"), std::string::npos);
    EXPECT_NE(std::string(failure.what()).find("Luck.TXT"), std::string::npos);
  }
  EXPECT_TRUE(x_Luck::item.Loaded());

  RegisterApp();
  EXPECT_NO_THROW(EXPECT_EQ(x_Luck::Luck(), ""));
  EXPECT_NO_THROW(EXPECT_EQ(x_Luck::Luck(), ""));
}

TEST_F(TextStoreTest, AnExecutableWithoutTwoFoldersAboveRaisesOnce) {
  fw::OverrideExecutablePath(fs::path("/merkhaus"));
  EXPECT_THROW(x_VIDEO::VIDEO(), fw::NilObjectException);
  EXPECT_TRUE(x_VIDEO::item.Loaded());
  EXPECT_NO_THROW(EXPECT_EQ(x_VIDEO::VIDEO(), ""));

  fw::OverrideExecutablePath(root_ / "bundle/bin/merkhaus");
  Write("VIDEO.TXT", "nie gelesen");
  EXPECT_NO_THROW(EXPECT_EQ(x_VIDEO::VIDEO(), ""));
}

TEST_F(TextStoreTest, OneGetterReadsNoOtherItem) {
  for (const StoreItem* item : StoreItemsInReleaseOrder()) Write(item->FileName(), "da");
  Snapshot before = TakeSnapshot();
  EXPECT_EQ(x_DREI::DREI(), "da");
  Snapshot after = TakeSnapshot();

  const auto& items = StoreItemsInReleaseOrder();
  for (size_t k = 0; k < items.size(); ++k) {
    if (items[k] == &x_DREI::item) continue;
    EXPECT_EQ(after.loaded[k], before.loaded[k]) << items[k]->Name();
    EXPECT_EQ(after.texts[k], before.texts[k]) << items[k]->Name();
  }
  EXPECT_TRUE(x_DREI::item.Loaded());
  EXPECT_FALSE(x_DREIzus::item.Loaded());
}

TEST_F(TextStoreTest, FilesAreFoundOnlyByTheirExactName) {
  Write("COCOzus.TXT", "falsch");
  Write("COCOzus.txt", "Kokon");
  EXPECT_EQ(x_COCOzus::COCOzus(), "Kokon");

  Write("ANNEzus.TXT", "falsch");
  Write("ANNEZUS.txt", "falsch");
  Write("ANNEZUS.TXT", "Anne");
  EXPECT_EQ(x_ANNEZUS::ANNEZUS(), "Anne");

  Write("gold.TXT", "falsch");
  Write("GOLD.txt", "falsch");
  Write("GOLD.TXT", "Gold");
  EXPECT_EQ(x_GOLD::GOLD(), "Gold");

  // Only a file of the wrong case is there: the item's own file is missing.
  Write("MICKIzus.TXT", "falsch");
  EXPECT_EQ(x_MICKIzus::MICKIzus(), "");
  Write("FREMDEzus.TXT", "falsch");
  EXPECT_EQ(x_FREMDEzus::FREMDEzus(), "");
}

TEST_F(TextStoreTest, BytesComeBackAsTheFileHoldsThem) {
  std::string bytes;
  for (int value = 0; value < 256; ++value) bytes.push_back(static_cast<char>(value));
  bytes += "\r\n\r";
  Write("Wleistung90.TXT", bytes);
  EXPECT_EQ(x_Wleistung90::Wleistung90(), bytes);
}

TEST_F(TextStoreTest, ReleaseEmptiesEveryCacheAndKeepsEveryFlag) {
  Write("band.TXT", "Band");
  Write("bandzus.TXT", "Punkte");
  Write("Wleistung0.TXT", "Weiter üben");
  EXPECT_EQ(x_band::band(), "Band");
  EXPECT_EQ(x_bandzus::bandzus(), "Punkte");
  EXPECT_EQ(x_Wleistung0::Wleistung0(), "Weiter üben");
  EXPECT_EQ(x_rio::rio(), "");
  Snapshot before = TakeSnapshot();

  ReleaseTextStore();
  Snapshot after = TakeSnapshot();
  EXPECT_EQ(after.loaded, before.loaded);
  for (const std::string& text : after.texts) EXPECT_TRUE(text.empty());
  EXPECT_TRUE(x_band::item.Loaded());
  // The file is not read again once its text is given up.
  EXPECT_EQ(x_band::band(), "");
}

}  // namespace
