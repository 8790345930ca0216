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

class EditFieldPeer : public qt::ControlPeer {
 public:
  using ControlPeer::ControlPeer;

  bool TakesTyping() const override { return true; }

  bool Filter(QObject* target, QEvent* event) override {
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
    return ControlPeer::Filter(target, event);
  }

 private:
  std::set<int> pressed_;
};

QLineEdit* LineOf(qt::ControlPeer* peer) { return qobject_cast<QLineEdit*>(peer->Widget()); }
QPlainTextEdit* AreaOf(qt::ControlPeer* peer) {
  return qobject_cast<QPlainTextEdit*>(peer->Widget());
}

void ApplyColours(QWidget* w, Color text, Color back) {
  QPalette palette = w->palette();
  palette.setColor(QPalette::Text, qt::ToQColor(text));
  palette.setColor(QPalette::Base, qt::ToQColor(back));
  w->setPalette(palette);
}

}  // namespace

std::unique_ptr<qt::ControlPeer> EditField::MakePeer(qt::WindowPeer& window) {
  peerMultiline_ = own_.multiline;
  QWidget* widget = nullptr;
  if (own_.multiline) {
    auto* area = new TextArea(window.Content());
    area->document()->setDocumentMargin(kDocumentMargin);
    // The air at its sides is the field's own colour.
    area->setBackgroundRole(QPalette::Base);
    area->setAutoFillBackground(true);
    widget = area;
  } else {
    widget = new QLineEdit(window.Content());
  }
  auto peer = std::make_unique<EditFieldPeer>(*this, widget);
  auto changed = [p = peer.get()] {
    if (p->Owner().Handles(TextChange)) p->Raise(TextChange);
  };
  if (auto* area = qobject_cast<QPlainTextEdit*>(widget)) {
    QObject::connect(area, &QPlainTextEdit::textChanged, changed);
  } else {
    QObject::connect(static_cast<QLineEdit*>(widget), &QLineEdit::textChanged, changed);
  }
  shownText_.clear();
  return peer;
}

void EditField::SyncPeer() {
  if (own_.multiline != peerMultiline_) {
    std::string kept = Text();
    RebuildPeer();
    own_.text = kept;
  }
  Peer()->ApplyCommon(common_);
  ApplyColours(Peer()->Widget(), common_.textColor, own_.backColor);
  Qt::Alignment align = own_.alignment == 1   ? Qt::AlignHCenter
                        : own_.alignment == 2 ? Qt::AlignRight
                                              : Qt::AlignLeft;
  int side = own_.border ? kInnerMargin : 0;
  if (QLineEdit* line = LineOf(Peer())) {
    line->setFrame(own_.border);
    line->setTextMargins(side, 0, side, 0);
    line->setEchoMode(own_.password ? QLineEdit::Password : QLineEdit::Normal);
    line->setReadOnly(own_.readOnly);
    line->setMaxLength(own_.limitText > 0 ? own_.limitText : 32767);
    line->setAlignment(align | Qt::AlignVCenter);
  } else if (QPlainTextEdit* area = AreaOf(Peer())) {
    area->setFrameShape(own_.border ? QFrame::StyledPanel : QFrame::NoFrame);
    static_cast<TextArea*>(area)->KeepClearOfSides(own_.border);
    area->setVerticalScrollBarPolicy(own_.scrollbarVertical ? Qt::ScrollBarAsNeeded
                                                            : Qt::ScrollBarAlwaysOff);
    area->setHorizontalScrollBarPolicy(own_.scrollbarHorizontal ? Qt::ScrollBarAsNeeded
                                                                : Qt::ScrollBarAlwaysOff);
    area->setLineWrapMode(own_.scrollbarHorizontal ? QPlainTextEdit::NoWrap
                                                   : QPlainTextEdit::WidgetWidth);
    area->setReadOnly(own_.readOnly);
    area->setTabChangesFocus(!own_.acceptTabs);
  }
  if (own_.text != shownText_) Text(own_.text);
}

std::string EditField::Text() const {
  if (!Peer()) return own_.text;
  if (QLineEdit* line = LineOf(Peer())) return qt::FromQt(line->text());
  if (QPlainTextEdit* area = AreaOf(Peer())) return qt::FromQt(area->toPlainText());
  return own_.text;
}

void EditField::Text(std::string text) {
  own_.text = std::move(text);
  shownText_ = own_.text;
  if (!Peer()) return;
  if (QLineEdit* line = LineOf(Peer())) {
    line->setText(qt::ToQt(own_.text));
    // A text the program puts in is read from its beginning.
    line->setCursorPosition(0);
  } else if (QPlainTextEdit* area = AreaOf(Peer())) {
    area->setPlainText(qt::ToQt(own_.text));
    area->moveCursor(QTextCursor::Start);
    area->ensureCursorVisible();
  }
}

}  // namespace fw
