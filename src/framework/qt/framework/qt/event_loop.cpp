#include <fontconfig/fontconfig.h>

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QSocketNotifier>
#include <QTimer>
#include <QTranslator>
#include <QWidget>
#include <optional>
#include <string>
#include <system_error>
#include <thread>

#include "framework/qt/display_check.h"
#include "framework/qt/handover.h"
#include "framework/qt/scale.h"
#include "framework/window/toolkit.h"

namespace fw::qt {

namespace {

QApplication* ownApp = nullptr;

// Faces the layouts name that a Linux machine rarely has, and what stands in.
void SubstituteFaces() {
  QFont::insertSubstitutions(QStringLiteral("Verdana"),
                             {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
  QFont::insertSubstitutions(QStringLiteral("Times Roman"),
                             {QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"),
                              QStringLiteral("DejaVu Serif")});
  QFont::insertSubstitutions(QStringLiteral("Times"),
                             {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
}

// The toolkit's own texts (the fields' and scroll bars' menus, the names of
// the keys in shortcuts) speak the program's language, whatever the user's
// locale says. Without the translations installed they stay English.
void SpeakGerman() {
  QLocale german(QLocale::German, QLocale::Germany);
  QLocale::setDefault(german);
  auto* translator = new QTranslator(QCoreApplication::instance());
  if (translator->load(german, QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(translator);
  }
}

}  // namespace

void StartToolkit() {
  if (QApplication::instance()) return;
  static int argc = 1;
  // The toolkit names windows after argv[0]; it must outlive the toolkit.
  static std::string name = ToolkitInstanceName();
  static char* argv[] = {name.data(), nullptr};
  // The first window cannot be sized before the fonts are known, and loading
  // the font configuration is the longest step on the way to it; it loads
  // while the toolkit starts, which waits on the display most of the time.
  std::optional<std::thread> fonts;
  try {
    fonts.emplace([] { FcInit(); });
  } catch (const std::system_error&) {
    // No thread to spare: the toolkit loads the configuration itself.
  }
  ownApp = new QApplication(argc, argv);
  ForgetDisplayCheck();
  if (fonts) fonts->join();
  QApplication::setQuitOnLastWindowClosed(false);
  ApplyDesktopIdentity();
  SpeakGerman();
  SubstituteFaces();
  ScaleMarksWithWindows();
}

void StopToolkit() {
  if (!ownApp) return;
  LeaveAllNow();
  // Widgets given up during the run are deleted on the loop's next turn;
  // there is none after this, so it happens here.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  delete ownApp;
  ownApp = nullptr;
}

void ExecEventLoop() { QApplication::exec(); }

void ExitEventLoop() {
  if (QCoreApplication::instance()) QCoreApplication::exit(0);
}

void WatchDescriptor(int fd, int restMs, std::function<void()> work) {
  if (!QCoreApplication::instance() || fd < 0) return;
  auto* notifier = new QSocketNotifier(fd, QSocketNotifier::Read, QCoreApplication::instance());
  QObject::connect(
      notifier, &QSocketNotifier::activated, notifier, [notifier, restMs, work = std::move(work)] {
        notifier->setEnabled(false);
        work();
        QTimer::singleShot(restMs, notifier, [notifier] { notifier->setEnabled(true); });
      });
}

void RestoreMinimizedWindows() {
  if (!QApplication::instance()) return;
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (top->isVisible() && top->isMinimized()) {
      top->setWindowState(top->windowState() & ~Qt::WindowMinimized);
    }
  }
}

bool RaiseModalBox() {
  QWidget* box = QApplication::activeModalWidget();
  if (!box || !box->isVisible()) return false;
  box->raise();
  box->activateWindow();
  return true;
}

void PostToEventLoop(std::function<void()> work) {
  if (!QCoreApplication::instance()) return;
  QTimer::singleShot(0, QCoreApplication::instance(), std::move(work));
}

}  // namespace fw::qt
