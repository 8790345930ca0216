#include "catalogue/window3.h"

#include "catalogue/text_catalogue.h"
#include "framework/controls/listbox.h"
#include "shell/implicit_window.h"
#include "support/harness.h"

namespace {

class Window3Test : public harness::FrameworkTest {
 protected:
  static void ShowList() {
    harness::AsHandler([] { ImplicitWindow<Window3>()->Show(); });
  }
  static fw::Ref<fw::Listbox> List() {
    return std::static_pointer_cast<fw::Listbox>(
        ImplicitWindow<Window3>()->ControlByName("Listbox1"));
  }
};

TEST_F(Window3Test, ListsTheCatalogueUnderThreeHeadings) {
  ShowList();
  auto w = ImplicitWindow<Window3>();
  EXPECT_EQ(w->Width(), 600);
  EXPECT_EQ(w->Title(), "Liste");
  auto list = List();
  EXPECT_EQ(list->Heading(0), "Schwier.-Grad");
  EXPECT_EQ(list->Heading(1), "Kürzel");
  EXPECT_EQ(list->Heading(2), "Titel");
  ASSERT_EQ(list->ListCount(), 82);
  EXPECT_EQ(list->Cell(0, 0), "       1");
  EXPECT_EQ(list->Cell(8, 0), "       9");
  EXPECT_EQ(list->Cell(9, 0), "     10");
  EXPECT_EQ(list->Cell(81, 0), "     82");
  EXPECT_EQ(list->Cell(81, 2), "Die Band von nebenan");
  for (int32_t row = 0; row < 82; ++row) {
    const CatalogueEntry* entry = CodeLookup(list->Cell(row, 1));
    ASSERT_NE(entry, nullptr) << row;
    EXPECT_EQ(entry->Difficulty, row + 1);
    EXPECT_EQ(list->Cell(row, 2), entry->Title);
  }
  harness::SaveScreenshot(*w, "Window3");
}

TEST_F(Window3Test, ShownTwiceIsOneWindow) {
  ShowList();
  auto first = ImplicitWindow<Window3>();
  ShowList();
  EXPECT_EQ(ImplicitWindow<Window3>(), first);
  EXPECT_EQ(harness::ShownWindows(), std::vector<std::string>{"Window3.Window3"});
}

TEST_F(Window3Test, HiddenByItsButtonItComesBackFresh) {
  ShowList();
  List()->ListIndex(40);
  auto first = ImplicitWindow<Window3>();
  harness::Click(first->ControlByName("PushButton3"));
  EXPECT_TRUE(harness::LiveWindows().empty());
  first.reset();
  ShowList();
  EXPECT_EQ(List()->ListIndex(), -1);
  EXPECT_EQ(List()->ScrollPosition(), 0);
}

}  // namespace
