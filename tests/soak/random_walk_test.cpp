#include <malloc.h>
#include <unistd.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTest>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "catalogue/text_catalogue.h"
#include "catalogue/text_store.h"
#include "framework/application/dispatch.h"
#include "framework/controls/edit_field.h"
#include "framework/controls/listbox.h"
#include "framework/controls/push_button.h"
#include "framework/runtime/runtime.h"
#include "framework/window/window_system.h"
#include "learning/window2.h"
#include "learning/window5.h"
#include "recall/window12.h"
#include "shell/implicit_window.h"
#include "shell/window1.h"
#include "shell/window10.h"
#include "shell/window20.h"
#include "support/program_test.h"

#if defined(__SANITIZE_ADDRESS__)
#define MERKHAUS_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MERKHAUS_ASAN 1
#endif
#endif

#ifdef MERKHAUS_ASAN
// From the sanitizer's allocator interface, whose header GCC does not ship.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
extern "C" void __sanitizer_purge_allocator();
#endif

namespace {

using Clock = std::chrono::steady_clock;

// The sanitizer makes every action several times slower; its walk is
// shorter, so that it ends within a few minutes.
#ifdef MERKHAUS_ASAN
constexpr int kDefaultSteps = 6000;
#else
constexpr int kDefaultSteps = 20000;
#endif

struct Memory {
  long resident = 0;  // bytes on the machine
  long heap = 0;      // bytes in live allocations
};

// The resident set size comes from /proc/self/statm: it is what the machine
// pays for the run, Qt's own mappings included. Read raw, it also counts
// freed memory that the allocator keeps: glibc holds on to freed picture
// buffers once they have raised its mmap threshold, and the sanitizer keeps
// freed blocks in quarantine. Both are handed back first. The live heap
// comes from the allocator itself; mallinfo2 would see only glibc's arenas,
// which the sanitizer build does not use.
Memory MemoryInUse() {
  Memory m;
#ifdef MERKHAUS_ASAN
  __sanitizer_purge_allocator();
  m.heap = static_cast<long>(__sanitizer_get_current_allocated_bytes());
#else
  malloc_trim(0);
  struct mallinfo2 info = mallinfo2();
  m.heap = static_cast<long>(info.uordblks + info.hblkhd);
#endif
  std::ifstream statm("/proc/self/statm");
  long size = 0, resident = 0;
  statm >> size >> resident;
  m.resident = resident * sysconf(_SC_PAGESIZE);
  return m;
}

uint64_t SeedFromEnvironment() {
  if (const char* text = std::getenv("MERKHAUS_SOAK_SEED")) return std::strtoull(text, nullptr, 10);
  return std::random_device{}();
}

int StepsFromEnvironment() {
  if (const char* text = std::getenv("MERKHAUS_SOAK_STEPS")) return std::atoi(text);
  return kDefaultSteps;
}

// The fields whose every key gives up the welcome window.
bool IsCodeField(const std::string& window, const std::string& field) {
  return (field == "EditField1" &&
          (window == "Window2.Window2" || window == "Window11.Window11")) ||
         (field == "EditField2" && window == "Window13.Window13");
}

// Buttons that end the run at once; the walk leaves them alone so that it
// goes on, and gets to a quit only through the close box.
bool QuitsTheRun(const fw::Ref<fw::Control>& control) {
  auto button = std::dynamic_pointer_cast<fw::PushButton>(control);
  return button && (button->Caption() == "Abbruch" || button->Caption() == "Ende");
}

const std::set<std::string> kKnownMessages{
    "Das Kürzel ist falsch! Bitte korrigieren!",
    "Ihre Angaben sind noch unvollständig! Bitte ergänzen!",
    "Diese Angabe muss falsch sein. Bitte korrigieren!",
};

struct SpecialKey {
  Qt::Key key;
  const char* name;
};

const SpecialKey kSpecialKeys[] = {
    {Qt::Key_Return, "Return"}, {Qt::Key_Enter, "Enter"},       {Qt::Key_Backspace, "Backspace"},
    {Qt::Key_Delete, "Delete"}, {Qt::Key_Tab, "Tab"},           {Qt::Key_Escape, "Escape"},
    {Qt::Key_Left, "Left"},     {Qt::Key_Right, "Right"},       {Qt::Key_Up, "Up"},
    {Qt::Key_Down, "Down"},     {Qt::Key_Home, "Home"},         {Qt::Key_End, "End"},
    {Qt::Key_PageUp, "PageUp"}, {Qt::Key_PageDown, "PageDown"},
};

const char* const kMenuEntries[] = {"EditUndo",  "EditCut",   "EditCopy",
                                    "EditPaste", "EditClear", "EditSelectAll"};

const char* const kWindowClasses[] = {"Window1.Window1",   "Window2.Window2",   "Window3.Window3",
                                      "Window4.Window4",   "Window5.Window5",   "Window6.Window6",
                                      "Window7.Window7",   "Window8.Window8",   "Window9.Window9",
                                      "Window10.Window10", "Window11.Window11", "Window12.Window12",
                                      "Window13.Window13", "Window20.Window20"};

// Letters, umlauts, digits and a few signs, as a German keyboard gives them.
const QString kCharacters =
    QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZäöüÄÖÜß0123456789 .,-+");

// One user who clicks, types and closes at random on whatever is on the
// screen. The walk holds no window or control between actions, so that
// their lifetimes are the program's own.
class RandomWalk {
 public:
  explicit RandomWalk(uint64_t seed) : random_(seed) {}

