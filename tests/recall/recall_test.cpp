#include <algorithm>
#include <cstdint>

#include "framework/controls/edit_field.h"
#include "framework/controls/radio_button.h"
#include "learning/window2.h"
#include "recall/window11.h"
#include "recall/window12.h"
#include "recall/window13.h"
#include "shell/implicit_window.h"
#include "shell/window1.h"
#include "support/program_test.h"

namespace {

constexpr const char* kBandSummary =
    "1. Die Band probt nebenan.\n2. Der Nachbar ärgert sich über den Lärm.\n3. Am Ende "
    "spielen alle zusammen.";

std::string WithCarriageReturns(std::string text) {
  std::replace(text.begin(), text.end(), '\n', '\r');
  return text;
}

template <class W>
bool Live() {
  return fw::GetImplicitWindow(W::Lookup().name) != nullptr;
}

template <class W>
fw::Ref<W> LiveWindow() {
  auto window = fw::GetImplicitWindow(W::Lookup().name);
  EXPECT_NE(window, nullptr) << W::Lookup().name;
  return std::static_pointer_cast<W>(window);
}

template <class W>
fw::Ref<fw::Control> ControlOf(const std::string& name) {
  auto control = LiveWindow<W>()->ControlByName(name);
  EXPECT_NE(control, nullptr) << name;
  return control;
}

template <class W>
std::string TextOf(const std::string& name) {
  return std::static_pointer_cast<fw::EditField>(ControlOf<W>(name))->Text();
}

bool Contains(const std::vector<std::string>& names, const std::string& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// The second day as the user and the therapist go through it: the code in
// Window11, then the two answers in Window12, each feedback text telling
// itself apart.
class RecallTest : public harness::ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    WriteText("bandzus.TXT", kBandSummary);
    WriteText("JANzus.TXT", "Jan und die Zille");
    WriteText("GOLDzus.TXT", "Golden Girl");
    WriteText("amendezus.TXT", "Was zählt");
    WriteText("Wleistung0.TXT", "Üben Sie weiter");
    WriteText("Wleistung51.TXT", "Schon ordentlich");
    WriteText("Wleistung71.TXT", "Gut gemacht");
    WriteText("Wleistung90.TXT", "Sehr gut – ein schwererer Text");
  }

  void EnterCode(const std::string& code) {
    harness::AsHandler([] { ImplicitWindow<Window11>()->Show(); });
    harness::Type(ControlOf<Window11>("EditField1"), code);
    harness::PressKey(ControlOf<Window11>("EditField1"), Qt::Key_Return);
  }

  // Clears the points field key by key, then types the new count.
  void Count(const std::string& count) {
    auto field = ControlOf<Window12>("EditField3");
    while (!TextOf<Window12>("EditField3").empty()) harness::PressKey(field, Qt::Key_Backspace);
    harness::Type(field, count);
  }

  void Answer(bool understood) {
    harness::Click(ControlOf<Window12>(understood ? "RadioButton1" : "RadioButton2"));
  }

  std::string Feedback() { return TextOf<Window13>("EditField1"); }

  const std::string w0 = "Üben Sie weiter", w51 = "Schon ordentlich", w71 = "Gut gemacht",
                    w90 = "Sehr gut – ein schwererer Text";
};

TEST_F(RecallTest, KnownCodeShowsTheSummaryAndPreparesTheHiddenResult) {
  harness::AsHandler([] { ImplicitWindow<Window11>()->Show(); });
  harness::Type(ControlOf<Window11>("EditField1"), "band");
  harness::SaveScreenshot(*LiveWindow<Window11>(), "Window11");
  harness::PressKey(ControlOf<Window11>("EditField1"), Qt::Key_Return);

  auto recall = LiveWindow<Window12>();
  EXPECT_EQ(TextOf<Window12>("EditField1"), WithCarriageReturns(kBandSummary));
  EXPECT_EQ(recall->Punktemax, 16);
  EXPECT_EQ(recall->Schwierigkeit, 82);
  EXPECT_EQ(recall->Punkterichtig, 0);
  EXPECT_EQ(recall->Prozent, 0.0);
  EXPECT_EQ(TextOf<Window12>("EditField3"), "");
  for (const char* radio : {"RadioButton1", "RadioButton2"}) {
    EXPECT_FALSE(std::static_pointer_cast<fw::RadioButton>(ControlOf<Window12>(radio))->Value());
  }
  EXPECT_EQ(TextOf<Window13>("EditField2"), "82");
  EXPECT_EQ(TextOf<Window13>("EditField1"), "");
  EXPECT_EQ(harness::ShownWindows(), std::vector<std::string>{"Window12.Window12"});
  EXPECT_EQ(harness::HiddenWindows(), std::vector<std::string>{"Window13.Window13"});
  EXPECT_EQ(harness::TimesShownOnScreen("Window13.Window13"), 0);
  EXPECT_TRUE(messages.empty());
}

