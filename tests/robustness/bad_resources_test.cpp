#include <sys/stat.h>
#include <unistd.h>

#include <QImage>
#include <QPainter>
#include <QTableWidget>
#include <QTimer>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "catalogue/window3.h"
#include "framework/application/dispatch.h"
#include "framework/controls/edit_field.h"
#include "framework/runtime/runtime.h"
#include "learning/window2.h"
#include "learning/window4.h"
#include "learning/window5.h"
#include "recall/window11.h"
#include "recall/window12.h"
#include "recall/window13.h"
#include "shell/implicit_window.h"
#include "shell/menu_bar1.h"
#include "shell/startup.h"
#include "shell/window1.h"
#include "shell/window20.h"
#include "support/harness.h"
#include "support/temp_bundle.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using Names = std::vector<std::string>;

const char* const kFatal = "Das Programm muss wegen eines Fehlers beendet werden.";

// The sanitizer build runs everything several times slower.
#if defined(__SANITIZE_ADDRESS__)
constexpr double kSlowdown = 4;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr double kSlowdown = 4;
#else
constexpr double kSlowdown = 1;
#endif
#else
constexpr double kSlowdown = 1;
#endif

std::string RandomBytes(size_t count, unsigned seed) {
  std::mt19937 random(seed);
  std::string bytes(count, '\0');
  for (char& b : bytes) b = static_cast<char>(random() & 0xFF);
  return bytes;
}

