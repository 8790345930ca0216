#include "framework/folder_item/folder_item.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "framework/runtime/exceptions.h"

namespace fw {
namespace {

namespace fs = std::filesystem;

// A fresh folder under the temp dir, removed with everything in it after
// each test; the executable path is restored as well.
class FolderItemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "folder-item-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    root_ = pattern;
  }
  void TearDown() override {
    OverrideExecutablePath(std::nullopt);
    std::error_code ignored;
    fs::permissions(root_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(root_, ignored);
  }

  fs::path Write(const fs::path& relative, const std::string& bytes) {
    fs::path path = root_ / relative;
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  std::string ReadThrough(const fs::path& path) {
    auto stream = FolderItem(path).OpenAsTextFile();
    if (!stream) return "<nil>";
    std::string text = stream->ReadAll();
    stream->Close();
    return text;
  }

  fs::path root_;
};

TEST_F(FolderItemTest, ResourcesAreFoundTwoFoldersAboveTheExecutable) {
  Write("bundle/bin/prog", "#!");
  fs::create_directories(root_ / "bundle/Resources");
  OverrideExecutablePath(root_ / "bundle/bin/prog");
  auto resources = GetApplicationBundleResources();
  ASSERT_TRUE(resources);
  EXPECT_EQ(resources->NativePath(), root_ / "bundle/Resources");
  EXPECT_EQ(resources->Name(), "Resources");
  EXPECT_TRUE(resources->Directory());
}

TEST_F(FolderItemTest, ResourcesMissingOrAPlainFileGiveNil) {
  Write("bundle/bin/prog", "#!");
  OverrideExecutablePath(root_ / "bundle/bin/prog");
  EXPECT_FALSE(GetApplicationBundleResources());
  Write("bundle/Resources", "not a folder");
  EXPECT_FALSE(GetApplicationBundleResources());
}

TEST_F(FolderItemTest, ExecutableWithoutTwoFoldersAboveRaises) {
  OverrideExecutablePath(fs::path("/prog"));
  EXPECT_THROW(GetApplicationBundleResources(), NilObjectException);
}

TEST_F(FolderItemTest, RealExecutableIsThisTestProgram) {
  auto executable = ApplicationExecutableFile();
  ASSERT_TRUE(executable);
  EXPECT_TRUE(executable->Exists());
  EXPECT_FALSE(executable->Directory());
}

TEST_F(FolderItemTest, ParentsEndAtTheRoot) {
  FolderItem item(root_ / "a" / "b/");
  EXPECT_EQ(item.Name(), "b");
  auto parent = item.Parent();
  ASSERT_TRUE(parent);
  EXPECT_EQ(parent->NativePath(), root_ / "a");
  EXPECT_FALSE(FolderItem("/").Parent());
  auto top = FolderItem("/tmp").Parent();
  ASSERT_TRUE(top);
  EXPECT_FALSE(top->Parent());
}

TEST_F(FolderItemTest, ChildNamesThatCannotBeOneItemGiveNil) {
  FolderItem folder(root_);
  for (std::string_view name :
       {std::string_view(""), std::string_view("."), std::string_view(".."),
        std::string_view("a/b"), std::string_view("/"), std::string_view("a\0b", 3)}) {
    EXPECT_FALSE(folder.Child(name)) << "name of length " << name.size();
  }
  auto odd = folder.Child("...");
  ASSERT_TRUE(odd);
  EXPECT_EQ(odd->Name(), "...");
}

TEST_F(FolderItemTest, MissingChildIsAnItemThatCannotBeOpened) {
  auto missing = FolderItem(root_).Child("GOLD.TXT");
  ASSERT_TRUE(missing);
  EXPECT_FALSE(missing->Exists());
  EXPECT_FALSE(missing->OpenAsTextFile());
  EXPECT_FALSE(missing->OpenAsPicture());
}

TEST_F(FolderItemTest, NamesMatchWithTheirLetterCase) {
  Write("COCOzus.txt", "coco");
  FolderItem folder(root_);
  EXPECT_FALSE(folder.Child("COCOzus.TXT")->OpenAsTextFile());
  EXPECT_FALSE(folder.Child("cocozus.txt")->Exists());
  auto stream = folder.Child("COCOzus.txt")->OpenAsTextFile();
  ASSERT_TRUE(stream);
  EXPECT_EQ(stream->ReadAll(), "coco");
}

TEST_F(FolderItemTest, ReadAllGivesTheBytesUnchanged) {
  EXPECT_EQ(ReadThrough(Write("empty.TXT", "")), "");

  std::string every;
  for (int byte = 0; byte < 256; ++byte) every.push_back(static_cast<char>(byte));
  every += "\r\n\r";
  EXPECT_EQ(ReadThrough(Write("bytes.TXT", every)), every);

  std::string large(50 * 1024 * 1024, '\0');
  for (size_t i = 0; i < large.size(); i += 4099) large[i] = static_cast<char>(0x80 + i % 128);
  EXPECT_EQ(ReadThrough(Write("large.TXT", large)), large);
}

TEST_F(FolderItemTest, StreamReadsOnceAndRefusesAfterClose) {
  auto stream = FolderItem(Write("GOLD.TXT", "Gold")).OpenAsTextFile();
  ASSERT_TRUE(stream);
  EXPECT_EQ(stream->ReadAll(), "Gold");
  EXPECT_EQ(stream->ReadAll(), "");
  stream->Close();
  stream->Close();
  try {
    stream->ReadAll();
    FAIL() << "read after close";
  } catch (const IOException& e) {
    EXPECT_NE(std::string(e.what()).find("GOLD.TXT"), std::string::npos) << e.what();
  }
}

TEST_F(FolderItemTest, OnlyReadableRegularFilesOpen) {
  fs::create_directories(root_ / "folder");
  EXPECT_FALSE(FolderItem(root_ / "folder").OpenAsTextFile());
  // A FIFO without a writer would block a plain open; it must be refused.
  ASSERT_EQ(mkfifo((root_ / "fifo").c_str(), 0600), 0);
  EXPECT_FALSE(FolderItem(root_ / "fifo").OpenAsTextFile());
  EXPECT_FALSE(FolderItem(root_ / "fifo").OpenAsPicture());
  EXPECT_FALSE(FolderItem("/dev/zero").OpenAsTextFile());

  fs::path locked = Write("locked.TXT", "secret");
  fs::permissions(locked, fs::perms::none);
  if (geteuid() == 0) GTEST_SKIP() << "root reads files of mode 000";
  EXPECT_FALSE(FolderItem(locked).OpenAsTextFile());
}

TEST_F(FolderItemTest, PicturesOpenFromPngAndJpeg) {
  QImage colour(30, 20, QImage::Format_RGB32);
  colour.fill(Qt::red);
  ASSERT_TRUE(colour.save(QString::fromStdString((root_ / "a.png").string()), "PNG"));
  ASSERT_TRUE(colour.save(QString::fromStdString((root_ / "hintergrund1.jpg").string()), "JPEG"));
  QImage grey(5, 4, QImage::Format_Grayscale8);
  grey.fill(Qt::gray);
  ASSERT_TRUE(grey.save(QString::fromStdString((root_ / "grey.jpg").string()), "JPEG"));

  auto png = FolderItem(root_ / "a.png").OpenAsPicture();
  ASSERT_TRUE(png);
  EXPECT_EQ(png->Width(), 30);
  EXPECT_EQ(png->Height(), 20);
  auto jpeg = FolderItem(root_).Child("hintergrund1.jpg")->OpenAsPicture();
  ASSERT_TRUE(jpeg);
  EXPECT_EQ(jpeg->Width(), 30);
  EXPECT_EQ(jpeg->Height(), 20);
  EXPECT_EQ(jpeg->Depth(), 32);
  auto greyJpeg = FolderItem(root_ / "grey.jpg").OpenAsPicture();
  ASSERT_TRUE(greyJpeg);
  EXPECT_EQ(greyJpeg->Depth(), 8);
}

TEST_F(FolderItemTest, FilesThatAreNoPicturesGiveNil) {
  EXPECT_FALSE(FolderItem(Write("GOLD.TXT", "Es war einmal")).OpenAsPicture());
  EXPECT_FALSE(FolderItem(Write("empty.jpg", "")).OpenAsPicture());
  EXPECT_FALSE(FolderItem(Write("cut.jpg", "\xFF\xD8\xFF\xE0")).OpenAsPicture());
  EXPECT_FALSE(FolderItem(root_).OpenAsPicture());
}

}  // namespace
}  // namespace fw