TEST_F(RecallTest, AnsweredRecallLeadsThroughTheResultToANewText) {
  EnterCode("band");
  Answer(true);
  Count("15");
  EXPECT_EQ(Feedback(), w90);
  harness::SaveScreenshot(*LiveWindow<Window12>(), "Window12");

  harness::Click(ControlOf<Window12>("PushButton2"));
  EXPECT_EQ(harness::ShownWindows(), std::vector<std::string>{"Window13.Window13"});
  EXPECT_EQ(harness::HiddenWindows(), std::vector<std::string>{"Window12.Window12"});
  EXPECT_EQ(LiveWindow<Window12>()->Punkterichtig, 15);
  harness::SaveScreenshot(*LiveWindow<Window13>(), "Window13");

  harness::Click(ControlOf<Window13>("PushButton3"));
  EXPECT_EQ(harness::ShownWindows(), std::vector<std::string>{"Window2.Window2"});
  EXPECT_EQ(harness::HiddenWindows(), std::vector<std::string>{"Window13.Window13"});
  EXPECT_EQ(TextOf<Window2>("EditField1"), "");
  EXPECT_TRUE(messages.empty());
}

TEST_F(RecallTest, SecondRecallOfTheRunReusesTheResultWindow) {
  EnterCode("band");
  Answer(true);
  Count("16");
  harness::Click(ControlOf<Window12>("PushButton2"));
  auto result = LiveWindow<Window13>();
  auto background = result->MyBackground;
  auto firstRecall = LiveWindow<Window12>();
  harness::Click(ControlOf<Window13>("PushButton3"));

  // Back from the new text's entry to the welcome window, and recall again.
  harness::Click(ControlOf<Window2>("PushButton3"));
  harness::Click(ControlOf<Window1>("CheckBox2"));
  EnterCode("gold");
  EXPECT_NE(LiveWindow<Window12>(), firstRecall);
  EXPECT_EQ(LiveWindow<Window13>(), result);
  EXPECT_EQ(result->MyBackground, background);
  EXPECT_EQ(TextOf<Window13>("EditField2"), "1");
  EXPECT_EQ(Feedback(), "");  // never the last check's
  EXPECT_EQ(harness::ShownWindows(), std::vector<std::string>{"Window12.Window12"});
  EXPECT_TRUE(Contains(harness::HiddenWindows(), "Window13.Window13"));
  Count("1");
  EXPECT_EQ(Feedback(), w0);
}

TEST_F(RecallTest, FeedbackFollowsThePercentageBands) {
  struct Case {
    const char* code;
    const char* count;
    double percent;
    const std::string& feedback;
  };
  const Case cases[] = {
      {"jan", "5", 50.0, w0},
      {"jan", "6", 60.0, w51},
      {"jan", "7", 70.0, w51},
      {"jan", "8", 80.0, w71},
      {"jan", "9", 90.0, w90},
      {"jan", "10", 100.0, w90},
      {"gold", "2", 50.0, w0},
      {"gold", "3", 75.0, w71},
      {"gold", "4", 100.0, w90},
      {"amende", "15", 1500.0 / 17, w71},
      {"amende", "16", 1600.0 / 17, w90},
  };
  std::string code;
  for (const Case& c : cases) {
    if (code != c.code) {
      if (Live<Window12>()) harness::AsHandler([] { ImplicitWindow<Window12>()->Close(); });
      code = c.code;
      EnterCode(code);
      Answer(true);
    }
    Count(c.count);
    EXPECT_DOUBLE_EQ(LiveWindow<Window12>()->Prozent, c.percent) << code << " " << c.count;
    EXPECT_EQ(Feedback(), c.feedback) << code << " " << c.count;
  }
  EXPECT_TRUE(messages.empty());
}

TEST_F(RecallTest, GistNotUnderstoodGivesTheLowestFeedbackFromTheNextKeyOn) {
  EnterCode("jan");
  Answer(false);
  Count("10");
  EXPECT_EQ(LiveWindow<Window12>()->Prozent, 100.0);
  EXPECT_EQ(Feedback(), w0);

  Answer(true);
  Count("9");
  EXPECT_EQ(Feedback(), w90);
  // Changing the answer alone does not score again.
  Answer(false);
  EXPECT_EQ(Feedback(), w90);
  Count("9");
  EXPECT_EQ(Feedback(), w0);
}

