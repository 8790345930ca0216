#include "support/harness.h"

#include <QApplication>
#include <QCheckBox>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QRadioButton>
#include <QTest>
#include <filesystem>
#include <map>

#include "framework/application/dispatch.h"
#include "framework/qt/control_peer.h"
#include "framework/qt/window_peer.h"
#include "framework/runtime/runtime.h"
#include "framework/window/window_system.h"

namespace harness {

namespace {

// Counts the frames that came onto the screen, by their window's class.
class ShowCounter : public QObject {
 public:
  bool eventFilter(QObject* target, QEvent* event) override {
    if (event->type() == QEvent::Show && target->isWidgetType()) {
      auto* widget = static_cast<QWidget*>(target);
      if (widget->isWindow()) {
        if (fw::Window* w = fw::qt::WindowOf(widget)) ++counts[w->Class().name];
      }
    }
    return false;
  }
  std::map<std::string, int, std::less<>> counts;
};

QPointer<ShowCounter> counter;

QWidget* WidgetOf(const fw::Ref<fw::Control>& control) {
  if (!control || !control->Peer()) {
    ADD_FAILURE() << "control has no widget";
    return nullptr;
  }
  return fw::qt::WidgetOf(*control);
}

}  // namespace

void FrameworkTest::SetUp() {
  fw::RuntimeInit();  // a fresh run: no quit asked for, no failure kept
  fw::SetMessageBoxHandler([this](const std::string& text) { messages.push_back(text); });
  if (!counter) {
    counter = new ShowCounter;
    counter->setParent(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(counter);
  }
  counter->counts.clear();
}

void FrameworkTest::TearDown() {
  fw::ReleaseModuleLists();
  ProcessEvents();
  fw::SetMessageBoxHandler(nullptr);
  if (std::exception_ptr failure = fw::TakeUnhandledFailure()) {
    ADD_FAILURE() << "a failure reached the event loop: " << fw::DescribeFailure(failure);
  }
}

void AsHandler(const std::function<void()>& work) {
  fw::Dispatch(work);
  ProcessEvents();
}

void ProcessEvents() {
  for (int round = 0; round < 5; ++round) {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

void TakeMouseDowns(const fw::Ref<fw::Control>& control, std::vector<int>& at) {
  fw::InstallInstanceEventHandler(
      control, "MouseDown",
      std::make_shared<fw::Delegate>("( Int32, Int32 ) as Boolean", [&at](const fw::Arguments& a) {
        at = {std::get<int32_t>(a[0]), std::get<int32_t>(a[1])};
        return fw::Value(true);
      }));
}

void Click(const fw::Ref<fw::Control>& control) {
  QWidget* w = WidgetOf(control);
  if (!w) return;
  // Boxes and radio buttons answer on their mark, not on empty space.
  bool marked = qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w);
  QPoint at = marked ? QPoint(8, w->height() / 2) : w->rect().center();
  // A user looks at the new window before clicking again; the program
  // ignores a click at the same place within a second of a window change.
  constexpr int kUsersPauseMs = 1100;
  QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, at, kUsersPauseMs);
  ProcessEvents();
}

void Type(const fw::Ref<fw::Control>& control, std::string_view text) {
  QWidget* w = WidgetOf(control);
  if (!w) return;
  for (QChar c : QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))) {
    QTest::keyClicks(w, QString(c));
    ProcessEvents();
  }
}

void PressKey(const fw::Ref<fw::Control>& control, int qtKey) {
  if (QWidget* w = WidgetOf(control)) QTest::keyClick(w, static_cast<Qt::Key>(qtKey));
  ProcessEvents();
}

bool OnScreen(const fw::Window& window) {
  QWidget* frame = window.Peer().Frame();
  return frame && frame->isVisible();
}

std::vector<std::string> LiveWindows() {
  std::vector<std::string> names;
  for (const auto& w : fw::WindowSystem::Registered()) names.push_back(w->Class().name);
  return names;
}

std::vector<std::string> ShownWindows() {
  std::vector<std::string> names;
  for (const auto& w : fw::WindowSystem::Registered()) {
    if (OnScreen(*w)) names.push_back(w->Class().name);
  }
  return names;
}

std::vector<std::string> HiddenWindows() {
  std::vector<std::string> names;
  for (const auto& w : fw::WindowSystem::Registered()) {
    if (!OnScreen(*w)) names.push_back(w->Class().name);
  }
  return names;
}

int TimesShownOnScreen(std::string_view className) {
  if (!counter) return 0;
  auto it = counter->counts.find(className);
  return it == counter->counts.end() ? 0 : it->second;
}

QImage Grab(const fw::Window& window) { return window.Peer().Content()->grab().toImage(); }

QImage SaveScreenshot(const fw::Window& window, const std::string& name) {
  QImage image = window.Peer().Frame()->grab().toImage();
  std::filesystem::path folder = MERKHAUS_SCREENSHOT_DIR;
  std::filesystem::create_directories(folder);
  image.save(QString::fromStdString((folder / (name + ".png")).string()));
  return image;
}

std::vector<std::pair<std::string, std::vector<MenuEntry>>> MenuBarOf(const fw::Window& window) {
  std::vector<std::pair<std::string, std::vector<MenuEntry>>> menus;
  auto* bar = qobject_cast<QMenuBar*>(window.Peer().MenuBarWidget());
  if (!bar) return menus;
  for (QAction* top : bar->actions()) {
    QMenu* menu = top->menu();
    if (!menu) continue;
    emit menu->aboutToShow();
    std::vector<MenuEntry> entries;
    for (QAction* a : menu->actions()) {
      entries.push_back({a->text().toStdString(),
                         a->shortcut().toString(QKeySequence::PortableText).toStdString(),
                         a->isSeparator(), a->isEnabled()});
    }
    menus.emplace_back(top->text().toStdString(), std::move(entries));
  }
  return menus;
}

void TriggerMenuEntry(const fw::Window& window, const std::string& entryName) {
  auto* bar = qobject_cast<QMenuBar*>(window.Peer().MenuBarWidget());
  ASSERT_NE(bar, nullptr);
  auto* action = bar->findChild<QAction*>(QString::fromStdString(entryName));
  ASSERT_NE(action, nullptr) << entryName;
  action->trigger();
  ProcessEvents();
}

}  // namespace harness