  // A new run from the start screen, as after start-up; the texts read so
  // far stay cached, as they would in the program.
  static void FreshRun() {
    fw::ReleaseModuleLists();
    harness::ProcessEvents();
    fw::RuntimeInit();
    harness::AsHandler([] { ImplicitWindow<Window20>(); });
  }

  // Does one action on a window on the screen and says what it was.
  std::string Act() {
    keyInCodeField_ = false;
    for (const char* name : kWindowClasses) showsBefore_[name] = harness::TimesShownOnScreen(name);
    std::vector<fw::Ref<fw::Window>> shown;
    for (const auto& w : fw::WindowSystem::Registered()) {
      if (harness::OnScreen(*w)) shown.push_back(w);
    }
    if (shown.empty()) return "nothing on the screen";
    fw::Ref<fw::Window> window = shown[Below(shown.size())];
    const std::string name = window->Class().name;
    ++actionsOn_[name];

    const size_t roll = Below(100);
    if (roll < 2) {
      window->Peer().Frame()->close();
      harness::ProcessEvents();
      return name + ": close box";
    }
    if (roll < 10) {
      const char* entry = kMenuEntries[Below(std::size(kMenuEntries))];
      QWidget* focus = QApplication::focusWidget();
      if (qobject_cast<QLineEdit*>(focus) || qobject_cast<QPlainTextEdit*>(focus)) ++menuOnField_;
      harness::TriggerMenuEntry(*window, entry);
      return name + ": menu " + entry;
    }
    if (roll < 15) {
      QWidget* content = window->Peer().Content();
      QPoint at(static_cast<int>(Below(static_cast<size_t>(content->width()))),
                static_cast<int>(Below(static_cast<size_t>(content->height()))));
      QTest::mouseClick(content, Qt::LeftButton, {}, at);
      harness::ProcessEvents();
      return name + ": click on the window at " + std::to_string(at.x()) + "," +
             std::to_string(at.y());
    }
    std::vector<fw::Ref<fw::EditField>> fields;
    for (const auto& c : window->Controls()) {
      if (auto field = std::dynamic_pointer_cast<fw::EditField>(c)) fields.push_back(field);
    }
    if (roll < 50 && !fields.empty()) return TypeInto(name, fields[Below(fields.size())]);
    return ClickOn(name, *window);
  }

