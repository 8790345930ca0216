// Starts the program as its process entry does and ends as soon as the
// start screen has been painted on the screen: the time a user waits.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFontMetrics>
#include <QWidget>
#include <cstdio>

#include "framework/application/application.h"
#include "framework/folder_item/folder_item.h"
#include "framework/runtime/delegate.h"
#include "framework/runtime/runtime.h"
#include "shell/startup.h"
#include "shell/tinted_background.h"

namespace {

QElapsedTimer sinceStart;

// With an argument, the probe tells where its time went.
bool tell = false;
void Mark(const char* step) {
  if (tell)
    std::fprintf(stderr, "%6.1f ms  %s\n", static_cast<double>(sinceStart.nsecsElapsed()) / 1e6,
                 step);
}

class FirstPaint : public QObject {
 public:
  bool eventFilter(QObject* target, QEvent* event) override {
    if (event->type() == QEvent::Paint && target->isWidgetType() &&
        static_cast<QWidget*>(target)->window()->isVisible()) {
      Mark("first paint");
      fw::Quit(0);
    }
    return false;
  }
};

}  // namespace

int main(int argc, char**) {
  sinceStart.start();
  tell = argc > 1;
  fw::OverrideExecutablePath(std::filesystem::path(MERKHAUS_BIN_DIR) / "merkhaus");
  fw::RuntimeInit();
  Mark("toolkit started");
  FirstPaint watcher;
  QCoreApplication::instance()->installEventFilter(&watcher);
  startup::Initialize();
  Mark("classes set up");
  if (tell) {
    x_hintergrund1::hintergrund1();
    Mark("background picture read");
    QFontMetrics(QFont("Verdana", 18)).horizontalAdvance("MERKHAUS");
    Mark("fonts found");
  }
  fw::RunFrameworkInitialization(fw::RuntimeCreateDelegate(&startup::Startup, "(  )"));
  Mark("start screen built and shown");
  fw::RuntimeRun();
  startup::Finalize();
  return fw::RuntimeExit();
}