TEST_F(RecallTest, CountAboveTheKeyPointsIsRefusedKeyByKey) {
  const std::string tooMany = "Diese Angabe muss falsch sein. Bitte korrigieren!";
  EnterCode("jan");
  Answer(true);
  auto field = ControlOf<Window12>("EditField3");
  harness::Type(field, "1");
  EXPECT_TRUE(messages.empty());
  harness::Type(field, "2");
  EXPECT_EQ(messages, std::vector<std::string>{tooMany});
  EXPECT_EQ(LiveWindow<Window12>()->Punkterichtig, 1);
  EXPECT_EQ(LiveWindow<Window12>()->Prozent, 10.0);
  EXPECT_EQ(Feedback(), w0);
  harness::Type(field, "3");
  EXPECT_EQ(messages.size(), 2u);
  // The count stays refused as long as it stands; the field keeps it.
  EXPECT_EQ(TextOf<Window12>("EditField3"), "123");
  EXPECT_EQ(LiveWindow<Window12>()->Punkterichtig, 1);

  messages.clear();
  harness::AsHandler([] { ImplicitWindow<Window12>()->Close(); });
  EnterCode("gold");
  Count("7");
  EXPECT_EQ(messages, std::vector<std::string>{tooMany});
  EXPECT_EQ(LiveWindow<Window12>()->Punkterichtig, 0);
  EXPECT_EQ(Feedback(), w0);
}

// A count is a whole number from 0 to the key points: anything else is
// refused once when typed and again at "weiter", and never reaches the
// result. Keys that change nothing say nothing.
TEST_F(RecallTest, CountsThatCannotBeRightAreRefusedAndNeverScored) {
  const std::string tooMany = "Diese Angabe muss falsch sein. Bitte korrigieren!";
  EnterCode("jan");
  Answer(true);
  Count(" 8 ");
  EXPECT_EQ(LiveWindow<Window12>()->Punkterichtig, 8);
  auto field = ControlOf<Window12>("EditField3");
  auto weiter = ControlOf<Window12>("PushButton2");
  for (const char* wrong : {"abc", "-3", "2,5", "2.5", "11", "99999999999"}) {
    std::static_pointer_cast<fw::EditField>(field)->Text(wrong);
    messages.clear();
    harness::PressKey(field, Qt::Key_End);
    harness::PressKey(field, Qt::Key_Left);
    harness::Click(weiter);
    EXPECT_EQ(messages, std::vector<std::string>(2, tooMany)) << wrong;
    EXPECT_EQ(LiveWindow<Window12>()->Punkterichtig, 8) << wrong;
    EXPECT_EQ(Feedback(), w71) << wrong;
    EXPECT_EQ(harness::ShownWindows(), std::vector<std::string>{"Window12.Window12"}) << wrong;
  }
}

TEST_F(RecallTest, WeiterScoresTheAnswersAsTheyStand) {
  EnterCode("gold");
  Answer(true);
  Count("4");
  Answer(false);
  harness::Click(ControlOf<Window12>("PushButton2"));
  EXPECT_EQ(Feedback(), w0);

  // A count put in without a key of its own, as a paste does.
  harness::Click(ControlOf<Window13>("PushButton3"));
  harness::Click(ControlOf<Window2>("PushButton3"));
  harness::Click(ControlOf<Window1>("CheckBox2"));
  EnterCode("gold");
  Answer(true);
  Count("0");
  std::static_pointer_cast<fw::EditField>(ControlOf<Window12>("EditField3"))->Text("4");
  harness::Click(ControlOf<Window12>("PushButton2"));
  EXPECT_EQ(Feedback(), w90);
  EXPECT_EQ(harness::ShownWindows(), std::vector<std::string>{"Window13.Window13"});
  EXPECT_TRUE(messages.empty());
}

TEST_F(RecallTest, MissingFeedbackIsNamedAndTheNumberStillShown) {
  bundle.RemoveResource("Wleistung90.TXT");
  EnterCode("gold");
  Answer(true);
  Count("4");
  messages.clear();
  harness::Click(ControlOf<Window12>("PushButton2"));
  EXPECT_EQ(messages, std::vector<std::string>{
                          "Die Datei „Wleistung90.TXT“ fehlt, ist leer oder nicht lesbar.\rGesucht "
                          "wurde sie im Ordner\r" +
                          bundle.Resources().string()});
  EXPECT_EQ(harness::ShownWindows(), std::vector<std::string>{"Window13.Window13"});
  EXPECT_EQ(TextOf<Window13>("EditField2"), "1");
}

