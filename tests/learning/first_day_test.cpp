#include <QTest>
#include <algorithm>
#include <functional>

#include "catalogue/text_store.h"
#include "framework/controls/check_box.h"
#include "framework/controls/edit_field.h"
#include "framework/controls/static_text.h"
#include "learning/window2.h"
#include "learning/window4.h"
#include "learning/window5.h"
#include "learning/window6.h"
#include "learning/window7.h"
#include "learning/window8.h"
#include "learning/window9.h"
#include "shell/implicit_window.h"
#include "support/program_test.h"

namespace {

using Names = std::vector<std::string>;

const char* const kGoldText =
    "Goldrausch\n"
    "\n"
    "Ein Tramp zieht über den verschneiten Pass nach Alaska.\n"
    "In der Hütte träumt er vom großen Fund.";

std::string WithCR(std::string text) {
  std::replace(text.begin(), text.end(), '\n', '\r');
  return text;
}

// The window of the class if one is live; looking never builds one.
template <class W>
fw::Ref<W> Live() {
  return fw::RuntimeCheckCast<W>(fw::GetImplicitWindow(W::Lookup().name), W::Lookup());
}

template <class C, class W>
fw::Ref<C> ControlOf(const char* name) {
  auto window = Live<W>();
  if (!window) ADD_FAILURE() << W::Lookup().name << " is not open";
  return window ? std::dynamic_pointer_cast<C>(window->ControlByName(name)) : nullptr;
}

template <class W>
fw::Ref<fw::EditField> FieldOf(const char* name) {
  return ControlOf<fw::EditField, W>(name);
}

template <class W>
std::string LabelOf(const char* name) {
  return ControlOf<fw::StaticText, W>(name)->Text();
}

template <class W>
void Press(const char* button) {
  harness::Click(ControlOf<fw::Control, W>(button));
}

class FirstDayTest : public harness::ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    WriteText("GOLD.TXT", kGoldText);
  }

  static void EnterCode(const std::string& code) {
    harness::AsHandler([] { ImplicitWindow<Window2>()->Show(); });
    auto field = FieldOf<Window2>("EditField1");
    harness::Type(field, code);
    harness::PressKey(field, Qt::Key_Return);
  }

  // From the code entry to the text, the way a user gets there.
  static void ReachText(const std::string& code = "gold") {
    EnterCode(code);
    Press<Window4>("PushButton2");
  }

  static std::string ShownText() { return FieldOf<Window5>("EditField1")->Text(); }
  static int32_t Step() { return Live<Window5>()->Gehezu; }
  static bool BoxTicked() { return ControlOf<fw::CheckBox, Window7>("CheckBox1")->Value(); }
};

TEST_F(FirstDayTest, KnownCodeLeadsThroughTheIntroductionToItsText) {
  EnterCode("gold");
  EXPECT_EQ(harness::ShownWindows(), Names{"Window4.Window4"});
  EXPECT_EQ(harness::HiddenWindows(), Names{"Window2.Window2"});
  EXPECT_EQ(FieldOf<Window2>("EditField1")->Text(), "gold");
  const std::string intro = LabelOf<Window4>("StaticText1");
  EXPECT_TRUE(intro.starts_with("\r\r\rUm sich den Inhalt"));
  EXPECT_NE(intro.find("\r1) Vorprüfung und Vorwissen: \r"), std::string::npos);
  harness::SaveScreenshot(*Live<Window4>(), "Window4");

  Press<Window4>("PushButton2");
  EXPECT_EQ(harness::LiveWindows(), Names{"Window5.Window5"});
  EXPECT_EQ(harness::ShownWindows(), Names{"Window5.Window5"});
  EXPECT_EQ(ShownText(), WithCR(kGoldText));
  EXPECT_EQ(Step(), 6);
  // The code entry that "weiter" builds only to give it up never shows.
  EXPECT_EQ(harness::TimesShownOnScreen("Window2.Window2"), 1);
  EXPECT_EQ(harness::TimesShownOnScreen("Window1.Window1"), 0);
  EXPECT_TRUE(messages.empty());
  harness::SaveScreenshot(*Live<Window5>(), "Window5");
}

TEST_F(FirstDayTest, CodeInOtherLetterCaseFindsTheSameText) {
  ReachText("Gold");
  EXPECT_EQ(ShownText(), WithCR(kGoldText));
}

