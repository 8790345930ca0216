#include <QTest>

#include "framework/application/dispatch.h"
#include "framework/qt/window_peer.h"
#include "support/harness.h"
#include "test_windows.h"

using harness::Implicit;
using testwin::NoteWindow;
using testwin::OtherWindow;

namespace {

class WindowTest : public harness::FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    NoteWindow::exits = 0;
    NoteWindow::onOpen = nullptr;
  }
  void TearDown() override {
    NoteWindow::onOpen = nullptr;
    FrameworkTest::TearDown();
  }

  static fw::Ref<fw::EditField> Field(const fw::Ref<fw::Window>& w) {
    return std::static_pointer_cast<fw::EditField>(w->ControlByName("EditField1"));
  }
};

TEST_F(WindowTest, FirstReferenceBuildsOneWindowAndLaterOnesFindIt) {
  fw::Ref<NoteWindow> first;
  harness::AsHandler([&] {
    first = Implicit<NoteWindow>();
    Implicit<NoteWindow>()->Show();
  });
  EXPECT_EQ(first, Implicit<NoteWindow>());
  EXPECT_EQ(harness::LiveWindows(), std::vector<std::string>{"NoteWindow.NoteWindow"});
  EXPECT_EQ(harness::ShownWindows(), std::vector<std::string>{"NoteWindow.NoteWindow"});
  EXPECT_EQ(first->opens, 1);
  EXPECT_EQ(first->Width(), 400);
  EXPECT_EQ(first->Height(), 300);
  EXPECT_EQ(first->Title(), "Notiz");
}

TEST_F(WindowTest, TypingGoesIntoTheFirstFieldOfANewWindow) {
  harness::AsHandler([] { Implicit<NoteWindow>(); });
  QWidget* field = fw::qt::WidgetOf(*Field(Implicit<NoteWindow>()));
  EXPECT_EQ(field->window()->focusWidget(), field);
}

// A field the program has filled is there to be read: a stray key must not
// change it, so the focus goes nowhere until the user clicks or tabs, also
// when the window is shown again; once the user has been in it, the window
// shown again gives it back.
TEST_F(WindowTest, FilledFieldGetsTheFocusOnlyFromTheUser) {
  NoteWindow::onOpen = [] { Field(Implicit<NoteWindow>())->Text("19"); };
  harness::AsHandler([] { Implicit<NoteWindow>(); });
  auto w = Implicit<NoteWindow>();
  QWidget* field = fw::qt::WidgetOf(*Field(w));
  harness::AsHandler([] { Implicit<NoteWindow>()->Hide(); });
  harness::AsHandler([] { Implicit<NoteWindow>()->Show(); });
  EXPECT_NE(field->window()->focusWidget(), field);
  QTest::keyClick(field->window()->focusWidget(), Qt::Key_5);
  EXPECT_EQ(Field(w)->Text(), "19");

  harness::Click(Field(w));
  harness::Type(Field(w), "5");
  EXPECT_NE(Field(w)->Text(), "19");
  QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Field(w)->Text(), "19");

  harness::AsHandler([] { Implicit<NoteWindow>()->Hide(); });
  harness::AsHandler([] { Implicit<NoteWindow>()->Show(); });
  EXPECT_EQ(field->window()->focusWidget(), field);
}

TEST_F(WindowTest, HideAndShowKeepWhatTheUserEntered) {
  harness::AsHandler([] { Implicit<NoteWindow>(); });
  auto w = Implicit<NoteWindow>();
  harness::Type(Field(w), "gold");
  harness::Click(w->ControlByName("CheckBox1"));
  harness::AsHandler([] { Implicit<NoteWindow>()->Hide(); });
  EXPECT_EQ(harness::HiddenWindows(), std::vector<std::string>{"NoteWindow.NoteWindow"});
  harness::AsHandler([] { Implicit<NoteWindow>()->Show(); });
  EXPECT_EQ(Implicit<NoteWindow>(), w);
  EXPECT_TRUE(harness::OnScreen(*w));
  EXPECT_EQ(Field(w)->Text(), "gold");
  EXPECT_TRUE(std::static_pointer_cast<fw::CheckBox>(w->ControlByName("CheckBox1"))->Value());
}

TEST_F(WindowTest, HideOfAClassWithNoWindowBuildsItHidden) {
  harness::AsHandler([] { Implicit<NoteWindow>()->Hide(); });
  auto w = Implicit<NoteWindow>();
  EXPECT_EQ(w->opens, 1);
  EXPECT_FALSE(w->Visible());
  EXPECT_EQ(harness::TimesShownOnScreen("NoteWindow.NoteWindow"), 0);
}

TEST_F(WindowTest, ClosedClassIsBuiltAnewAndCloseOfItLeavesNothing) {
  harness::AsHandler([] { Implicit<NoteWindow>(); });
  auto old = Implicit<NoteWindow>();
  harness::Type(Field(old), "abc");
  harness::AsHandler([] { Implicit<NoteWindow>()->Close(); });
  EXPECT_FALSE(old->IsOpen());
  EXPECT_TRUE(harness::LiveWindows().empty());
  old.reset();
  EXPECT_EQ(NoteWindow::exits, 1);

  // Closing a class that has no window builds one and gives it up at once,
  // without a failure and without it ever reaching the screen.
  harness::AsHandler([] { Implicit<NoteWindow>()->Close(); });
  EXPECT_TRUE(harness::LiveWindows().empty());
  EXPECT_EQ(NoteWindow::exits, 2);
  EXPECT_EQ(harness::TimesShownOnScreen("NoteWindow.NoteWindow"), 1);

  harness::AsHandler([] { Implicit<NoteWindow>()->Show(); });
  EXPECT_EQ(Field(Implicit<NoteWindow>())->Text(), "");
}

