// The least a Qt program does to show a window of the program's size: the
// yardstick for the program's start-up.
#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace {

class FirstPaint : public QObject {
 public:
  bool eventFilter(QObject* target, QEvent* event) override {
    if (event->type() == QEvent::Paint && target->isWidgetType()) QCoreApplication::quit();
    return false;
  }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  FirstPaint watcher;
  app.installEventFilter(&watcher);
  QWidget window;
  window.setFixedSize(1000, 750);
  window.show();
  return app.exec();
}