TEST_F(FirstDayTest, LastCodeReadsOnlyItsOwnFile) {
  WriteText("band.TXT", "Die Band von nebenan");
  ReachText("band");
  EXPECT_EQ(ShownText(), "Die Band von nebenan");
  for (StoreItem* item : StoreItemsInReleaseOrder()) {
    EXPECT_EQ(item->Loaded(), item == &x_band::item) << item->Name();
  }
}

TEST_F(FirstDayTest, MissingTextFileIsNamedAndTheEntryStays) {
  bundle.RemoveResource("GOLD.TXT");
  EnterCode("gold");
  EXPECT_EQ(messages, Names{"Die Datei „GOLD.TXT“ fehlt, ist leer oder nicht lesbar.\rGesucht "
                            "wurde sie im Ordner\r" +
                            bundle.Resources().string()});
  EXPECT_EQ(harness::ShownWindows(), Names{"Window2.Window2"});
  EXPECT_EQ(FieldOf<Window2>("EditField1")->Text(), "gold");
}

TEST_F(FirstDayTest, UnknownCodeLoadsNothingButStillClosesTheWayBack) {
  harness::AsHandler([] {
    ImplicitWindow<Window2>()->Show();
    std::static_pointer_cast<fw::EditField>(ImplicitWindow<Window2>()->ControlByName("EditField1"))
        ->Text("xyz");
    ImplicitWindow<Window4>()->Show();
    ImplicitWindow<Window5>()->Show();
  });
  EXPECT_EQ(ShownText(), "");
  EXPECT_EQ(harness::LiveWindows(), Names{"Window5.Window5"});
  for (StoreItem* item : StoreItemsInReleaseOrder()) EXPECT_FALSE(item->Loaded()) << item->Name();
}

TEST_F(FirstDayTest, StepsFollowTheCounterWhateverWayTheUserComesBack) {
  ReachText();
  Press<Window5>("PushButton2");
  EXPECT_EQ(harness::ShownWindows(), Names{"Window6.Window6"});
  EXPECT_EQ(Step(), 7);
  harness::SaveScreenshot(*Live<Window6>(), "Window6");

  // The user's notes in the text survive the steps; nothing reloads it.
  Press<Window6>("PushButton2");
  EXPECT_EQ(harness::ShownWindows(), Names{"Window5.Window5"});
  EXPECT_EQ(harness::HiddenWindows(), Names{"Window6.Window6"});
  auto text = FieldOf<Window5>("EditField1");
  QTest::keyClick(fw::qt::WidgetOf(*text), Qt::Key_End, Qt::ControlModifier);
  harness::Type(text, " Notiz");

  Press<Window5>("PushButton2");
  EXPECT_EQ(harness::ShownWindows(), Names{"Window7.Window7"});
  EXPECT_EQ(Step(), 8);
  harness::SaveScreenshot(*Live<Window7>(), "Window7");

  Press<Window7>("CheckBox1");
  EXPECT_EQ(harness::ShownWindows(), Names{"Window5.Window5"});
  EXPECT_EQ(ShownText(), WithCR(kGoldText) + " Notiz");
  EXPECT_TRUE(BoxTicked());

  for (int again = 0; again < 2; ++again) {
    Press<Window5>("PushButton2");
    EXPECT_EQ(harness::ShownWindows(), Names{"Window8.Window8"});
    EXPECT_EQ(Step(), 8);
    Press<Window8>("PushButton2");
    EXPECT_EQ(harness::ShownWindows(), Names{"Window9.Window9"});
    Press<Window9>("PushButton2");  // "zurück": the review, hidden, comes back
    Press<Window8>("PushButton3");  // "zurück": the retelling as it was left
    EXPECT_EQ(harness::ShownWindows(), Names{"Window7.Window7"});
    Press<Window7>("CheckBox1");  // ticked, the box clears and still leads to the text
    EXPECT_EQ(BoxTicked(), again == 1);
  }
  EXPECT_EQ(harness::LiveWindows(),
            (Names{"Window5.Window5", "Window6.Window6", "Window7.Window7"}));
  EXPECT_EQ(harness::TimesShownOnScreen("Window5.Window5"), 5);
  EXPECT_FALSE(fw::QuitRequested());
}

