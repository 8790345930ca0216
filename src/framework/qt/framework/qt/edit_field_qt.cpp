#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <set>

#include "framework/controls/edit_field.h"
#include "framework/qt/control_peer.h"
#include "framework/qt/keys.h"
#include "framework/qt/qt_text.h"
#include "framework/qt/window_peer.h"

namespace fw {

namespace {

// The toolkit sets a field's text almost against its border, where the
// caret touches the first character: a little air inside the border, at
// the sides only, so that a one-line box still holds its line.
constexpr int kInnerMargin = 3;
constexpr int kDocumentMargin = 2;

// A text area whose sides keep the same air; its own margin is on all four
// sides, and more of it above and below would push a one-line box's line
// out of sight.
class TextArea : public QPlainTextEdit {
 public:
  using QPlainTextEdit::QPlainTextEdit;

  void KeepClearOfSides(bool border) {
    int side = border ? kInnerMargin : 0;
    if (viewportMargins().left() == side) return;
    setViewportMargins(side, 0, side, 0);
  }
};

QLineEdit* LineOf(QWidget* widget) { return qobject_cast<QLineEdit*>(widget); }
QPlainTextEdit* AreaOf(QWidget* widget) { return qobject_cast<QPlainTextEdit*>(widget); }

class EditFieldPeer : public qt::ControlPeer {
 public:
  EditFieldPeer(Control& owner, QWidget* widget, const EditFieldProperties& own)
      : ControlPeer(owner, widget), own_(own) {}

  std::string Text() const override {
    if (QLineEdit* line = LineOf(Widget())) return qt::FromQt(line->text());
    if (QPlainTextEdit* area = AreaOf(Widget())) return qt::FromQt(area->toPlainText());
    return own_.text;
  }

  void SetText(const std::string& text) override {
    if (QLineEdit* line = LineOf(Widget())) {
      line->setText(qt::ToQt(text));
      line->setCursorPosition(0);
    } else if (QPlainTextEdit* area = AreaOf(Widget())) {
      area->setPlainText(qt::ToQt(text));
      area->moveCursor(QTextCursor::Start);
      area->ensureCursorVisible();
    }
  }

  bool eventFilter(QObject* target, QEvent* event) override {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
      auto* keyEvent = static_cast<QKeyEvent*>(event);
      auto key = qt::KeyText(*keyEvent);
      if (!key) return false;
      if (event->type() == QEvent::KeyPress) {
        pressed_.insert(keyEvent->key());
        return Owner().Handles(KeyDown) && Raise(KeyDown, *key);
      }
      // A release whose press went elsewhere (the Return that closed a
      // message box) is not a key typed here.
      if (!pressed_.contains(keyEvent->key())) return false;
      if (!keyEvent->isAutoRepeat()) pressed_.erase(keyEvent->key());
      if (Owner().Handles(KeyUp)) Raise(KeyUp, *key);
      return false;
    }
    // Keys held while the focus leaves are released somewhere else.
    if (event->type() == QEvent::FocusOut) pressed_.clear();
    return ControlPeer::eventFilter(target, event);
  }

 private:
  const EditFieldProperties& own_;
  std::set<int> pressed_;
};

}  // namespace

std::unique_ptr<ControlPeer> PeerFor(Window& window, Control& owner,
                                     const EditFieldProperties& own) {
  QWidget* widget = nullptr;
  if (own.multiline) {
    auto* area = new TextArea(window.Peer().Content());
    area->document()->setDocumentMargin(kDocumentMargin);
    // The air at its sides is the field's own colour.
    area->setBackgroundRole(QPalette::Base);
    area->setAutoFillBackground(true);
    widget = area;
  } else {
    widget = new QLineEdit(window.Peer().Content());
  }
  auto peer = std::make_unique<EditFieldPeer>(owner, widget, own);
  auto changed = [p = peer.get()] {
    if (p->Owner().Handles(TextChange)) p->Raise(TextChange);
  };
  if (auto* area = qobject_cast<QPlainTextEdit*>(widget)) {
    QObject::connect(area, &QPlainTextEdit::textChanged, peer.get(), changed);
  } else {
    QObject::connect(static_cast<QLineEdit*>(widget), &QLineEdit::textChanged, peer.get(), changed);
  }
  peer->showOwn = [widget, &own, &common = owner.Common()] {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Text, qt::ToQColor(common.textColor));
    palette.setColor(QPalette::Base, qt::ToQColor(own.backColor));
    widget->setPalette(palette);
    Qt::Alignment align = own.alignment == 1   ? Qt::AlignHCenter
                          : own.alignment == 2 ? Qt::AlignRight
                                               : Qt::AlignLeft;
    int side = own.border ? kInnerMargin : 0;
    if (QLineEdit* line = LineOf(widget)) {
      line->setFrame(own.border);
      line->setTextMargins(side, 0, side, 0);
      line->setEchoMode(own.password ? QLineEdit::Password : QLineEdit::Normal);
      line->setReadOnly(own.readOnly);
      line->setMaxLength(own.limitText > 0 ? own.limitText : 32767);
      line->setAlignment(align | Qt::AlignVCenter);
    } else if (QPlainTextEdit* area = AreaOf(widget)) {
      area->setFrameShape(own.border ? QFrame::StyledPanel : QFrame::NoFrame);
      static_cast<TextArea*>(area)->KeepClearOfSides(own.border);
      area->setVerticalScrollBarPolicy(own.scrollbarVertical ? Qt::ScrollBarAsNeeded
                                                             : Qt::ScrollBarAlwaysOff);
      area->setHorizontalScrollBarPolicy(own.scrollbarHorizontal ? Qt::ScrollBarAsNeeded
                                                                 : Qt::ScrollBarAlwaysOff);
      area->setLineWrapMode(own.scrollbarHorizontal ? QPlainTextEdit::NoWrap
                                                    : QPlainTextEdit::WidgetWidth);
      area->setReadOnly(own.readOnly);
      area->setTabChangesFocus(!own.acceptTabs);
    }
  };
  return peer;
}

}  // namespace fw
