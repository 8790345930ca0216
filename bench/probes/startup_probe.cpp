// Starts the program as its process entry does and ends as soon as the
// start screen has been painted on the screen: the time a user waits.
#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

#include "framework/application/application.h"
#include "framework/folder_item/folder_item.h"
#include "framework/runtime/runtime.h"
#include "shell/startup.h"

namespace {

class FirstPaint : public QObject {
 public:
  bool eventFilter(QObject* target, QEvent* event) override {
    if (event->type() == QEvent::Paint && target->isWidgetType() &&
        static_cast<QWidget*>(target)->window()->isVisible()) {
      fw::Quit(0);
    }
    return false;
  }
};

}  // namespace

int main() {
  fw::OverrideExecutablePath(std::filesystem::path(MERKHAUS_BIN_DIR) / "merkhaus");
  fw::RuntimeInit();
  FirstPaint watcher;
  QCoreApplication::instance()->installEventFilter(&watcher);
  startup::Initialize();
  startup::Main();
  startup::Finalize();
  return fw::RuntimeExit();
}