TEST_F(FirstDayTest, DayEndsWithFarewellAndEnde) {
  ReachText();
  Press<Window5>("PushButton2");
  Press<Window6>("PushButton3");  // "zurück" gives the window up but keeps the counter
  EXPECT_EQ(harness::LiveWindows(), Names{"Window5.Window5"});
  Press<Window5>("PushButton2");
  EXPECT_EQ(harness::ShownWindows(), Names{"Window7.Window7"});
  Press<Window7>("PushButton1");
  EXPECT_EQ(harness::ShownWindows(), Names{"Window8.Window8"});
  harness::SaveScreenshot(*Live<Window8>(), "Window8");
  Press<Window8>("PushButton2");
  EXPECT_EQ(harness::ShownWindows(), Names{"Window9.Window9"});
  EXPECT_EQ(harness::HiddenWindows(),
            (Names{"Window5.Window5", "Window7.Window7", "Window8.Window8"}));
  EXPECT_TRUE(LabelOf<Window9>("StaticText1").starts_with("Das war\u00B4s für heute!\r"));
  harness::SaveScreenshot(*Live<Window9>(), "Window9");
  EXPECT_FALSE(fw::QuitRequested());
  Press<Window9>("PushButton1");
  EXPECT_TRUE(fw::QuitRequested());
  EXPECT_TRUE(messages.empty());
}

TEST_F(FirstDayTest, BackFromTheIntroductionKeepsTheCode) {
  EnterCode("gold");
  auto first = Live<Window4>();
  Press<Window4>("PushButton3");
  EXPECT_EQ(harness::LiveWindows(), Names{"Window2.Window2"});
  EXPECT_EQ(harness::ShownWindows(), Names{"Window2.Window2"});
  auto field = FieldOf<Window2>("EditField1");
  EXPECT_EQ(field->Text(), "gold");
  harness::PressKey(field, Qt::Key_Return);
  EXPECT_NE(Live<Window4>(), first);
  EXPECT_EQ(harness::ShownWindows(), Names{"Window4.Window4"});
  EXPECT_EQ(harness::HiddenWindows(), Names{"Window2.Window2"});
}

// "Abbruch" (or "Ende") in each window of the day: the run ends at once,
// without a question and with the windows as they were.
struct CancelCase {
  const char* window;
  int stepsOn;  // how far along the road from the text: -1 stops at the introduction
  std::function<void()> press;
};

void PrintTo(const CancelCase& c, std::ostream* os) { *os << c.window; }

class CancelTest : public FirstDayTest, public ::testing::WithParamInterface<CancelCase> {};

TEST_P(CancelTest, QuitsAtOnceWithoutAQuestion) {
  const int steps = GetParam().stepsOn;
  if (steps < 0) {
    EnterCode("gold");
  } else {
    ReachText();
  }
  if (steps >= 1) Press<Window5>("PushButton2");  // steps 2 and 3
  if (steps >= 2) {
    Press<Window6>("PushButton2");
    Press<Window5>("PushButton2");  // the retelling
  }
  if (steps >= 3) Press<Window7>("PushButton1");  // the review
  if (steps >= 4) Press<Window8>("PushButton2");  // the end of the day
  const Names shown = harness::ShownWindows();
  ASSERT_EQ(shown.size(), 1u);
  GetParam().press();
  EXPECT_TRUE(fw::QuitRequested());
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(harness::ShownWindows(), shown);
}

INSTANTIATE_TEST_SUITE_P(
    EveryWindow, CancelTest,
    ::testing::Values(CancelCase{"Window4", -1, [] { Press<Window4>("PushButton1"); }},
                      CancelCase{"Window5", 0, [] { Press<Window5>("PushButton1"); }},
                      CancelCase{"Window6", 1, [] { Press<Window6>("PushButton1"); }},
                      CancelCase{"Window7", 2, [] { Press<Window7>("PushButton2"); }},
                      CancelCase{"Window8", 3, [] { Press<Window8>("PushButton1"); }},
                      CancelCase{"Window9", 4, [] { Press<Window9>("PushButton1"); }}),
    [](const ::testing::TestParamInfo<CancelCase>& tested) { return tested.param.window; });

}  // namespace
