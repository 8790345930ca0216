#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <algorithm>

#include "framework/application/dispatch.h"
#include "framework/qt/control_peer.h"
#include "support/harness.h"
#include "test_windows.h"

using harness::Implicit;
using testwin::NoteWindow;

namespace {

class EventsTest : public harness::FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    harness::AsHandler([] { Implicit<NoteWindow>(); });
    note = Implicit<NoteWindow>();
    field = std::static_pointer_cast<fw::EditField>(note->ControlByName("EditField1"));
  }
  void TearDown() override {
    note.reset();
    field.reset();
    FrameworkTest::TearDown();
  }
  fw::Ref<NoteWindow> note;
  fw::Ref<fw::EditField> field;
};

TEST_F(EventsTest, KeyDownDecidesWhetherTheFieldTakesTheKey) {
  note->onKeyDown = [](const std::string& key) { return key == "x"; };
  harness::Type(field, "axb");
  EXPECT_EQ(field->Text(), "ab");
  EXPECT_EQ(note->keysDown, (std::vector<std::string>{"a", "x", "b"}));
}

TEST_F(EventsTest, KeyUpSeesTheTextWithTheKeyInIt) {
  harness::Type(field, "go");
  harness::PressKey(field, Qt::Key_Backspace);
  EXPECT_EQ(note->textsAtKeyUp, (std::vector<std::string>{"g", "go", "g"}));
}

TEST_F(EventsTest, KeysWithoutCharactersComeAsControlCharacters) {
  harness::PressKey(field, Qt::Key_Return);
  harness::PressKey(field, Qt::Key_Enter);
  harness::PressKey(field, Qt::Key_Backspace);
  harness::PressKey(field, Qt::Key_Escape);
  harness::PressKey(field, Qt::Key_Delete);
  harness::PressKey(field, Qt::Key_Left);
  harness::PressKey(field, Qt::Key_Right);
  harness::PressKey(field, Qt::Key_Up);
  harness::PressKey(field, Qt::Key_Down);
  harness::PressKey(field, Qt::Key_Shift);
  std::vector<int> codes;
  for (const auto& k : note->keysDown) codes.push_back(static_cast<unsigned char>(k[0]));
  EXPECT_EQ(codes, (std::vector<int>{13, 13, 8, 27, 127, 28, 29, 30, 31}));
}

TEST_F(EventsTest, MultiLineFieldsGiveCarriageReturnsBack) {
  auto area = testwin::MakeControl<NoteWindow, fw::EditField>(
      *note, "EditField2", testwin::FieldStream("EditField2", 10, 100, 200, 80, true));
  area->Text("eins\rzwei");
  EXPECT_EQ(area->Text(), "eins\rzwei");
  QTest::keyClick(fw::qt::WidgetOf(*area), Qt::Key_End, Qt::ControlModifier);
  harness::PressKey(area, Qt::Key_Return);
  harness::Type(area, "b");
  EXPECT_EQ(area->Text(), "eins\rzwei\rb");
}

TEST_F(EventsTest, ButtonClickRaisesAction) {
  int actions = 0;
  note->onAction = [&] { ++actions; };
  harness::Click(note->ControlByName("PushButton1"));
  EXPECT_EQ(actions, 1);
}

TEST_F(EventsTest, ReturnAndEnterPressTheFocusedButtonOnceAsSpaceDoes) {
  int actions = 0;
  note->onAction = [&] { ++actions; };
  auto button = note->ControlByName("PushButton1");
  fw::qt::WidgetOf(*button)->setFocus(Qt::TabFocusReason);
  harness::PressKey(button, Qt::Key_Return);
  QTest::keyClick(fw::qt::WidgetOf(*button), Qt::Key_Enter, Qt::KeypadModifier);
  harness::PressKey(button, Qt::Key_Space);
  EXPECT_EQ(actions, 3);
  // A held key presses once.
  QTest::sendKeyEvent(QTest::KeyAction::Press, fw::qt::WidgetOf(*button), Qt::Key_Return, '\r',
                      Qt::NoModifier);
  QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r", true);
  QApplication::sendEvent(fw::qt::WidgetOf(*button), &repeat);
  EXPECT_EQ(actions, 4);
}

TEST_F(EventsTest, AFocusedBoxShowsOneFrameHoweverTheFocusCame) {
  QWidget* box = fw::qt::WidgetOf(*note->ControlByName("CheckBox1"));
  QWidget* content = box->parentWidget();
  auto framed = [&] {
    auto frames = content->findChildren<QWidget*>();
    return std::any_of(frames.begin(), frames.end(), [&](QWidget* w) {
      return w->isVisible() && w->testAttribute(Qt::WA_TransparentForMouseEvents) &&
             w->geometry().contains(box->geometry());
    });
  };
  QImage unfocused = box->grab().toImage();
  box->window()->activateWindow();
  box->setFocus(Qt::TabFocusReason);
  harness::ProcessEvents();
  ASSERT_TRUE(box->hasFocus());
  EXPECT_TRUE(framed());
  // Our frame is the only mark: the box itself looks as it did.
  EXPECT_EQ(box->grab().toImage(), unfocused);

  // Its window went behind another and came back to the front.
  QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
  QApplication::sendEvent(box, &out);
  EXPECT_FALSE(framed());
  QFocusEvent back(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
  QApplication::sendEvent(box, &back);
  EXPECT_TRUE(framed());
}

TEST_F(EventsTest, TypedTextStandsClearOfTheFieldsBorder) {
  // The first dark pixel inside the border's two pixels.
  auto firstInk = [](const fw::Ref<fw::EditField>& f) {
    QImage look = fw::qt::WidgetOf(*f)->grab().toImage();
    for (int x = 2; x < look.width(); ++x) {
      for (int y = 4; y < look.height() * 3 / 4; ++y) {
        if (qGray(look.pixel(x, y)) < 100) return x;
      }
    }
    return look.width();
  };
  auto area = testwin::MakeControl<NoteWindow, fw::EditField>(
      *note, "EditField2", testwin::FieldStream("EditField2", 10, 100, 200, 80, true));
  for (const auto& f : {field, area}) {
    harness::Type(f, "8");
    EXPECT_GE(firstInk(f), 7) << fw::qt::WidgetOf(*f)->metaObject()->className();
    EXPECT_LE(firstInk(f), 10);
  }
}

TEST_F(EventsTest, FailureInAHandlerEndsTheLoopAndReachesTheCaller) {
  note->onAction = [] { throw fw::NilObjectException("die Datei „GOLD.TXT“"); };
  auto button = note->ControlByName("PushButton1");
  QTimer::singleShot(0, [button] { harness::Click(button); });
  try {
    fw::RuntimeRun();
    ADD_FAILURE() << "the failure did not come out of the event loop";
  } catch (const fw::NilObjectException& e) {
    fw::UnhandledException(std::current_exception());
  }
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("GOLD.TXT"), std::string::npos);
  EXPECT_NE(messages[0].find("beendet"), std::string::npos);
}

TEST_F(EventsTest, QuitEndsTheLoopAfterTheHandler) {
  bool afterQuit = false;
  note->onAction = [&] {
    fw::Quit(0);
    afterQuit = true;
  };
  auto button = note->ControlByName("PushButton1");
  QTimer::singleShot(0, [button] { harness::Click(button); });
  fw::RuntimeRun();
  EXPECT_TRUE(afterQuit);
  EXPECT_TRUE(fw::QuitRequested());
}

}  // namespace
