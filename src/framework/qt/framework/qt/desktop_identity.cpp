#include <QApplication>
#include <QIcon>
#include <QTimer>

#include "framework/window/toolkit.h"

namespace fw::qt {

namespace {

struct Identity {
  std::string windowClass;
  std::string desktopEntry;
  std::vector<std::string> iconFiles;
};

Identity identity;

// Reading the icon in all its sizes and handing it to the window manager
// cost more than anything else on the way to the first window being
// mapped; it follows the first paint, long before a user could tell.
class IconAfterFirstPaint : public QObject {
 public:
  using QObject::QObject;

  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::Paint) return false;
    qApp->removeEventFilter(this);
    deleteLater();
    QTimer::singleShot(0, qApp, [] {
      QIcon icon;
      for (const std::string& file : identity.iconFiles) icon.addFile(QString::fromStdString(file));
      // A missing or unreadable icon file leaves the desktop's generic icon.
      if (!icon.availableSizes().isEmpty()) QApplication::setWindowIcon(icon);
    });
    return false;
  }
};

}  // namespace

void SetDesktopIdentity(std::string windowClass, std::string desktopEntry,
                        std::vector<std::string> iconFiles) {
  identity = {std::move(windowClass), std::move(desktopEntry), std::move(iconFiles)};
  if (QApplication::instance()) ApplyDesktopIdentity();
}

std::string ToolkitInstanceName() {
  if (identity.windowClass.empty()) return "guiframework";
  // By custom the instance is the class in lower case, as a command is named.
  return QByteArray::fromStdString(identity.windowClass).toLower().toStdString();
}

void ApplyDesktopIdentity() {
  // On X11 the application's name is the class part of every window's
  // WM_CLASS, which task bars match against the desktop entry; Wayland
  // matches the entry's id.
  if (!identity.windowClass.empty()) {
    QCoreApplication::setApplicationName(QString::fromStdString(identity.windowClass));
  }
  if (!identity.desktopEntry.empty()) {
    QGuiApplication::setDesktopFileName(QString::fromStdString(identity.desktopEntry));
  }
  if (!identity.iconFiles.empty()) qApp->installEventFilter(new IconAfterFirstPaint(qApp));
}

}  // namespace fw::qt