TEST_F(RecallTest, WeiterWaitsForBothAnswers) {
  const std::string incomplete = "Ihre Angaben sind noch unvollständig! Bitte ergänzen!";
  EnterCode("jan");
  auto weiter = ControlOf<Window12>("PushButton2");
  harness::Click(weiter);
  Answer(true);
  harness::Click(weiter);
  Answer(false);
  Count("4");
  Count("");
  harness::Click(weiter);
  EXPECT_EQ(messages, std::vector<std::string>(3, incomplete));
  EXPECT_EQ(harness::ShownWindows(), std::vector<std::string>{"Window12.Window12"});

  Count("4");
  harness::Click(weiter);
  EXPECT_EQ(messages.size(), 3u);
  EXPECT_EQ(harness::ShownWindows(), std::vector<std::string>{"Window13.Window13"});
}

TEST_F(RecallTest, CountWithoutAnAnswerToTheGistIsIncomplete) {
  EnterCode("jan");
  Count("4");
  harness::Click(ControlOf<Window12>("PushButton2"));
  EXPECT_EQ(messages,
            std::vector<std::string>{"Ihre Angaben sind noch unvollständig! Bitte ergänzen!"});
  EXPECT_FALSE(Live<Window13>() && harness::OnScreen(*LiveWindow<Window13>()));
}

TEST_F(RecallTest, MissingSummaryIsNamedAndTheEntryStays) {
  EnterCode("karo");
  EXPECT_EQ(messages, std::vector<std::string>{
                          "Die Datei „karozus.TXT“ fehlt, ist leer oder nicht lesbar.\rGesucht "
                          "wurde sie im Ordner\r" +
                          bundle.Resources().string()});
  EXPECT_EQ(harness::ShownWindows(), std::vector<std::string>{"Window11.Window11"});
  EXPECT_EQ(TextOf<Window11>("EditField1"), "karo");
}

TEST_F(RecallTest, AbbruchInTheRecallWindowQuits) {
  EnterCode("jan");
  harness::Click(ControlOf<Window12>("PushButton1"));
  EXPECT_TRUE(fw::QuitRequested());
}

// Window13 in front, as "weiter" in the recall window leaves it.
class ResultWindowTest : public RecallTest {
 protected:
  void SetUp() override {
    RecallTest::SetUp();
    EnterCode("band");
    Answer(true);
    Count("12");
    harness::Click(ControlOf<Window12>("PushButton2"));
  }
};

TEST_F(ResultWindowTest, KeysInTheNumberFieldGoInAndLeaveNoWelcomeWindow) {
  harness::AsHandler([] { ImplicitWindow<Window1>()->Hide(); });
  ASSERT_TRUE(Live<Window1>());
  auto field = ControlOf<Window13>("EditField2");
  harness::Type(field, "7");
  EXPECT_FALSE(Live<Window1>());
  for (int key : {Qt::Key_Return, Qt::Key_Escape, Qt::Key_X}) {
    harness::PressKey(field, key);
    EXPECT_FALSE(Contains(harness::LiveWindows(), "Window1.Window1")) << key;
  }
  // Every key went in, Return as a line break; where the insertion point
  // stood is the field's affair.
  std::string text = TextOf<Window13>("EditField2");
  std::sort(text.begin(), text.end());
  EXPECT_EQ(text, "\r278x");
  EXPECT_EQ(harness::TimesShownOnScreen("Window1.Window1"), 0);
  // Return and Escape pressed no button.
  EXPECT_EQ(harness::ShownWindows(), std::vector<std::string>{"Window13.Window13"});
  EXPECT_FALSE(fw::QuitRequested());
}

TEST_F(ResultWindowTest, ListComesUpOnceInFrontOfTheResult) {
  auto liste = ControlOf<Window13>("PushButton1");
  harness::Click(liste);
  harness::Click(liste);
  auto live = harness::LiveWindows();
  EXPECT_EQ(std::count(live.begin(), live.end(), "Window3.Window3"), 1);
  auto shown = harness::ShownWindows();
  EXPECT_TRUE(Contains(shown, "Window3.Window3"));
  EXPECT_TRUE(Contains(shown, "Window13.Window13"));
  EXPECT_FALSE(Contains(shown, "Window12.Window12"));
  EXPECT_EQ(TextOf<Window13>("EditField2"), "82");
  EXPECT_EQ(Feedback(), w71);
}

TEST_F(ResultWindowTest, AbbruchQuits) {
  harness::Click(ControlOf<Window13>("PushButton2"));
  EXPECT_TRUE(fw::QuitRequested());
}

}  // namespace