bool ValidUtf8(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toUtf8() ==
         QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

// What can stand in the Resources folder where a data file should be.
enum class Bad {
  Missing,
  Empty,
  RandomBytes,
  Directory,
  DanglingLink,
  LinkLoop,
  Fifo,
  Unreadable,
};

const char* NameOf(Bad kind) {
  switch (kind) {
    case Bad::Missing:
      return "Missing";
    case Bad::Empty:
      return "Empty";
    case Bad::RandomBytes:
      return "RandomBytes";
    case Bad::Directory:
      return "Directory";
    case Bad::DanglingLink:
      return "DanglingLink";
    case Bad::LinkLoop:
      return "LinkLoop";
    case Bad::Fifo:
      return "Fifo";
    case Bad::Unreadable:
      return "Unreadable";
  }
  return "?";
}

// Root opens files of mode 000 all the same, so they only show something
// to an ordinary user.
bool RunningAsRoot() { return geteuid() == 0; }

void PutInPlace(const fs::path& path, Bad kind, unsigned seed) {
  std::error_code ignored;
  fs::remove_all(path, ignored);
  switch (kind) {
    case Bad::Missing:
      break;
    case Bad::Empty:
      std::ofstream(path, std::ios::binary).flush();
      break;
    case Bad::RandomBytes:
      std::ofstream(path, std::ios::binary) << RandomBytes(4096, seed);
      break;
    case Bad::Directory:
      fs::create_directory(path);
      break;
    case Bad::DanglingLink:
      fs::create_symlink(path.parent_path() / "nirgends", path);
      break;
    case Bad::LinkLoop:
      fs::create_symlink(path.filename(), path);
      break;
    case Bad::Fifo:
      ASSERT_EQ(mkfifo(path.c_str(), 0644), 0) << path;
      break;
    case Bad::Unreadable:
      std::ofstream(path, std::ios::binary) << "Geheim";
      fs::permissions(path, fs::perms::none);
      break;
  }
}

template <class W>
fw::Ref<W> LiveWindow() {
  auto window = fw::GetImplicitWindow(W::Lookup().name);
  EXPECT_NE(window, nullptr) << W::Lookup().name << " is not open";
  return std::static_pointer_cast<W>(window);
}

template <class W>
fw::Ref<fw::Control> ControlOf(const std::string& name) {
  auto window = LiveWindow<W>();
  return window ? window->ControlByName(name) : nullptr;
}

template <class W>
std::string TextOf(const std::string& name) {
  auto field = std::dynamic_pointer_cast<fw::EditField>(ControlOf<W>(name));
  return field ? field->Text() : std::string("<no field>");
}

template <class W>
void Press(const std::string& name) {
  harness::Click(ControlOf<W>(name));
}

template <class W>
void EnterCode(const std::string& code) {
  auto field = ControlOf<W>("EditField1");
  harness::Type(field, code);
  harness::PressKey(field, Qt::Key_Return);
}

// The program started as its start-up routine does it, in a bundle of the
// test's own making. The run ends through Main when the start fails, so
// that the failure reaches the user as the program tells it.
class BadResourcesTest : public harness::FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    startup::Initialize();
    started_ = Clock::now();
  }

  void TearDown() override {
    FrameworkTest::TearDown();
    fw::RegisterAppObject(nullptr);
    MenuBar1::ExitImplicitInstance();
    // A run that waits on a file (a FIFO opened for reading, a read that
    // never ends) would show here as a slow test.
    EXPECT_LT(std::chrono::duration<double>(Clock::now() - started_).count(),
              secondsAllowed_ * kSlowdown);
  }

  fs::path Resource(const std::string& name) const { return bundle.Resources() / name; }

  void StartUp() {
    fw::RunFrameworkInitialization(fw::RuntimeCreateDelegate(&startup::Startup, "(  )"));
    harness::ProcessEvents();
  }

  // Start-up that is expected to fail: the message the user gets. Should the
  // start succeed after all, the event loop is ended at once, so the test
  // fails on the missing message instead of waiting forever.
  std::string StartUpFailing() {
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { fw::Quit(0); });
    guard.start(0);
    startup::Main();
    guard.stop();
    EXPECT_EQ(messages.size(), 1u);
    return messages.empty() ? std::string() : messages.back();
  }

  static void ToTheWelcomeWindow() {
    if (!fw::GetImplicitWindow(Window20::Lookup().name)) {
      harness::AsHandler([] { ImplicitWindow<Window20>(); });
    }
    Press<Window20>("PushButton2");
  }

  // The first day as far as the text: the text that Window5 shows.
  static std::string FirstDayText(const std::string& code) {
    ToTheWelcomeWindow();
    Press<Window1>("CheckBox1");
    EnterCode<Window2>(code);
    if (harness::ShownWindows() != Names{"Window4.Window4"}) return "<no introduction>";
    Press<Window4>("PushButton2");
    return TextOf<Window5>("EditField1");
  }

  // The second day with the given count: summary and feedback as shown.
  struct Recall {
    std::string summary;
    std::string feedback;
  };
  static Recall SecondDay(const std::string& code, const std::string& count) {
    fw::ReleaseModuleLists();
    harness::ProcessEvents();
    ToTheWelcomeWindow();
    Press<Window1>("CheckBox2");
    EnterCode<Window11>(code);
    if (harness::ShownWindows() != Names{"Window12.Window12"}) return {"<no recall>", ""};
    Recall seen;
    seen.summary = TextOf<Window12>("EditField1");
    Press<Window12>("RadioButton1");
    harness::Type(ControlOf<Window12>("EditField3"), count);
    Press<Window12>("PushButton2");
    EXPECT_EQ(harness::ShownWindows(), Names{"Window13.Window13"});
    seen.feedback = TextOf<Window13>("EditField1");
    // The list still fills from the catalogue, whatever the files hold.
    Press<Window13>("PushButton1");
    auto list = ControlOf<Window3>("Listbox1");
    auto* table = list ? qobject_cast<QTableWidget*>(fw::qt::WidgetOf(*list)) : nullptr;
    EXPECT_TRUE(table && table->rowCount() == 82);
    return seen;
  }

  harness::TempBundle bundle;
  Clock::time_point started_;
  double secondsAllowed_ = 10;
};

// ---- Text files ----------------------------------------------------------

class BadTextFileTest : public BadResourcesTest, public ::testing::WithParamInterface<Bad> {};

// The text and the summary of "gold" and every feedback text are broken
// alike. What can't be read is named to the user, never shown as an empty
// page or an empty result; random bytes are text like any other.
TEST_P(BadTextFileTest, BrokenTextsAreNamedNotShownEmpty) {
  const Bad kind = GetParam();
  if (kind == Bad::Unreadable && RunningAsRoot()) {
    GTEST_SKIP() << "running as root, which reads files of mode 000";
  }
  bundle.CopyShippedResources();
  unsigned seed = 1;
  for (const char* name : {"GOLD.TXT", "GOLDzus.TXT", "Wleistung0.TXT", "Wleistung51.TXT",
                           "Wleistung71.TXT", "Wleistung90.TXT"}) {
    PutInPlace(Resource(name), kind, seed++);
  }
  StartUp();
  ASSERT_EQ(harness::ShownWindows(), Names{"Window20.Window20"});

  const std::string text = FirstDayText("gold");
  const Recall gold = SecondDay("gold", "3");
  const Recall jan = SecondDay("jan", "3");
  EXPECT_EQ(TextOf<Window13>("EditField2"), "19");
  if (kind == Bad::RandomBytes) {
    // Any byte is a Mac Roman character; the fields get valid text.
    for (const std::string* shown : {&text, &gold.summary, &gold.feedback, &jan.feedback}) {
      EXPECT_FALSE(shown->empty());
      EXPECT_TRUE(ValidUtf8(*shown));
    }
    EXPECT_TRUE(messages.empty()) << messages.front();
    return;
  }
  EXPECT_EQ(text, "<no introduction>");
  EXPECT_EQ(gold.summary, "<no recall>");
  EXPECT_EQ(jan.feedback, "");
  ASSERT_EQ(messages.size(), 3u);
  for (int i = 0; const char* name : {"„GOLD.TXT“", "„GOLDzus.TXT“", "„Wleistung0.TXT“"}) {
    EXPECT_NE(messages[i++].find(name), std::string::npos) << name;
  }
}