  // Empty when the run is as it should be, otherwise what is wrong.
  std::string Check(const std::vector<std::string>& messages) const {
    std::vector<std::string> live = harness::LiveWindows();
    std::vector<std::string> sorted = live;
    std::sort(sorted.begin(), sorted.end());
    if (std::adjacent_find(sorted.begin(), sorted.end()) != sorted.end()) {
      return "two live windows of one class";
    }
    if (keyInCodeField_ && fw::GetImplicitWindow(Window1::Lookup().name)) {
      return "the welcome window is live after a key in a code field";
    }
    if (auto text =
            std::static_pointer_cast<Window5>(fw::GetImplicitWindow(Window5::Lookup().name))) {
      if (text->Gehezu < 6 || text->Gehezu > 8) {
        return "Window5's step counter is " + std::to_string(text->Gehezu);
      }
    }
    if (auto recall =
            std::static_pointer_cast<Window12>(fw::GetImplicitWindow(Window12::Lookup().name))) {
      if (recall->Punkterichtig > recall->Punktemax) {
        return "Window12 counts " + std::to_string(recall->Punkterichtig) + " of " +
               std::to_string(recall->Punktemax) + " points";
      }
    }
    for (const std::string& m : messages) {
      if (!kKnownMessages.contains(m)) return "unexpected message: " + m;
    }
    // A window that came onto the screen during the action and is gone
    // again at its end has flashed.
    std::vector<std::string> shown = harness::ShownWindows();
    for (const char* name : kWindowClasses) {
      if (harness::TimesShownOnScreen(name) > showsBefore_.at(name) &&
          std::find(shown.begin(), shown.end(), name) == shown.end()) {
        return std::string(name) + " came onto the screen and went again";
      }
    }
    // A closed window goes with its frame. One that lingers is held by
    // something, and the leak checker can't tell that from a live reference.
    // A live window that never reached the screen has no frame yet.
    size_t frames = 0;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (fw::qt::WindowOf(widget)) ++frames;
    }
    size_t framed = 0;
    for (const auto& w : fw::WindowSystem::Registered()) framed += w->Peer().HasWidgets();
    if (frames != framed) {
      return std::to_string(frames) + " window frames for " + std::to_string(framed) +
             " live windows that have been on the screen";
    }
    return {};
  }

  void CountShown() {
    for (const std::string& name : harness::ShownWindows()) ++stepsShown_[name];
  }

  std::string Coverage() const {
    std::ostringstream out;
    out << "steps with the window on the screen / actions on it:\n";
    for (const auto& [name, steps] : stepsShown_) {
      auto acted = actionsOn_.find(name);
      out << "  " << name << " " << steps << " / "
          << (acted == actionsOn_.end() ? 0 : acted->second) << "\n";
    }
    out << "whole codes typed " << codesTyped_ << ", counts typed " << countsTyped_
        << ", menu entries with a text field in focus " << menuOnField_ << "\n";
    return out.str();
  }

 private:
  size_t Below(size_t n) {
    return n == 0 ? 0 : std::uniform_int_distribution<size_t>(0, n - 1)(random_);
  }

