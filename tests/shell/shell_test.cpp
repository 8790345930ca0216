#include <QImage>

#include "framework/controls/edit_field.h"
#include "framework/controls/static_text.h"
#include "framework/qt/painting.h"
#include "shell/app.h"
#include "shell/implicit_window.h"
#include "shell/menu_bar1.h"
#include "shell/tinted_background.h"
#include "shell/window10.h"
#include "support/harness.h"
#include "support/temp_bundle.h"

namespace {

// Windows with the tinted background in two colours, as the program has them.
template <int Red, int Green, int Blue>
class Tinted : public TintedWindow<Tinted<Red, Green, Blue>> {
 public:
  static constexpr fw::Color kTint{Red, Green, Blue};
  static const WindowDef<Tinted>& Definition() {
    static const WindowDef<Tinted> def{.className = "Tinted" + std::to_string(Red) + ".Tinted",
                                       .stream = FullWindowStream(kTint),
                                       .windowEvents = {Tinted::On(fw::Paint, &Tinted::Event_Paint),
                                                        Tinted::On(fw::Open, &Tinted::Event_Open)}};
    return def;
  }
};
using Turquoise = Tinted<153, 255, 255>;
using Pink = Tinted<255, 204, 204>;

// A picture whose left half is black and right half white: as a mask it
// lets the tint through on the left only.
QImage HalfBlack(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::white);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width / 2; ++x) image.setPixelColor(x, y, Qt::black);
  }
  return image;
}

QColor At(const fw::Ref<fw::Picture>& picture, int x, int y) {
  return fw::qt::ImageOf(*picture).pixelColor(x, y);
}

class ShellTest : public harness::FrameworkTest {
 protected:
  harness::TempBundle bundle;
};

TEST_F(ShellTest, BackgroundIsTheTintedPictureTwiceEachWay) {
  bundle.WritePicture("hintergrund1.jpg", HalfBlack(50, 30).convertToFormat(QImage::Format_RGB32));
  harness::AsHandler([] { ImplicitWindow<Pink>(); });
  fw::Ref<fw::Picture> background = ImplicitWindow<Pink>()->MyBackground;
  ASSERT_NE(background, nullptr);
  EXPECT_EQ(background->Width(), 100);
  EXPECT_EQ(background->Height(), 60);
  const QColor pink(255, 204, 204), white(255, 255, 255);
  for (auto [left, top] : {std::pair{0, 0}, {0, 30}, {50, 0}, {50, 30}}) {
    EXPECT_EQ(At(background, left + 5, top + 5), pink) << left << "," << top;
    EXPECT_EQ(At(background, left + 45, top + 25), white) << left << "," << top;
  }
  // Painted, it is stretched over the whole window.
  QImage shown = harness::Grab(*ImplicitWindow<Pink>());
  EXPECT_EQ(shown.pixelColor(10, 10), pink);
  EXPECT_EQ(shown.pixelColor(400, 10), white);
  EXPECT_EQ(shown.pixelColor(510, 740), pink);
}

TEST_F(ShellTest, MissingPictureFailsTheOpenUntilTheFileIsThere) {
  try {
    ImplicitWindow<Turquoise>();
    ADD_FAILURE() << "a window opened without its background picture";
  } catch (const fw::NilObjectException& e) {
    EXPECT_NE(std::string(e.what()).find("hintergrund1.jpg"), std::string::npos);
  }
  EXPECT_EQ(x_hintergrund1::hintergrund1(), nullptr);
  bundle.WritePicture("hintergrund1.jpg", HalfBlack(20, 10));
  fw::Ref<fw::Picture> loaded = x_hintergrund1::hintergrund1();
  ASSERT_NE(loaded, nullptr);
  // Read once: the windows share it, even when the file has gone since.
  bundle.RemoveResource("hintergrund1.jpg");
  harness::AsHandler([] {
    ImplicitWindow<Turquoise>();
    ImplicitWindow<Pink>();
  });
  EXPECT_EQ(x_hintergrund1::hintergrund1(), loaded);
  EXPECT_EQ(ImplicitWindow<Pink>()->MyBackground->Width(), 40);
}

TEST_F(ShellTest, ClosedWindowReleasesItsBackground) {
  bundle.WritePicture("hintergrund1.jpg", HalfBlack(20, 10));
  harness::AsHandler([] { ImplicitWindow<Pink>(); });
  std::weak_ptr<fw::Picture> background = ImplicitWindow<Pink>()->MyBackground;
  harness::AsHandler([] { ImplicitWindow<Pink>()->Close(); });
  EXPECT_TRUE(background.expired());
}

