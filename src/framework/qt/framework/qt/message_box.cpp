#include <QCoreApplication>
#include <QDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMap>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "framework/qt/qt_text.h"
#include "framework/qt/window_manager.h"
#include "framework/qt/window_peer.h"
#include "framework/window/toolkit.h"
#include "framework/window/window.h"

namespace fw::qt {

namespace {

// Smaller type than this is hard to read for the users of such programs.
constexpr int kLeastTextSize = 18;
constexpr int kWidestLine = 700;
constexpr int kNarrowestLine = 200;
constexpr QMargins kAroundText(28, 24, 28, 20);
// What a window manager's frame takes beside a window, at most.
constexpr int kFrameBeside = 12;

// The program's name, from its file: "merkhaus" gives "Merkhaus".
QString ProgramName() {
  QString name = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
  if (!name.isEmpty()) name[0] = name[0].toUpper();
  return name;
}

// The face that the window speaks in: the one most of its controls use.
QFont FaceOf(const Window* window) {
  // Each family with how many controls use it and the font of the last one.
  QMap<QString, std::pair<int, QFont>> uses;
  const QWidget* content = window ? window->Peer().Content() : nullptr;
  for (QWidget* w :
       content ? content->findChildren<QWidget*>(Qt::FindDirectChildrenOnly) : QList<QWidget*>()) {
    auto& use = uses[w->font().family()];
    ++use.first;
    use.second = w->font();
  }
  auto most = std::ranges::max_element(uses, {}, [](const auto& use) { return use.first; });
  QFont chosen = most == uses.end() ? QFont() : most->second;
  QFont face(chosen.family());
  face.setPixelSize(std::max(kLeastTextSize, chosen.pixelSize()));
  return face;
}

class MessageBox : public QDialog {
 public:
  MessageBox(QWidget* over, const QFont& face, const QString& text) : QDialog(over) {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(ProgramName());
    setWindowModality(Qt::ApplicationModal);
    setFont(face);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kAroundText);
    layout->setSpacing(20);
    auto* label = new QLabel(text, this);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    // Short messages on one line, long ones wrapped at a width still read
    // at a glance, and never wider than the screen.
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
      widest = std::max(widest, label->fontMetrics().horizontalAdvance(line));
    }
    int room = kWidestLine;
    if (QScreen* screen = over ? over->screen() : QGuiApplication::primaryScreen()) {
      int beside = kAroundText.left() + kAroundText.right() + 2 * kFrameBeside;
      room = std::clamp(screen->availableGeometry().width() - beside, kNarrowestLine, room);
    }
    label->setMinimumWidth(std::min(room, widest + 2));
    label->setMaximumWidth(room);
    layout->addWidget(label);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    ok->setMinimumWidth(110);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(ok, 0, Qt::AlignRight);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    ok->setFocus(Qt::OtherFocusReason);
  }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    // Every key that means "go on" closes the box at its press, once.
    static constexpr int kGoOn[] = {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_Escape};
    if (std::ranges::find(kGoOn, event->key()) == std::end(kGoOn)) {
      QDialog::keyPressEvent(event);
    } else if (!event->isAutoRepeat()) {
      accept();
    }
  }
};

}  // namespace

void ShowMessageBox(const Window* over, const std::string& text) {
  QWidget* frame = over ? over->Peer().Frame() : nullptr;
  if (frame && !frame->isVisible()) frame = nullptr;
  MessageBox box(frame, FaceOf(over), ToQt(text));
  // Openbox gives every dialog a minimize button whatever it is told, and
  // minimizing it takes the window it speaks for along, with nothing left on
  // the screen to bring them back by. A tool bar it frames without one.
  if (WindowManagerName() == QLatin1String("Openbox")) FrameAsToolBar(&box);
  box.exec();
  // Without a window manager nobody hands the keyboard back.
  if (frame && frame->isVisible()) frame->activateWindow();
}

}  // namespace fw::qt