INSTANTIATE_TEST_SUITE_P(EveryKind, BadTextFileTest,
                         ::testing::Values(Bad::Missing, Bad::Empty, Bad::RandomBytes,
                                           Bad::Directory, Bad::DanglingLink, Bad::LinkLoop,
                                           Bad::Fifo, Bad::Unreadable),
                         [](const auto& tested) { return std::string(NameOf(tested.param)); });

TEST_F(BadResourcesTest, UnreadableFileAsRootIsReadLikeAnyOther) {
  if (!RunningAsRoot()) GTEST_SKIP() << "only root reads files of mode 000";
  bundle.CopyShippedResources();
  PutInPlace(Resource("GOLD.TXT"), Bad::Unreadable, 0);
  StartUp();
  EXPECT_EQ(FirstDayText("gold"), "Geheim");
}

// Texts that are only partly there: the rest of the catalogue keeps working.
TEST_F(BadResourcesTest, FolderWithOnlyThePictureNamesTheMissingTexts) {
  bundle.CopyShippedResources();
  for (const auto& entry : fs::directory_iterator(bundle.Resources())) {
    if (entry.path().filename() != "hintergrund1.jpg") fs::remove(entry.path());
  }
  StartUp();
  EXPECT_EQ(FirstDayText("band"), "<no introduction>");
  EXPECT_EQ(SecondDay("band", "16").summary, "<no recall>");
  EXPECT_EQ(messages.size(), 2u);
}

// One text of 50 MB, over a million lines: read whole and shown. The text
// widget takes some seconds over it (a minute on a machine busy with the
// other tests), but nothing waits without end.
TEST_F(BadResourcesTest, HugeTextIsShownWhole) {
  secondsAllowed_ = 120;
  bundle.CopyShippedResources();
  std::string line =
      "Ein Tramp zieht \x9f"
      "ber den verschneiten Pass nach Alaska.\r";
  std::string huge;
  huge.reserve(50u << 20);
  while (huge.size() + line.size() <= (50u << 20)) huge += line;
  bundle.WriteResource("GOLD.TXT", huge);
  StartUp();
  const std::string text = FirstDayText("gold");
  EXPECT_EQ(text.size(), huge.size() / line.size() * (line.size() + 1));
  EXPECT_TRUE(text.starts_with("Ein Tramp zieht über"));
  EXPECT_TRUE(messages.empty());
}

// ---- The background picture ---------------------------------------------

// The message names the folder it looked for, and says so on standard error
// as well, for whoever installed the program and starts it from a terminal.
TEST_F(BadResourcesTest, NoResourcesFolderEndsTheStartNamingTheFolder) {
  bundle.RemoveResourcesFolder();
  ::testing::internal::CaptureStderr();
  const std::string message = StartUpFailing();
  const std::string console = ::testing::internal::GetCapturedStderr();
  EXPECT_TRUE(message.starts_with(kFatal)) << message;
  const std::string folder = "„" + bundle.Resources().string() + "“";
  EXPECT_NE(message.find(folder), std::string::npos) << message;
  const std::string line = message.substr(message.find("Ein benötigtes Objekt fehlt"));
  EXPECT_EQ(console, "merkhaus: " + line + "\n");
  EXPECT_TRUE(harness::ShownWindows().empty());
  EXPECT_EQ(harness::TimesShownOnScreen("Window20.Window20"), 0);
}

