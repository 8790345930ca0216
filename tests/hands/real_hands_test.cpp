#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <algorithm>

#include "framework/controls/check_box.h"
#include "framework/controls/edit_field.h"
#include "framework/controls/radio_button.h"
#include "learning/window2.h"
#include "learning/window4.h"
#include "learning/window5.h"
#include "learning/window6.h"
#include "recall/window11.h"
#include "recall/window12.h"
#include "recall/window13.h"
#include "shell/implicit_window.h"
#include "shell/window1.h"
#include "shell/window10.h"
#include "support/program_test.h"

// What patients do to the windows that tests of the roads don't: keys that
// belong to a message box, stray Spaces, double clicks, clicks beside a
// small box, long texts.
namespace {

template <class W>
fw::Ref<fw::Control> ControlOf(const std::string& name) {
  auto window = fw::GetImplicitWindow(W::Lookup().name);
  EXPECT_NE(window, nullptr) << W::Lookup().name;
  auto control = window ? window->ControlByName(name) : nullptr;
  EXPECT_NE(control, nullptr) << name;
  return control;
}

QWidget* WidgetOf(const fw::Ref<fw::Control>& control) { return fw::qt::WidgetOf(*control); }

std::vector<std::string> Shown() { return harness::ShownWindows(); }

bool IsShown(const std::string& name) {
  auto shown = Shown();
  return std::find(shown.begin(), shown.end(), name) != shown.end();
}

void SendKey(QWidget* to, QEvent::Type type, Qt::Key key, const QString& text = {}) {
  QKeyEvent event(type, key, Qt::NoModifier, text);
  QApplication::sendEvent(to, &event);
  harness::ProcessEvents();
}

// A press or release of a mouse button at a place on the screen, at a time
// in milliseconds.
void SendMouse(QWidget* to, QEvent::Type type, QPoint global, quint64 time,
               Qt::MouseButton button = Qt::LeftButton) {
  QPointF local = to->mapFromGlobal(QPointF(global));
  Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
  QMouseEvent event(type, local, QPointF(global), button, held, Qt::NoModifier);
  event.setTimestamp(time);
  QApplication::sendEvent(to, &event);
  harness::ProcessEvents();
}

class RealHandsTest : public harness::ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    WriteText("bandzus.TXT", "1. Eins.\n2. Zwei.\n3. Drei.");
    for (const char* name :
         {"Wleistung0.TXT", "Wleistung51.TXT", "Wleistung71.TXT", "Wleistung90.TXT"}) {
      WriteText(name, "Rückmeldung");
    }
  }

  void OpenWelcome() {
    harness::AsHandler([] { ImplicitWindow<Window1>(); });
    ASSERT_TRUE(IsShown("Window1.Window1"));
  }

  // The first day's text display, with a text longer than its field.
  void OpenText() {
    std::string text;
    for (int i = 1; i <= 80; ++i) text += "Zeile " + std::to_string(i) + " eines langen Textes.\n";
    WriteText("band.TXT", text);
    harness::AsHandler([] { ImplicitWindow<Window2>()->Show(); });
    auto code = ControlOf<Window2>("EditField1");
    harness::Type(code, "band");
    harness::PressKey(code, Qt::Key_Return);
    harness::Click(ControlOf<Window4>("PushButton2"));
    ASSERT_TRUE(IsShown("Window5.Window5"));
  }

  void OpenRecall() {
    harness::AsHandler([] { ImplicitWindow<Window11>()->Show(); });
    auto field = ControlOf<Window11>("EditField1");
    harness::Type(field, "band");
    harness::PressKey(field, Qt::Key_Return);
    ASSERT_TRUE(IsShown("Window12.Window12"));
  }
};

TEST_F(RealHandsTest, KeyThatClosedAMessageBoxDoesNotScoreAgain) {
  OpenRecall();
  auto points = ControlOf<Window12>("EditField3");
  harness::Type(points, "99");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "Diese Angabe muss falsch sein. Bitte korrigieren!");

  // The box took the press of Return; only its release reaches the field.
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_Space}) {
    SendKey(WidgetOf(points), QEvent::KeyRelease, key);
  }
  EXPECT_EQ(messages.size(), 1u);

  // A key that changes nothing is not answered again; one that does is.
  harness::PressKey(points, Qt::Key_Right);
  EXPECT_EQ(messages.size(), 1u);
  harness::Type(points, "9");
  EXPECT_EQ(messages.size(), 2u);
}

