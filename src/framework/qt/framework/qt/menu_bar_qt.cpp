#include "framework/qt/menu_bar_qt.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <algorithm>
#include <string_view>

#include "framework/application/dispatch.h"
#include "framework/menu/menu_item.h"

namespace fw::qt {

namespace {

enum class Edit { Undo, Cut, Copy, Paste, Clear, SelectAll };

// The standard editing entries are known by their names, as on every
// platform that has them; they act on the text field that has the focus,
// through the slot that both kinds of field have for them.
struct StandardEdit {
  std::string_view name;
  Edit edit;
  const char* slot;  // none for Clear: it removes only the selection
};

constexpr StandardEdit kStandardEdits[] = {
    {"EditUndo", Edit::Undo, "undo"},    {"EditCut", Edit::Cut, "cut"},
    {"EditCopy", Edit::Copy, "copy"},    {"EditPaste", Edit::Paste, "paste"},
    {"EditClear", Edit::Clear, nullptr}, {"EditSelectAll", Edit::SelectAll, "selectAll"}};

bool CanEdit(Edit edit, QWidget* focus) {
  auto* line = qobject_cast<QLineEdit*>(focus);
  auto* area = qobject_cast<QPlainTextEdit*>(focus);
  if (!line && !area) return false;
  bool readOnly = line ? line->isReadOnly() : area->isReadOnly();
  bool selected = line ? line->hasSelectedText() : area->textCursor().hasSelection();
  switch (edit) {
    case Edit::Undo:
      return line ? line->isUndoAvailable() : area->document()->isUndoAvailable() && !readOnly;
    case Edit::Cut:
    case Edit::Clear:
      return selected && !readOnly;
    case Edit::Copy:
      return selected && (!line || line->echoMode() == QLineEdit::Normal);
    case Edit::Paste:
      return line ? !readOnly && !QGuiApplication::clipboard()->text().isEmpty() : area->canPaste();
    case Edit::SelectAll:
      return line ? !line->text().isEmpty() : !area->document()->isEmpty();
  }
  return false;
}

void DoEdit(const StandardEdit& standard, QWidget* focus) {
  if (!CanEdit(standard.edit, focus)) return;
  if (standard.slot) {
    QMetaObject::invokeMethod(focus, standard.slot);
  } else if (auto* line = qobject_cast<QLineEdit*>(focus)) {
    line->del();
  } else {
    qobject_cast<QPlainTextEdit*>(focus)->textCursor().removeSelectedText();
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
    const auto* standard = std::ranges::find(kStandardEdits, item->Name(), &StandardEdit::name);
    if (standard == std::end(kStandardEdits)) {
      std::weak_ptr<MenuItem> weak = item;
      QObject::connect(action, &QAction::triggered, [weak] {
        if (Ref<MenuItem> chosen = weak.lock()) Dispatch([&] { chosen->Action(); });
      });
      continue;
    }
    QObject::connect(action, &QAction::triggered,
                     [standard] { DoEdit(*standard, QApplication::focusWidget()); });
    // Enabled only when it can act on the focused field.
    QObject::connect(menu, &QMenu::aboutToShow, action, [action, standard] {
      action->setEnabled(CanEdit(standard->edit, QApplication::focusWidget()));
    });
  }
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
