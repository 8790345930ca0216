#include "shell/startup.h"

#include "catalogue/text_store.h"
#include "framework/runtime/runtime.h"
#include "shell/app.h"
#include "shell/implicit_window.h"
#include "shell/menu_bar1.h"
#include "shell/window20.h"
#include "support/harness.h"
#include "support/temp_bundle.h"

namespace {

class StartupTest : public harness::FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    startup::Initialize();
  }
  void TearDown() override {
    FrameworkTest::TearDown();
    fw::RegisterAppObject(nullptr);
    MenuBar1::ExitImplicitInstance();
  }

  static void StartUp() {
    fw::RunFrameworkInitialization(fw::RuntimeCreateDelegate(&startup::Startup, "(  )"));
    harness::ProcessEvents();
  }

  harness::TempBundle bundle;
};

TEST_F(StartupTest, StartsWithTheStartScreenAloneAndTheMenuBarInstalled) {
  bundle.CopyShippedResources();
  StartUp();
  EXPECT_EQ(harness::LiveWindows(), std::vector<std::string>{"Window20.Window20"});
  EXPECT_EQ(harness::ShownWindows(), std::vector<std::string>{"Window20.Window20"});
  fw::Ref<App> app = App::Get();
  ASSERT_NE(app, nullptr);
  EXPECT_EQ(app->MenuBar(), MenuBar1::ImplicitInstance());
  EXPECT_EQ(harness::MenuBarOf(*ImplicitWindow<Window20>()).size(), 2u);
  harness::SaveScreenshot(*ImplicitWindow<Window20>(), "Window20");
}

TEST_F(StartupTest, FinaliserReleasesTextsWindowsAndMenuBarOnce) {
  bundle.CopyShippedResources();
  StartUp();
  EXPECT_FALSE(x_GOLD::GOLD().empty());
  std::weak_ptr<MenuBar1> bar = MenuBar1::ImplicitInstance();
  fw::RegisterAppObject(nullptr);  // as when the run ends: only the slot holds the bar
  startup::Finalize();
  for (const StoreItem* item : StoreItemsInReleaseOrder()) {
    EXPECT_TRUE(item->PermaText().empty()) << item->Name();
  }
  EXPECT_TRUE(x_GOLD::item.Loaded());
  EXPECT_TRUE(harness::LiveWindows().empty());
  EXPECT_TRUE(bar.expired());
  EXPECT_EQ(MenuBar1::ImplicitInstance(), nullptr);
}

TEST_F(StartupTest, MissingBackgroundEndsTheRunWithAClearMessage) {
  // No picture in the bundle: the start screen can't be built.
  startup::Main();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("hintergrund1.jpg"), std::string::npos);
  EXPECT_TRUE(harness::LiveWindows().empty());
  startup::Finalize();
  EXPECT_EQ(fw::RuntimeExit(), 1);
  fw::RuntimeInit();
}

}  // namespace