TEST_F(RealHandsTest, KeyHeldWhileTheFocusLeftIsNotTypedWhenItComesBack) {
  OpenRecall();
  auto points = ControlOf<Window12>("EditField3");
  harness::Type(points, "9");
  size_t before = messages.size();
  // Pressed in the field, then a box took the focus before the release.
  SendKey(WidgetOf(points), QEvent::KeyPress, Qt::Key_9, "9");
  QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
  QApplication::sendEvent(WidgetOf(points), &out);
  SendKey(WidgetOf(points), QEvent::KeyRelease, Qt::Key_9, "9");
  EXPECT_EQ(messages.size(), before);
}

TEST_F(RealHandsTest, NewWindowWithoutAFieldGivesTheFocusToNoButton) {
  OpenWelcome();
  QWidget* frame = fw::GetImplicitWindow("Window1.Window1")->Peer().Frame();
  QWidget* focus = frame->focusWidget();
  for (const char* name : {"PushButton1", "CheckBox1", "CheckBox2", "RadioButton1"}) {
    EXPECT_NE(focus, WidgetOf(ControlOf<Window1>(name))) << name;
  }
  // A stray Space or Return does nothing.
  QTest::keyClick(frame, Qt::Key_Space);
  QTest::keyClick(frame, Qt::Key_Return);
  harness::ProcessEvents();
  EXPECT_FALSE(fw::QuitRequested());
  EXPECT_EQ(Shown(), std::vector<std::string>{"Window1.Window1"});

  // Tab walks the controls by their tab order, with a frame to see.
  QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : frame, Qt::Key_Tab);
  harness::ProcessEvents();
  EXPECT_EQ(frame->focusWidget(), WidgetOf(ControlOf<Window1>("RadioButton1")));
  auto frames = frame->findChildren<QWidget*>();
  bool framed = std::any_of(frames.begin(), frames.end(), [&](QWidget* w) {
    return w->isVisible() && w->testAttribute(Qt::WA_TransparentForMouseEvents) &&
           w->geometry().contains(WidgetOf(ControlOf<Window1>("RadioButton1"))->geometry());
  });
  EXPECT_TRUE(framed);
  QTest::keyClick(frame->focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(frame->focusWidget(), WidgetOf(ControlOf<Window1>("CheckBox2")));
}

// The count is what the therapist is there to type; the result and the
// text being learnt take no stray key.
TEST_F(RealHandsTest, FocusIsWhereTheUserTypesNeverInAFilledField) {
  OpenRecall();
  EXPECT_EQ(QApplication::focusWidget(), WidgetOf(ControlOf<Window12>("EditField3")));
  harness::Type(ControlOf<Window12>("EditField3"), "2");
  harness::Click(ControlOf<Window12>("RadioButton1"));
  harness::Click(ControlOf<Window12>("PushButton2"));
  ASSERT_TRUE(IsShown("Window13.Window13"));
  for (const char* field : {"EditField1", "EditField2"}) {
    EXPECT_NE(QApplication::focusWidget(), WidgetOf(ControlOf<Window13>(field))) << field;
  }
}

TEST_F(RealHandsTest, ClickOnAButtonLeavesTheFocusInTheField) {
  OpenRecall();
  auto points = ControlOf<Window12>("EditField3");
  harness::Click(points);
  harness::Click(ControlOf<Window12>("RadioButton1"));
  EXPECT_EQ(QApplication::focusWidget(), WidgetOf(points));
}

TEST_F(RealHandsTest, DoubleClickFastOrSlowIsOneStep) {
  OpenText();
  // "weiter" on the text shows steps 2 and 3, whose own "weiter", at about
  // the same place, leads back: the second press of a double click lands on
  // it. QTest spaces its clicks apart, so the presses are made here.
  QWidget* onText = WidgetOf(ControlOf<Window5>("PushButton2"));
  QPoint pointer = onText->mapToGlobal(onText->rect().center());
  SendMouse(onText, QEvent::MouseButtonPress, pointer, 100000);
  SendMouse(onText, QEvent::MouseButtonRelease, pointer, 100080);
  ASSERT_EQ(Shown(), std::vector<std::string>{"Window6.Window6"});

  QWidget* onSteps = WidgetOf(ControlOf<Window6>("PushButton2"));
  ASSERT_TRUE(onSteps->rect().contains(onSteps->mapFromGlobal(pointer)));
  SendMouse(onSteps, QEvent::MouseButtonPress, pointer, 100200);
  SendMouse(onSteps, QEvent::MouseButtonDblClick, pointer, 100200);
  SendMouse(onSteps, QEvent::MouseButtonRelease, pointer, 100280);
  EXPECT_EQ(Shown(), std::vector<std::string>{"Window6.Window6"});

  // Slower, still within a second of the click that changed the window:
  // a tremor's second click, not a step of its own. Its release went
  // elsewhere.
  SendMouse(onSteps, QEvent::MouseButtonPress, pointer, 100750);
  EXPECT_EQ(Shown(), std::vector<std::string>{"Window6.Window6"});

  // A click of its own, a second later, goes on.
  SendMouse(onSteps, QEvent::MouseButtonPress, pointer, 102000);
  SendMouse(onSteps, QEvent::MouseButtonRelease, pointer, 102080);
  EXPECT_EQ(Shown(), std::vector<std::string>{"Window5.Window5"});

  // A right click is no first click of a double click.
  SendMouse(onText, QEvent::MouseButtonPress, pointer, 104000, Qt::RightButton);
  SendMouse(onText, QEvent::MouseButtonRelease, pointer, 104080, Qt::RightButton);
  SendMouse(onText, QEvent::MouseButtonPress, pointer, 104200);
  SendMouse(onText, QEvent::MouseButtonRelease, pointer, 104280);
  EXPECT_EQ(Shown(), std::vector<std::string>{"Window7.Window7"});  // the text read twice
}

