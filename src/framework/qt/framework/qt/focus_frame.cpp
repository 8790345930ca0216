#include "framework/qt/focus_frame.h"

#include <QPainter>
#include <QPointer>

namespace fw::qt {

namespace {

constexpr int kGap = 2;
constexpr int kLine = 3;

class FocusFrameWidget : public QWidget {
 public:
  explicit FocusFrameWidget(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
  }

  QPointer<QWidget> around;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    QPen pen(QColor(0, 84, 196), kLine);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.drawRect(rect().adjusted(kLine / 2, kLine / 2, -(kLine + 1) / 2, -(kLine + 1) / 2));
  }
};

// One frame at a time: only one control has the focus.
QPointer<FocusFrameWidget> frame;

}  // namespace

void ShowFocusFrame(QWidget* control) {
  QWidget* content = control ? control->parentWidget() : nullptr;
  if (!content) return;
  if (!frame || frame->parentWidget() != content) {
    delete frame.data();
    frame = new FocusFrameWidget(content);
  }
  int margin = kGap + kLine;
  frame->around = control;
  frame->setGeometry(control->geometry().adjusted(-margin, -margin, margin, margin));
  frame->raise();
  frame->show();
}

void HideFocusFrame(QWidget* control) {
  if (frame && frame->around == control) frame->hide();
}

}  // namespace fw::qt
