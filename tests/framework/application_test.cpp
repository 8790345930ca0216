#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <memory>

#include "framework/folder_item/folder_item.h"
#include "framework/menu/menu_item.h"
#include "framework/qt/control_peer.h"
#include "framework/runtime/runtime.h"
#include "support/harness.h"
#include "test_windows.h"

using harness::Implicit;
using testwin::NoteWindow;

namespace {

class ApplicationTest : public harness::FrameworkTest {
 protected:
  static fw::Ref<fw::MenuBar> StandardMenuBar() {
    auto bar = std::make_shared<fw::MenuBar>();
    auto add = [](const fw::Ref<fw::MenuItem>& parent, fw::Ref<fw::MenuItem> item,
                  const std::string& name, const std::string& text, const char* shortcut) {
      item->Name(name);
      item->AutoEnable(true);
      item->Text(text);
      if (shortcut) item->KeyboardShortcut(shortcut);
      parent->Append(item);
      return item;
    };
    auto file = add(bar, std::make_shared<fw::MenuItem>(), "FileMenu", "&Ablage", "");
    add(file, std::make_shared<fw::QuitMenuItem>(), "FileQuit", "Beenden", "Cmd+Q");
    auto edit = add(bar, std::make_shared<fw::MenuItem>(), "EditMenu", "&Bearbeiten", "");
    add(edit, std::make_shared<fw::MenuItem>(), "EditUndo", "&Rückgängig", "Cmd+Z");
    add(edit, std::make_shared<fw::MenuItem>(), "UntitledMenu1", "-", nullptr);
    add(edit, std::make_shared<fw::MenuItem>(), "EditCut", "&Ausschneiden", "Cmd+X");
    add(edit, std::make_shared<fw::MenuItem>(), "EditCopy", "&Kopieren", "Cmd+C");
    add(edit, std::make_shared<fw::MenuItem>(), "EditPaste", "&Einfügen", "Cmd+V");
    add(edit, std::make_shared<fw::MenuItem>(), "EditClear", "&Löschen", "");
    add(edit, std::make_shared<fw::MenuItem>(), "UntitledMenu0", "-", nullptr);
    add(edit, std::make_shared<fw::MenuItem>(), "EditSelectAll", "&Alles auswählen", "Cmd+A");
    return bar;
  }

  void StartWithMenuBar() {
    auto app =
        std::static_pointer_cast<fw::Application>(fw::RuntimeNewObject(fw::Application::Lookup()));
    app->MenuBar(StandardMenuBar());
    fw::RegisterAppObject(app);
    harness::AsHandler([] { Implicit<NoteWindow>(); });
  }
};

int startups = 0;
void CountStartup() { ++startups; }
void FailingStartup() { throw fw::NilObjectException("das Startfenster"); }

TEST_F(ApplicationTest, StartupRunsOnceAndItsFailureReachesTheCaller) {
  fw::RunFrameworkInitialization(fw::RuntimeCreateDelegate(&CountStartup, "(  )"));
  EXPECT_EQ(startups, 1);
  EXPECT_THROW(fw::RunFrameworkInitialization(fw::RuntimeCreateDelegate(&FailingStartup, "(  )")),
               fw::NilObjectException);
}

TEST_F(ApplicationTest, RegisteredObjectIsTheOneGivenBack) {
  EXPECT_EQ(fw::GetAppObject(), nullptr);
  auto app =
      std::static_pointer_cast<fw::Application>(fw::RuntimeNewObject(fw::Application::Lookup()));
  fw::RegisterAppObject(app);
  EXPECT_EQ(fw::GetAppObject(), app);
  ASSERT_NE(app->ExecutableFile(), nullptr);
  EXPECT_TRUE(app->ExecutableFile()->Exists());
}

TEST_F(ApplicationTest, EveryWindowShowsTheMenuBar) {
  StartWithMenuBar();
  auto menus = harness::MenuBarOf(*Implicit<NoteWindow>());
  ASSERT_EQ(menus.size(), 2u);
  EXPECT_EQ(menus[0].first, "&Ablage");
  ASSERT_EQ(menus[0].second.size(), 1u);
  EXPECT_EQ(menus[0].second[0].text, "Beenden");
  EXPECT_EQ(menus[0].second[0].shortcut, "Ctrl+Q");
  EXPECT_EQ(menus[1].first, "&Bearbeiten");
  const auto& edit = menus[1].second;
  ASSERT_EQ(edit.size(), 8u);
  EXPECT_TRUE(edit[1].separator);
  EXPECT_TRUE(edit[6].separator);
  EXPECT_EQ(edit[2].shortcut, "Ctrl+X");
  EXPECT_EQ(edit[5].text, "&Löschen");
  EXPECT_EQ(edit[5].shortcut, "");
}

TEST_F(ApplicationTest, EditingEntriesActOnTheFocusedFieldWhenTheyCan) {
  StartWithMenuBar();
  auto note = Implicit<NoteWindow>();
  auto field = std::static_pointer_cast<fw::EditField>(note->ControlByName("EditField1"));
  fw::qt::WidgetOf(*field)->setFocus();
  harness::ProcessEvents();
  auto enabled = [&](size_t i) { return harness::MenuBarOf(*note)[1].second[i].enabled; };
  EXPECT_FALSE(enabled(7));  // nothing to select in an empty field
  EXPECT_FALSE(enabled(3));  // nothing selected to copy
  harness::Type(field, "gold");
  EXPECT_TRUE(enabled(7));
  harness::TriggerMenuEntry(*note, "EditSelectAll");
  EXPECT_TRUE(enabled(3));
  harness::TriggerMenuEntry(*note, "EditClear");
  EXPECT_EQ(field->Text(), "");
  harness::TriggerMenuEntry(*note, "EditUndo");
  EXPECT_EQ(field->Text(), "gold");
}

TEST_F(ApplicationTest, TheToolkitsOwnTextsAreGerman) {
  StartWithMenuBar();
  auto note = Implicit<NoteWindow>();
  auto* line = qobject_cast<QLineEdit*>(fw::qt::WidgetOf(*note->ControlByName("EditField1")));
  ASSERT_NE(line, nullptr);
  std::unique_ptr<QMenu> menu(line->createStandardContextMenu());
  QStringList entries;
  for (QAction* a : menu->actions()) entries << a->text();
  EXPECT_TRUE(entries.contains("Einf&ügen")) << entries.join(" | ").toStdString();
  EXPECT_FALSE(entries.contains("&Paste"));
  EXPECT_EQ(QKeySequence("Ctrl+Q").toString(QKeySequence::NativeText), "Strg+Q");
}

TEST_F(ApplicationTest, QuitEntryAndItsShortcutQuit) {
  StartWithMenuBar();
  harness::TriggerMenuEntry(*Implicit<NoteWindow>(), "FileQuit");
  EXPECT_TRUE(fw::QuitRequested());
}

TEST_F(ApplicationTest, FailureNobodyCaughtIsToldAndEndsTheRunWithAFailureStatus) {
  fw::UnhandledException(
      std::make_exception_ptr(fw::NilObjectException("die Datei „hintergrund1.jpg“")));
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("hintergrund1.jpg"), std::string::npos);
  EXPECT_EQ(fw::RuntimeExit(), 1);
  fw::RuntimeInit();
}

TEST_F(ApplicationTest, MessageBoxGoesThroughTheSeam) {
  fw::MsgBox("Das Kürzel ist falsch!\rBitte korrigieren!");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "Das Kürzel ist falsch!\rBitte korrigieren!");
}

}  // namespace