TEST_F(WindowTest, WindowClosedDuringItsOwnHandlerLastsUntilTheHandlerReturns) {
  harness::AsHandler([] { Implicit<NoteWindow>(); });
  auto note = Implicit<NoteWindow>();
  std::string textAfterClose;
  bool openDuringHandler = true;
  // Building the other window closes this one, inside this one's key handler.
  NoteWindow::onOpen = [] { Implicit<NoteWindow>()->Close(); };
  note->onKeyDown = [&](const std::string&) {
    Implicit<OtherWindow>()->Show();
    auto self = fw::GetImplicitWindow("NoteWindow.NoteWindow");
    openDuringHandler = self != nullptr;
    textAfterClose = Field(note)->Text();
    EXPECT_EQ(NoteWindow::exits, 0);
    return false;
  };
  harness::Type(Field(note), "x");
  EXPECT_FALSE(openDuringHandler);
  EXPECT_EQ(textAfterClose, "");
  note.reset();
  harness::ProcessEvents();
  EXPECT_EQ(NoteWindow::exits, 1);
  EXPECT_EQ(harness::LiveWindows(), std::vector<std::string>{"OtherWindow.OtherWindow"});
}

TEST_F(WindowTest, ActivateRunsOncePerChangeOfTheFrontWindow) {
  harness::AsHandler([] { Implicit<NoteWindow>(); });
  auto note = Implicit<NoteWindow>();
  EXPECT_EQ(note->activations, 1);
  harness::AsHandler([] { Implicit<NoteWindow>()->Show(); });
  EXPECT_EQ(note->activations, 1);
  harness::AsHandler([] { Implicit<OtherWindow>()->Show(); });
  auto other = Implicit<OtherWindow>();
  EXPECT_EQ(other->activations, 1);
  harness::AsHandler([] { Implicit<NoteWindow>()->Show(); });
  EXPECT_EQ(note->activations, 2);
  // The window behind comes to the front when the front one goes away.
  harness::AsHandler([] { Implicit<NoteWindow>()->Hide(); });
  EXPECT_EQ(other->activations, 2);
}

TEST_F(WindowTest, WindowBuiltAndClosedInOneHandlerNeverReachesTheScreen) {
  harness::AsHandler([] { Implicit<NoteWindow>(); });
  for (int i = 0; i < 3; ++i) {
    harness::AsHandler([] {
      Implicit<OtherWindow>()->Show();
      Implicit<OtherWindow>()->Close();
    });
  }
  EXPECT_EQ(harness::TimesShownOnScreen("OtherWindow.OtherWindow"), 0);
  EXPECT_EQ(harness::ShownWindows(), std::vector<std::string>{"NoteWindow.NoteWindow"});
}

TEST_F(WindowTest, CloseBoxClosesAndTheLastOneEndsTheRun) {
  harness::AsHandler([] {
    Implicit<NoteWindow>();
    Implicit<OtherWindow>();
  });
  Implicit<OtherWindow>()->Peer().Frame()->close();
  harness::ProcessEvents();
  EXPECT_EQ(harness::LiveWindows(), std::vector<std::string>{"NoteWindow.NoteWindow"});
  EXPECT_FALSE(fw::QuitRequested());
  Implicit<NoteWindow>()->Peer().Frame()->close();
  harness::ProcessEvents();
  EXPECT_TRUE(harness::LiveWindows().empty());
  EXPECT_TRUE(fw::QuitRequested());
}

TEST_F(WindowTest, TwoWindowsFromOneStreamDifferOnlyInWhatTheyAdd) {
  harness::AsHandler([] {
    Implicit<NoteWindow>();
    Implicit<OtherWindow>();
  });
  const auto& a = Implicit<NoteWindow>()->Properties();
  const auto& b = Implicit<OtherWindow>()->Properties();
  EXPECT_EQ(a.title, b.title);
  EXPECT_EQ(a.backColor, b.backColor);
  EXPECT_EQ(a.width, b.width);
  EXPECT_NE(Implicit<NoteWindow>(), std::static_pointer_cast<NoteWindow>(Implicit<OtherWindow>()));
}

TEST_F(WindowTest, FailureWhileBuildingGivesTheWindowUp) {
  NoteWindow::onOpen = [] { throw fw::NilObjectException("das Bild „hintergrund.jpg“"); };
  EXPECT_THROW(Implicit<NoteWindow>(), fw::NilObjectException);
  EXPECT_TRUE(harness::LiveWindows().empty());
  NoteWindow::onOpen = nullptr;
  EXPECT_EQ(Implicit<NoteWindow>()->opens, 1);
}

}  // namespace

namespace {

using WindowTestNoScreen = WindowTest;

TEST_F(WindowTestNoScreen, RunEndsWhenAHandlerPutsTheLastWindowAway) {
  harness::AsHandler([] { Implicit<NoteWindow>(); });
  auto note = Implicit<NoteWindow>();
  note->onAction = [] { Implicit<NoteWindow>()->Hide(); };
  harness::Click(note->ControlByName("PushButton1"));
  EXPECT_TRUE(fw::QuitRequested());
}

TEST_F(WindowTestNoScreen, WindowsBuiltHiddenBeforeAnyWasShownEndNothing) {
  harness::AsHandler([] { Implicit<NoteWindow>()->Hide(); });
  EXPECT_FALSE(fw::QuitRequested());
}

}  // namespace