  std::string ClickOn(const std::string& name, const fw::Window& window) {
    std::vector<fw::Ref<fw::Control>> targets;
    for (const auto& c : window.Controls()) {
      if (!QuitsTheRun(c) && c->Peer()) targets.push_back(c);
    }
    if (targets.empty()) return name + ": nothing to click";
    fw::Ref<fw::Control> target = targets[Below(targets.size())];
    if (auto list = std::dynamic_pointer_cast<fw::Listbox>(target)) {
      auto* table = qobject_cast<QTableWidget*>(fw::qt::WidgetOf(*list));
      if (table && table->rowCount() > 0) {
        int row = static_cast<int>(Below(static_cast<size_t>(table->rowCount())));
        int column = static_cast<int>(Below(static_cast<size_t>(table->columnCount())));
        QModelIndex index = table->model()->index(row, column);
        table->scrollTo(index);
        harness::ProcessEvents();
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(index).center());
        harness::ProcessEvents();
        return name + ": click on " + target->Name() + " row " + std::to_string(row);
      }
    }
    harness::Click(target);
    return name + ": click on " + target->Name();
  }

  std::string TypeInto(const std::string& name, const fw::Ref<fw::EditField>& field) {
    QWidget* widget = fw::qt::WidgetOf(*field);
    const std::string where = name + " " + field->Name();
    const bool codeField = IsCodeField(name, field->Name());
    if (codeField && Below(100) < 35) {
      // A whole code over whatever stood there: mostly one of the list,
      // sometimes with a capital or mistyped.
      const auto& catalogue = TextCatalogue();
      std::string code = catalogue[Below(catalogue.size())].Code;
      const size_t variant = Below(10);
      if (variant == 0) code[0] = static_cast<char>(code[0] - 'a' + 'A');
      if (variant == 1) code += "x";
      QTest::keyClick(widget, Qt::Key_A, Qt::ControlModifier);
      harness::Type(field, code);
      harness::PressKey(field, Qt::Key_Return);
      keyInCodeField_ = true;
      ++codesTyped_;
      return where + ": code " + code + " and Return";
    }
    if (name == "Window12.Window12" && field->Name() == "EditField3" && Below(100) < 50) {
      static const char* const kOdd[] = {"-3", "99999999999", "2147483648", "1e9", "0.5", "17"};
      std::string count = Below(5) == 0 ? kOdd[Below(std::size(kOdd))] : std::to_string(Below(20));
      QTest::keyClick(widget, Qt::Key_A, Qt::ControlModifier);
      harness::Type(field, count);
      ++countsTyped_;
      return where + ": count " + count;
    }
    keyInCodeField_ = codeField;
    if (Below(2) == 0) {
      // Qt's key codes for Latin-1 are the capital letter's code point.
      QChar c =
          kCharacters.at(static_cast<qsizetype>(Below(static_cast<size_t>(kCharacters.size()))));
      auto code = static_cast<Qt::Key>(c.toUpper().unicode());
      QTest::sendKeyEvent(QTest::Click, widget, code, QString(c), Qt::NoModifier);
      harness::ProcessEvents();
      return where + ": key " + QString(c).toStdString();
    }
    const SpecialKey& key = kSpecialKeys[Below(std::size(kSpecialKeys))];
    harness::PressKey(field, key.key);
    return where + ": key " + key.name;
  }

  std::mt19937_64 random_;
  bool keyInCodeField_ = false;
  std::map<std::string, int> showsBefore_;
  std::map<std::string, int> actionsOn_;
  std::map<std::string, int> stepsShown_;
  int codesTyped_ = 0;
  int countsTyped_ = 0;
  int menuOnField_ = 0;
};

class RandomWalkTest : public harness::ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    bundle.CopyShippedResources();
  }
};