// Between Return in the code field and the first paint of the recall window
// the code entry is still on the screen, and may still have the keyboard.
TEST_F(RealHandsTest, WindowOnItsWayOutHandsKeysOnAndTakesNoClick) {
  harness::AsHandler([] { ImplicitWindow<Window11>()->Show(); });
  auto code = ControlOf<Window11>("EditField1");
  harness::Type(code, "band");
  QWidget* field = WidgetOf(code);
  QWindow* leaving = field->window()->windowHandle();
  QTest::keyClick(field, Qt::Key_Return);
  ASSERT_TRUE(leaving->isVisible());
  // Straight to the native window, as the display hands them over.
  for (char digit : {'1', '5'}) {
    for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
      qt_handleKeyEvent(leaving, type, Qt::Key_0 + digit - '0', Qt::NoModifier, QString(digit));
    }
  }
  QPointF onField = field->mapTo(field->window(), field->rect().center());
  QPointF global = field->mapToGlobal(field->rect().center());
  qt_handleMouseEvent(leaving, onField, global, Qt::RightButton, Qt::RightButton,
                      QEvent::MouseButtonPress, Qt::NoModifier, 1);
  harness::ProcessEvents();
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
  EXPECT_EQ(std::static_pointer_cast<fw::EditField>(ControlOf<Window12>("EditField3"))->Text(),
            "15");
}

TEST_F(RealHandsTest, SelectedRadioButtonStaysSelectedAndOpensTheInformationAgain) {
  OpenWelcome();
  auto radio = ControlOf<Window1>("RadioButton1");
  harness::Click(radio);
  ASSERT_TRUE(IsShown("Window10.Window10"));
  harness::Click(ControlOf<Window10>("PushButton1"));  // "Fenster schließen"
  ASSERT_FALSE(IsShown("Window10.Window10"));

  harness::Click(radio);
  EXPECT_TRUE(std::static_pointer_cast<fw::RadioButton>(radio)->Value());
  EXPECT_TRUE(IsShown("Window10.Window10"));
}

TEST_F(RealHandsTest, WholeRectangleOfABoxTakesTheClick) {
  OpenWelcome();
  QWidget* radio = WidgetOf(ControlOf<Window1>("RadioButton1"));
  QTest::mouseClick(radio, Qt::LeftButton, Qt::NoModifier,
                    QPoint(radio->width() - 2, radio->height() - 2), 900);
  harness::ProcessEvents();
  EXPECT_TRUE(IsShown("Window10.Window10"));

  QWidget* box = WidgetOf(ControlOf<Window1>("CheckBox2"));
  QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(box->width() - 3, 2), 900);
  harness::ProcessEvents();
  EXPECT_TRUE(IsShown("Window11.Window11"));
}

TEST_F(RealHandsTest, LongTextIsShownFromItsFirstLine) {
  OpenText();

  auto* area = qobject_cast<QPlainTextEdit*>(WidgetOf(ControlOf<Window5>("EditField1")));
  ASSERT_NE(area, nullptr);
  EXPECT_EQ(area->verticalScrollBar()->value(), 0);
  EXPECT_GT(area->verticalScrollBar()->maximum(), 0) << "the text is longer than the field";
  EXPECT_EQ(area->textCursor().position(), 0);
  // What the user types goes where the insertion point is.
  QTest::keyClicks(area, "X");
  EXPECT_TRUE(area->toPlainText().startsWith("XZeile 1 "));
}

}  // namespace
