#include "framework/controls/check_box.h"
#include "framework/controls/edit_field.h"
#include "framework/controls/radio_button.h"
#include "framework/controls/static_text.h"
#include "framework/runtime/runtime.h"
#include "learning/window2.h"
#include "recall/window11.h"
#include "shell/implicit_window.h"
#include "shell/window1.h"
#include "shell/window10.h"
#include "shell/window20.h"
#include "support/program_test.h"

namespace {

template <class C, class W>
fw::Ref<C> Control(const std::string& name) {
  return std::static_pointer_cast<C>(ImplicitWindow<W>()->ControlByName(name));
}

bool Ticked(const fw::Ref<fw::Window>& window, const std::string& name) {
  return std::static_pointer_cast<fw::CheckBox>(window->ControlByName(name))->Value();
}

bool Live(const std::string& className) {
  auto live = harness::LiveWindows();
  return std::find(live.begin(), live.end(), className) != live.end();
}

class WelcomeTest : public harness::ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    harness::AsHandler([] { ImplicitWindow<Window20>(); });
    harness::Click(Control<fw::Control, Window20>("PushButton2"));
  }
};

TEST_F(WelcomeTest, StartScreenLeadsToTheWelcomeWindowAndStaysHidden) {
  EXPECT_EQ(harness::ShownWindows(), std::vector<std::string>{"Window1.Window1"});
  EXPECT_EQ(harness::HiddenWindows(), std::vector<std::string>{"Window20.Window20"});
  auto text = Control<fw::StaticText, Window1>("StaticText1")->Text();
  size_t characters = 0;
  for (unsigned char c : text) characters += (c & 0xC0) != 0x80;
  EXPECT_EQ(characters, 878u);
  EXPECT_TRUE(text.ends_with("Möchten Sie nun einen\r\r\r\r\r\r"));
  harness::SaveScreenshot(*ImplicitWindow<Window1>(), "Window1");
}

TEST_F(WelcomeTest, BackFromTheCodeEntryBeforeAnyKeyFindsTheSameWelcomeWindow) {
  auto welcome = ImplicitWindow<Window1>();
  harness::Click(Control<fw::Control, Window1>("CheckBox1"));
  EXPECT_EQ(harness::ShownWindows(), std::vector<std::string>{"Window2.Window2"});
  harness::SaveScreenshot(*ImplicitWindow<Window2>(), "Window2");
  harness::Click(Control<fw::Control, Window2>("PushButton3"));
  EXPECT_EQ(ImplicitWindow<Window1>(), welcome);
  EXPECT_TRUE(Ticked(ImplicitWindow<Window1>(), "CheckBox1"));
  EXPECT_FALSE(Live("Window2.Window2"));
  // Unticking the box leads to the code entry just the same.
  harness::Click(Control<fw::Control, Window1>("CheckBox1"));
  EXPECT_EQ(harness::ShownWindows(), std::vector<std::string>{"Window2.Window2"});
}

TEST_F(WelcomeTest, EveryKeyInACodeFieldLeavesNoWelcomeWindowYetBackBringsOne) {
  int shownBefore = harness::TimesShownOnScreen("Window1.Window1");
  harness::Click(Control<fw::Control, Window1>("CheckBox2"));
  auto field = Control<fw::EditField, Window11>("EditField1");
  for (const char* key : {"b", "a", "x"}) {
    harness::Type(field, key);
    EXPECT_FALSE(Live("Window1.Window1")) << key;
  }
  harness::PressKey(field, Qt::Key_Backspace);
  EXPECT_FALSE(Live("Window1.Window1"));
  EXPECT_EQ(field->Text(), "ba");
  EXPECT_EQ(harness::TimesShownOnScreen("Window1.Window1"), shownBefore);
  harness::Click(Control<fw::Control, Window11>("PushButton3"));
  EXPECT_EQ(harness::ShownWindows(), std::vector<std::string>{"Window1.Window1"});
  EXPECT_FALSE(Ticked(ImplicitWindow<Window1>(), "CheckBox2"));
}

TEST_F(WelcomeTest, WrongCodesAskForACorrectionAndKeepTheText) {
  harness::Click(Control<fw::Control, Window1>("CheckBox1"));
  auto field = Control<fw::EditField, Window2>("EditField1");
  for (const char* code : {"", "   ", "gol", "golds", "go ld"}) {
    field->Text(code);
    messages.clear();
    harness::PressKey(field, Qt::Key_Return);
    ASSERT_EQ(messages.size(), 1u) << "'" << code << "'";
    EXPECT_EQ(messages[0], "Das Kürzel ist falsch! Bitte korrigieren!");
    EXPECT_EQ(field->Text(), code);
    EXPECT_EQ(harness::ShownWindows(), std::vector<std::string>{"Window2.Window2"});
  }
  messages.clear();
  field->Text("gold");
  harness::Type(field, "x");
  EXPECT_TRUE(messages.empty());
}

TEST_F(WelcomeTest, ListShownFromTheCodeEntriesIsOneWindowAndKeepsTheField) {
  harness::Click(Control<fw::Control, Window1>("CheckBox1"));
  harness::Type(Control<fw::EditField, Window2>("EditField1"), "bes");
  harness::Click(Control<fw::Control, Window2>("PushButton1"));
  harness::Click(Control<fw::Control, Window2>("PushButton1"));
  std::vector<std::string> shown{"Window2.Window2", "Window3.Window3"};
  EXPECT_EQ(harness::ShownWindows(), shown);
  auto field = Control<fw::EditField, Window2>("EditField1");
  EXPECT_EQ(field->Text(), "bes");
}

TEST_F(WelcomeTest, MoreInformationOpensBesideTheWelcomeWindow) {
  harness::Click(Control<fw::Control, Window1>("RadioButton1"));
  auto info = ImplicitWindow<Window10>();
  std::vector<std::string> shown{"Window1.Window1", "Window10.Window10"};
  EXPECT_EQ(harness::ShownWindows(), shown);
  harness::Click(info->ControlByName("PushButton1"));
  EXPECT_EQ(harness::ShownWindows(), std::vector<std::string>{"Window1.Window1"});
  auto radio = Control<fw::RadioButton, Window1>("RadioButton1");
  EXPECT_TRUE(radio->Value());
  harness::Click(Control<fw::Control, Window1>("RadioButton1"));
  EXPECT_EQ(ImplicitWindow<Window10>(), info);
}

TEST_F(WelcomeTest, AbbruchAndTheQuitEntryEndTheRunWithoutAQuestion) {
  harness::Click(Control<fw::Control, Window1>("PushButton1"));
  EXPECT_TRUE(fw::QuitRequested());
  EXPECT_TRUE(messages.empty());
  fw::RuntimeInit();
  harness::TriggerMenuEntry(*ImplicitWindow<Window1>(), "FileQuit");
  EXPECT_TRUE(fw::QuitRequested());
}

}  // namespace
