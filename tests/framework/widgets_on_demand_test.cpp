#include <QApplication>
#include <QBackingStore>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>

#include "framework/controls/check_box.h"
#include "framework/controls/edit_field.h"
#include "framework/controls/radio_button.h"
#include "framework/qt/window_peer.h"
#include "support/harness.h"
#include "test_windows.h"

using harness::Implicit;
using testwin::NoteWindow;
using testwin::OtherWindow;

namespace {

class WidgetsOnDemandTest : public harness::FrameworkTest {
 protected:
  void TearDown() override {
    if (window && window->IsOpen()) window->Close();
    window.reset();
    FrameworkTest::TearDown();
  }

  // A window of the given stream with controls added by hand, not built.
  template <class C>
  fw::Ref<C> Add(const std::string& name) {
    if (!window) {
      window = std::static_pointer_cast<fw::Window>(fw::RuntimeNewObject(fw::Window::Lookup()));
      fw::SetProperties(*window, testwin::WindowStream(500, 450, "Leer", false));
    }
    auto control = std::static_pointer_cast<C>(window->New(C::Lookup()));
    window->AddControl(name, control);
    return control;
  }

  static size_t Frames() {
    size_t frames = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) frames += fw::qt::WindowOf(w) != nullptr;
    return frames;
  }

  fw::Ref<fw::Window> window;
};

TEST_F(WidgetsOnDemandTest, WindowBuiltAndClosedInsideAHandlerMakesNoWidgets) {
  harness::AsHandler([] { Implicit<NoteWindow>(); });
  const size_t frames = Frames();
  const size_t widgets = QApplication::allWidgets().size();
  for (int i = 0; i < 3; ++i) {
    harness::AsHandler([] {
      Implicit<OtherWindow>()->Show();
      EXPECT_FALSE(Implicit<OtherWindow>()->Peer().HasWidgets());
      EXPECT_EQ(Implicit<OtherWindow>()->Width(), 400);
      EXPECT_EQ(Implicit<OtherWindow>()->Height(), 300);
      Implicit<OtherWindow>()->Close();
    });
  }
  EXPECT_EQ(Frames(), frames);
  EXPECT_EQ(QApplication::allWidgets().size(), widgets);
}

TEST_F(WidgetsOnDemandTest, ControlsKeepWhatTheyShowUntilTheirWindowHasWidgets) {
  auto field = Add<fw::EditField>("EditField1");
  auto box = Add<fw::CheckBox>("CheckBox1");
  auto first = Add<fw::RadioButton>("RadioButton1");
  auto second = Add<fw::RadioButton>("RadioButton2");
  field->Text("gold");
  box->Value(true);
  first->Value(true);
  second->Value(true);  // clears its neighbour, as on the screen
  EXPECT_FALSE(window->Peer().HasWidgets());
  EXPECT_EQ(field->Peer(), nullptr);
  EXPECT_EQ(field->Text(), "gold");
  EXPECT_TRUE(box->Value());
  EXPECT_FALSE(first->Value());
  EXPECT_TRUE(second->Value());
  // A resizeable window's content is held within its limits.
  EXPECT_EQ(window->Width(), 500);
  EXPECT_EQ(window->Height(), 450);

  window->Peer().MakeWidgets();
  ASSERT_NE(field->Peer(), nullptr);
  EXPECT_EQ(qobject_cast<QLineEdit*>(fw::qt::WidgetOf(*field))->text(), QString("gold"));
  EXPECT_TRUE(qobject_cast<QCheckBox*>(fw::qt::WidgetOf(*box))->isChecked());
  EXPECT_FALSE(qobject_cast<QRadioButton*>(fw::qt::WidgetOf(*first))->isChecked());
  EXPECT_TRUE(qobject_cast<QRadioButton*>(fw::qt::WidgetOf(*second))->isChecked());
  EXPECT_EQ(fw::qt::WidgetOf(*field)->parentWidget(), window->Peer().Content());

  // A control added later gets its widget at once.
  auto late = Add<fw::EditField>("EditField2");
  EXPECT_NE(late->Peer(), nullptr);
}

TEST_F(WidgetsOnDemandTest, HiddenWindowGivesItsPixelStoreBackAndShowsAsBefore) {
  harness::AsHandler([] {
    Implicit<NoteWindow>();
    Implicit<OtherWindow>();
  });
  harness::Type(
      std::static_pointer_cast<fw::EditField>(Implicit<NoteWindow>()->ControlByName("EditField1")),
      "gold");
  // Once hidden and shown, as the window comes back each later time.
  harness::AsHandler([] { Implicit<NoteWindow>()->Hide(); });
  harness::AsHandler([] { Implicit<NoteWindow>()->Show(); });
  harness::ProcessEvents();
  // What the screen holds of the window, which is the pixel store's.
  auto onScreen = [] {
    QWidget* frame = Implicit<NoteWindow>()->Peer().Frame();
    return frame->screen()->grabWindow(frame->winId()).toImage();
  };
  const QImage before = onScreen();
  ASSERT_FALSE(before.isNull());
  harness::AsHandler([] { Implicit<NoteWindow>()->Hide(); });
  harness::ProcessEvents();
  QWidget* frame = Implicit<NoteWindow>()->Peer().Frame();
  ASSERT_NE(frame->backingStore(), nullptr);
  EXPECT_LE(frame->backingStore()->size().width(), 1);
  // The window that stays on the screen keeps its own.
  EXPECT_GT(Implicit<OtherWindow>()->Peer().Frame()->backingStore()->size().width(), 1);

  harness::AsHandler([] { Implicit<NoteWindow>()->Show(); });
  harness::ProcessEvents();
  EXPECT_EQ(onScreen(), before);
  EXPECT_EQ(frame->backingStore()->size(), frame->size());
}

}  // namespace