// Thousands of actions from the start screen on. After each the run must
// hold together; a quit (the close box of the last window) starts a fresh
// run. Memory after the walk must stay near what the first 1000 actions
// took, once the caches are warm.
TEST_F(RandomWalkTest, ThousandsOfActionsKeepEveryRuleOfTheRun) {
  const uint64_t seed = SeedFromEnvironment();
  const int steps = StepsFromEnvironment();
  std::printf("random walk: seed %llu (MERKHAUS_SOAK_SEED=%llu repeats it), %d steps\n",
              static_cast<unsigned long long>(seed), static_cast<unsigned long long>(seed), steps);
  RecordProperty("seed", std::to_string(seed));

  RandomWalk walk(seed);
  RandomWalk::FreshRun();
  const auto start = Clock::now();
  int runs = 1;
  int unseenRuns = 0;
  std::string firstUnseen;
  Memory early;

  for (int step = 1; step <= steps; ++step) {
    messages.clear();
    const std::string action = walk.Act();
    const std::string where =
        "seed " + std::to_string(seed) + ", step " + std::to_string(step) + " (" + action + ")";
    if (std::exception_ptr failure = fw::TakeUnhandledFailure()) {
      FAIL() << where << ": a failure reached the event loop: " << fw::DescribeFailure(failure);
    }
    const std::string problem = walk.Check(messages);
    ASSERT_TRUE(problem.empty()) << where << ": " << problem;
    walk.CountShown();

    if (fw::QuitRequested()) {
      ++runs;
      RandomWalk::FreshRun();
    } else if (harness::ShownWindows().empty()) {
      // Nothing on the screen, yet the run goes on: no window, menu or close
      // box is left to end it. Counted, and the walk goes on afresh.
      if (unseenRuns++ == 0) firstUnseen = where;
      ++runs;
      RandomWalk::FreshRun();
    }
    if (step == 1000) {
      RandomWalk::FreshRun();
      early = MemoryInUse();
    }
  }
  RandomWalk::FreshRun();
  const Memory late = MemoryInUse();
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();

  std::printf("%d actions in %.1f s, %d runs\n%s", steps, seconds, runs, walk.Coverage().c_str());
  std::printf("after 1000 actions: resident %ld KiB, live heap %ld KiB\n", early.resident / 1024,
              early.heap / 1024);
  std::printf("after the walk:     resident %ld KiB, live heap %ld KiB\n", late.resident / 1024,
              late.heap / 1024);

  EXPECT_EQ(unseenRuns, 0) << "runs went on with no window on the screen; the first after "
                           << firstUnseen;
  if (steps > 1000) {
#ifdef MERKHAUS_ASAN
    // Here the resident size also grows with the sanitizer's own books (the
    // stack trace of every allocation site, shadow memory), whatever the
    // program holds; the live heap is the program's.
    EXPECT_LE(late.heap, early.heap + early.heap / 10)
        << "live heap grew from " << early.heap << " to " << late.heap << " bytes";
#else
    EXPECT_LE(late.resident, early.resident + early.resident / 10)
        << "resident memory grew from " << early.resident << " to " << late.resident << " bytes";
#endif
  }
}

// Found by the walk: a button that hides or closes the last window on the
// screen leaves the run going with nothing to see or click. The close box
// ends the run in that case; the buttons don't.
TEST_F(RandomWalkTest, LastWindowPutAwayByItsButtonLeavesNoRunBehindUnseen) {
  harness::AsHandler([] { ImplicitWindow<Window20>(); });
  harness::Click(ImplicitWindow<Window20>()->ControlByName("PushButton2"));

  // "mehr Info´s", the welcome window closed by its box, then "Fenster schließen".
  harness::Click(ImplicitWindow<Window1>()->ControlByName("RadioButton1"));
  ImplicitWindow<Window1>()->Peer().Frame()->close();
  harness::ProcessEvents();
  ASSERT_EQ(harness::ShownWindows(), std::vector<std::string>{"Window10.Window10"});
  ASSERT_FALSE(fw::QuitRequested());
  harness::Click(ImplicitWindow<Window10>()->ControlByName("PushButton1"));
  EXPECT_TRUE(fw::QuitRequested() || !harness::ShownWindows().empty())
      << "after \"Fenster schließen\" nothing is on the screen and the run goes on";

  // "Liste einblenden", the code entry closed by its box, then "Liste ausblenden".
  RandomWalk::FreshRun();
  harness::Click(ImplicitWindow<Window20>()->ControlByName("PushButton2"));
  harness::Click(ImplicitWindow<Window1>()->ControlByName("CheckBox1"));
  harness::Click(ImplicitWindow<Window2>()->ControlByName("PushButton1"));
  ImplicitWindow<Window2>()->Peer().Frame()->close();
  harness::ProcessEvents();
  ASSERT_EQ(harness::ShownWindows(), std::vector<std::string>{"Window3.Window3"});
  ASSERT_FALSE(fw::QuitRequested());
  harness::Click(fw::GetImplicitWindow("Window3.Window3")->ControlByName("PushButton3"));
  EXPECT_TRUE(fw::QuitRequested() || !harness::ShownWindows().empty())
      << "after \"Liste ausblenden\" nothing is on the screen and the run goes on";
}

}  // namespace