TEST_F(ShellTest, MenuBarIsBuiltOnceWithItsTwoMenus) {
  fw::Ref<MenuBar1> bar = MenuBar1::Get();
  EXPECT_EQ(MenuBar1::Get(), bar);
  ASSERT_EQ(bar->Items().size(), 2u);
  std::vector<std::string> names, texts, shortcuts;
  for (const auto& menu : bar->Items()) {
    names.push_back(menu->Name());
    for (const auto& entry : menu->Items()) {
      names.push_back(entry->Name());
      texts.push_back(entry->Text());
      shortcuts.push_back(entry->KeyboardShortcut());
      EXPECT_TRUE(entry->AutoEnable());
    }
  }
  EXPECT_EQ(names, (std::vector<std::string>{"FileMenu", "FileQuit", "EditMenu", "EditUndo",
                                             "UntitledMenu1", "EditCut", "EditCopy", "EditPaste",
                                             "EditClear", "UntitledMenu0", "EditSelectAll"}));
  EXPECT_EQ(texts,
            (std::vector<std::string>{"Beenden", "&Rückgängig", "-", "&Ausschneiden", "&Kopieren",
                                      "&Einfügen", "&Löschen", "-", "&Alles auswählen"}));
  EXPECT_EQ(shortcuts, (std::vector<std::string>{"Cmd+Q", "Cmd+Z", "", "Cmd+X", "Cmd+C", "Cmd+V",
                                                 "", "", "Cmd+A"}));
  EXPECT_EQ(bar->Items()[0]->Text(), "&Ablage");
  EXPECT_TRUE(fw::RuntimeCheckCast<fw::QuitMenuItem>(bar->Items()[0]->Items()[0],
                                                     fw::QuitMenuItem::Lookup()));
  std::weak_ptr<MenuBar1> weak = bar;
  bar.reset();
  MenuBar1::ExitImplicitInstance();
  EXPECT_EQ(MenuBar1::ImplicitInstance(), nullptr);
  EXPECT_TRUE(weak.expired());
}

// The information window.
class Window10Test : public harness::FrameworkTest {
 protected:
  static void ShowInformation() {
    harness::AsHandler([] { ImplicitWindow<Window10>()->Show(); });
  }
  static fw::Ref<fw::EditField> Field() {
    return std::static_pointer_cast<fw::EditField>(
        ImplicitWindow<Window10>()->ControlByName("EditField1"));
  }
};

TEST_F(Window10Test, ShowsTheInformationTextLineByLine) {
  ShowInformation();
  auto w = ImplicitWindow<Window10>();
  EXPECT_EQ(w->Width(), 700);
  EXPECT_EQ(w->Height(), 750);
  EXPECT_EQ(w->Title(), "Merkhaus");
  auto text = std::static_pointer_cast<fw::StaticText>(w->ControlByName("StaticText1"))->Text();
  size_t characters = 0;
  for (unsigned char c : text) characters += (c & 0xC0) != 0x80;
  EXPECT_EQ(characters, 1252u);
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t cr; (cr = text.find('\r', start)) != std::string::npos; start = cr + 1) {
    lines.push_back(text.substr(start, cr - start));
  }
  lines.push_back(text.substr(start));
  ASSERT_EQ(lines.size(), 24u);
  for (size_t i : {2u, 6u, 10u, 15u}) EXPECT_EQ(lines[i], "") << i + 1;
  for (size_t i : {5u, 8u, 9u, 12u, 13u, 14u, 17u, 18u, 19u, 20u, 21u, 22u, 23u}) {
    EXPECT_TRUE(lines[i].starts_with("    ") && lines[i][4] != ' ') << i + 1;
  }
  EXPECT_EQ(lines[1],
            "Alle Filme erzählen \"Geschichten\". Dabei handelt es sich um Krimis, "
            "Problemfilme, Liebesfilme und Komödien. ");
  EXPECT_EQ(lines[23], "    der Wörter ein grösseres Gewicht hat als die Länge der Sätze.");
  harness::SaveScreenshot(*w, "Window10");
}

TEST_F(Window10Test, CloseButtonHidesAndTheSameWindowComesBack) {
  ShowInformation();
  auto first = ImplicitWindow<Window10>();
  harness::Type(Field(), "notiz");
  harness::Click(first->ControlByName("PushButton1"));
  EXPECT_EQ(harness::HiddenWindows(), std::vector<std::string>{"Window10.Window10"});
  ShowInformation();
  EXPECT_EQ(ImplicitWindow<Window10>(), first);
  EXPECT_EQ(Field()->Text(), "notiz");
  EXPECT_EQ(harness::ShownWindows(), std::vector<std::string>{"Window10.Window10"});
}

TEST_F(Window10Test, CloseBoxGivesItUpAndAFreshOneFollows) {
  // Another window stays on the screen, as the welcome window does.
  harness::AsHandler([] { ImplicitWindow<Window10>()->Show(); });
  harness::Type(Field(), "notiz");
  auto app = std::static_pointer_cast<fw::Application>(fw::RuntimeNewObject(App::Lookup()));
  fw::RegisterAppObject(app);
  ImplicitWindow<Window10>()->Peer().Frame()->close();
  harness::ProcessEvents();
  EXPECT_TRUE(harness::LiveWindows().empty());
  ShowInformation();
  EXPECT_EQ(Field()->Text(), "");
}

}  // namespace
