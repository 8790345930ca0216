#include <QApplication>
#include <QPointer>

#include "framework/application/dispatch.h"
#include "framework/property_stream/property_stream.h"
#include "support/harness.h"
#include "test_windows.h"

// How windows take over the screen and the keyboard from each other.
namespace {

using harness::Implicit;
using testwin::NoteWindow;
using testwin::OtherWindow;

using ScreenHandoverTest = harness::FrameworkTest;

QWidget* FieldOf(const fw::Ref<fw::Window>& w) {
  return fw::qt::WidgetOf(*w->ControlByName("EditField1"));
}

TEST_F(ScreenHandoverTest, ClosedWindowStaysOnTheScreenUntilTheNextIsPainted) {
  harness::AsHandler([] { Implicit<NoteWindow>(); });
  QPointer<QWidget> leaving = Implicit<NoteWindow>()->Peer().Frame();
  fw::Dispatch([] {
    Implicit<OtherWindow>();
    Implicit<NoteWindow>()->Close();
  });
  // The next window is on the screen but not painted yet.
  ASSERT_TRUE(leaving);
  EXPECT_TRUE(leaving->isVisible());
  harness::ProcessEvents();
  EXPECT_FALSE(leaving);
  EXPECT_EQ(harness::ShownWindows(), std::vector<std::string>{"OtherWindow.OtherWindow"});
}

TEST_F(ScreenHandoverTest, WindowOpenedBesideLeavesTheKeyboardInTheCaller) {
  harness::AsHandler([] { Implicit<NoteWindow>(); });
  auto caller = Implicit<NoteWindow>();
  ASSERT_EQ(QApplication::activeWindow(), caller->Peer().Frame());
  harness::AsHandler([] {
    fw::SetProperties(*Implicit<OtherWindow>(),
                      fw::PropertyStreamBuilder().Integer("Placement", 4).Bytes());
  });
  EXPECT_TRUE(harness::OnScreen(*Implicit<OtherWindow>()));
  EXPECT_EQ(QApplication::activeWindow(), caller->Peer().Frame());
  EXPECT_EQ(QApplication::focusWidget(), FieldOf(caller));
}

// Some window managers activate a new window whatever it asks, one (xfwm4
// with its compositor) twice: each time the keyboard goes back to the
// caller, until the user clicks into the new window.
TEST_F(ScreenHandoverTest, WindowBesideActivatedByTheWindowManagerHandsTheKeyboardBack) {
  harness::AsHandler([] { Implicit<NoteWindow>(); });
  auto caller = Implicit<NoteWindow>();
  harness::AsHandler([] {
    fw::SetProperties(*Implicit<OtherWindow>(),
                      fw::PropertyStreamBuilder().Integer("Placement", 4).Bytes());
  });
  auto beside = Implicit<OtherWindow>();
  for (int i = 0; i < 2; ++i) {
    beside->Peer().Frame()->activateWindow();
    harness::ProcessEvents();
    EXPECT_EQ(QApplication::activeWindow(), caller->Peer().Frame()) << "activation " << i;
  }
  harness::Click(beside->ControlByName("EditField1"));
  EXPECT_EQ(QApplication::activeWindow(), beside->Peer().Frame());
}

}  // namespace