TEST_F(BadResourcesTest, ResourcesAsAFileEndsTheStartNamingTheFolder) {
  bundle.RemoveResourcesFolder();
  std::ofstream(bundle.Resources()) << "kein Ordner";
  const std::string message = StartUpFailing();
  EXPECT_NE(message.find("„" + bundle.Resources().string() + "“"), std::string::npos) << message;
  EXPECT_TRUE(harness::ShownWindows().empty());
}

class BadPictureTest : public BadResourcesTest, public ::testing::WithParamInterface<Bad> {};

TEST_P(BadPictureTest, EndsTheStartWithAClearMessage) {
  const Bad kind = GetParam();
  if (kind == Bad::Unreadable && RunningAsRoot()) {
    GTEST_SKIP() << "running as root, which reads files of mode 000";
  }
  bundle.CopyShippedResources();
  PutInPlace(Resource("hintergrund1.jpg"), kind, 7);
  const std::string message = StartUpFailing();
  EXPECT_TRUE(message.starts_with(kFatal)) << message;
  EXPECT_NE(message.find("„hintergrund1.jpg“"), std::string::npos) << message;
  EXPECT_TRUE(harness::ShownWindows().empty());
  EXPECT_EQ(harness::TimesShownOnScreen("Window20.Window20"), 0);
}

// A missing picture is the start-up tests' case.
INSTANTIATE_TEST_SUITE_P(EveryKind, BadPictureTest,
                         ::testing::Values(Bad::Empty, Bad::RandomBytes, Bad::Directory,
                                           Bad::DanglingLink, Bad::LinkLoop, Bad::Fifo,
                                           Bad::Unreadable),
                         [](const auto& tested) { return std::string(NameOf(tested.param)); });

TEST_F(BadResourcesTest, PictureInAnotherFormatEndsTheStartWithAClearMessage) {
  bundle.CopyShippedResources();
  QImage image(20, 20, QImage::Format_RGB32);
  image.fill(Qt::gray);
  image.save(QString::fromStdString(Resource("hintergrund1.jpg").string()), "BMP");
  EXPECT_NE(StartUpFailing().find("hintergrund1.jpg"), std::string::npos);
}

// A picture cut off halfway, as by a broken copy: whatever the decoder makes
// of it, the run either starts or tells why not.
TEST_F(BadResourcesTest, TruncatedPictureStartsOrEndsWithAClearMessage) {
  bundle.CopyShippedResources();
  std::ifstream in(Resource("hintergrund1.jpg"), std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  in.close();
  bundle.WriteResource("hintergrund1.jpg", bytes.substr(0, bytes.size() / 2));
  try {
    StartUp();
  } catch (...) {
    fw::UnhandledException(std::current_exception());  // as Main tells it
  }
  if (messages.empty()) {
    EXPECT_EQ(harness::ShownWindows(), Names{"Window20.Window20"});
  } else {
    EXPECT_NE(messages[0].find("hintergrund1.jpg"), std::string::npos) << messages[0];
    EXPECT_TRUE(harness::ShownWindows().empty());
  }
}

class OddSizedPictureTest : public BadResourcesTest, public ::testing::WithParamInterface<QSize> {};

// A picture of any size tiles the windows; both roads run on it.
TEST_P(OddSizedPictureTest, EveryWindowOpensAndPaints) {
  bundle.CopyShippedResources();
  const QSize size = GetParam();
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter(&image).fillRect(0, 0, size.width() / 2 + 1, size.height() / 2 + 1, Qt::black);
  image.save(QString::fromStdString(Resource("hintergrund1.jpg").string()), "JPEG");
  StartUp();
  ASSERT_EQ(harness::ShownWindows(), Names{"Window20.Window20"});
  EXPECT_EQ(harness::Grab(*LiveWindow<Window20>()).size(), QSize(1000, 750));

  EXPECT_FALSE(FirstDayText("gold").empty());
  EXPECT_EQ(harness::Grab(*LiveWindow<Window5>()).size(), QSize(1000, 750));
  const Recall recall = SecondDay("band", "16");
  EXPECT_FALSE(recall.summary.empty());
  EXPECT_FALSE(recall.feedback.empty());
  EXPECT_EQ(harness::Grab(*LiveWindow<Window13>()).size(), QSize(1000, 750));
  EXPECT_TRUE(messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Sizes, OddSizedPictureTest,
                         ::testing::Values(QSize(1, 1), QSize(3000, 10), QSize(10, 3000)),
                         [](const auto& tested) {
                           return std::to_string(tested.param.width()) + "x" +
                                  std::to_string(tested.param.height());
                         });

}  // namespace
