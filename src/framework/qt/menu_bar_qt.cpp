#include "framework/qt/menu_bar_qt.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "framework/application/dispatch.h"
#include "framework/menu/menu_item.h"
#include "framework/qt/qt_text.h"

namespace fw::qt {

namespace {

enum class Edit { None, Undo, Cut, Copy, Paste, Clear, SelectAll };

// The standard editing entries are known by their names, as on every
// platform that has them; they act on the text field that has the focus.
Edit EditOf(const std::string& name) {
  if (name == "EditUndo") return Edit::Undo;
  if (name == "EditCut") return Edit::Cut;
  if (name == "EditCopy") return Edit::Copy;
  if (name == "EditPaste") return Edit::Paste;
  if (name == "EditClear") return Edit::Clear;
  if (name == "EditSelectAll") return Edit::SelectAll;
  return Edit::None;
}

bool ClipboardHasText() {
  const QClipboard* clipboard = QGuiApplication::clipboard();
  return clipboard && !clipboard->text().isEmpty();
}

bool CanEdit(Edit edit, QWidget* focus) {
  if (auto* line = qobject_cast<QLineEdit*>(focus)) {
    bool selected = line->hasSelectedText();
    switch (edit) {
      case Edit::Undo: return line->isUndoAvailable();
      case Edit::Cut: case Edit::Clear: return selected && !line->isReadOnly();
      case Edit::Copy: return selected && line->echoMode() == QLineEdit::Normal;
      case Edit::Paste: return !line->isReadOnly() && ClipboardHasText();
      case Edit::SelectAll: return !line->text().isEmpty();
      case Edit::None: return false;
    }
  }
  if (auto* area = qobject_cast<QPlainTextEdit*>(focus)) {
    bool selected = area->textCursor().hasSelection();
    switch (edit) {
      case Edit::Undo: return area->document()->isUndoAvailable() && !area->isReadOnly();
      case Edit::Cut: case Edit::Clear: return selected && !area->isReadOnly();
      case Edit::Copy: return selected;
      case Edit::Paste: return area->canPaste();
      case Edit::SelectAll: return !area->document()->isEmpty();
      case Edit::None: return false;
    }
  }
  return false;
}

void DoEdit(Edit edit, QWidget* focus) {
  if (!CanEdit(edit, focus)) return;
  if (auto* line = qobject_cast<QLineEdit*>(focus)) {
    switch (edit) {
      case Edit::Undo: line->undo(); break;
      case Edit::Cut: line->cut(); break;
      case Edit::Copy: line->copy(); break;
      case Edit::Paste: line->paste(); break;
      case Edit::Clear: line->del(); break;
      case Edit::SelectAll: line->selectAll(); break;
      case Edit::None: break;
    }
  } else if (auto* area = qobject_cast<QPlainTextEdit*>(focus)) {
    switch (edit) {
      case Edit::Undo: area->undo(); break;
      case Edit::Cut: area->cut(); break;
      case Edit::Copy: area->copy(); break;
      case Edit::Paste: area->paste(); break;
      case Edit::Clear: area->textCursor().removeSelectedText(); break;
      case Edit::SelectAll: area->selectAll(); break;
      case Edit::None: break;
    }
  }
}

QKeySequence Shortcut(const std::string& text) {
  QString s = QString::fromStdString(text);
  s.replace(QStringLiteral("Cmd+"), QStringLiteral("Ctrl+"), Qt::CaseInsensitive);
  return QKeySequence::fromString(s, QKeySequence::PortableText);
}

void AddEntries(QMenu* menu, const MenuItem& parent) {
  for (const Ref<MenuItem>& item : parent.Items()) {
    if (item->IsSeparator()) {
      menu->addSeparator();
      continue;
    }
    QAction* action = menu->addAction(QString::fromStdString(item->Text()));
    action->setObjectName(QString::fromStdString(item->Name()));
    action->setShortcut(Shortcut(item->KeyboardShortcut()));
    Edit edit = EditOf(item->Name());
    std::weak_ptr<MenuItem> weak = item;
    QObject::connect(action, &QAction::triggered, [weak, edit] {
      if (edit != Edit::None) {
        DoEdit(edit, QApplication::focusWidget());
        return;
      }
      if (Ref<MenuItem> chosen = weak.lock()) Dispatch([&] { chosen->Action(); });
    });
    if (edit != Edit::None) action->setProperty("fwEdit", static_cast<int>(edit));
  }
  // Editing entries are enabled only when they can act on the focused field.
  QObject::connect(menu, &QMenu::aboutToShow, [menu] {
    for (QAction* action : menu->actions()) {
      QVariant edit = action->property("fwEdit");
      if (edit.isValid()) {
        action->setEnabled(CanEdit(static_cast<Edit>(edit.toInt()), QApplication::focusWidget()));
      }
    }
  });
}

}  // namespace

QMenuBar* MakeMenuBar(const MenuItem& bar, QWidget* parent) {
  auto* menuBar = new QMenuBar(parent);
  for (const Ref<MenuItem>& entry : bar.Items()) {
    QMenu* menu = menuBar->addMenu(QString::fromStdString(entry->Text()));
    menu->setObjectName(QString::fromStdString(entry->Name()));
    AddEntries(menu, *entry);
  }
  return menuBar;
}

}  // namespace fw::qt
