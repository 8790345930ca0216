#include <QAbstractScrollArea>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <climits>

#include "framework/controls/listbox.h"
#include "framework/test_windows.h"
#include "framework/window/window.h"
#include "support/harness.h"

// The screen of these tests is 800 x 600 pixels: a window laid out for
// 1000 x 750 cannot be shown at its own size.
namespace {

class ScaledWindowTest : public harness::FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    window = std::static_pointer_cast<fw::Window>(fw::RuntimeNewObject(fw::Window::Lookup()));
    fw::SetProperties(*window, testwin::WindowStream(1000, 750, "Groß"));
    button = testwin::MakeControl<fw::Window, fw::PushButton>(
        *window, "PushButton1", testwin::ButtonStream("PushButton1", "weiter", 800, 650));
    list = testwin::MakeControl<fw::Window, fw::Listbox>(
        *window, "Listbox1",
        fw::PropertyStreamBuilder()
            .String("Name", "Listbox1")
            .Integer("Index", INT32_MIN)
            .Integer("Left", 100)
            .Integer("Top", 100)
            .Integer("Width", 400)
            .Integer("Height", 300)
            .Integer("ColumnCount", 2)
            .String("ColumnWidths", "100,*")
            .String("InitialValue", "eins\tzwei\rdrei\tvier")
            .String("TextFont", "Verdana")
            .Integer("TextSize", 14)
            .Bytes());
    harness::AsHandler([this] {
      window->Constructor();
      window->Show();
    });
    // The first window is scaled again once the real frame is known, which
    // on a busy machine comes a few ticks after it is shown; then it fills
    // the work area's height.
    QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
          QRect frame = window->Peer().Frame()->frameGeometry();
          return area.contains(frame) && frame.height() >= area.height() - 1;
        },
        5000));
    harness::ProcessEvents();
  }
  void TearDown() override {
    if (window->IsOpen()) window->Close();
    list.reset();
    button.reset();
    window.reset();
    FrameworkTest::TearDown();
  }

  double Factor() const { return window->Peer().Content()->width() / 1000.0; }
  // Where the layout's rectangle is seen, to within the pixel that the
  // window's own rounding of the factor leaves open.
  void ExpectSeenAt(const QWidget* widget, int left, int top, int width, int height) const {
    double f = Factor();
    QRect at = widget->geometry();
    EXPECT_NEAR(at.x(), left * f, 1);
    EXPECT_NEAR(at.y(), top * f, 1);
    EXPECT_NEAR(at.width(), width * f, 1);
    EXPECT_NEAR(at.height(), height * f, 1);
  }

  fw::Ref<fw::Window> window;
  fw::Ref<fw::PushButton> button;
  fw::Ref<fw::Listbox> list;
};

TEST_F(ScaledWindowTest, WindowIsShownWholeOnTheWorkAreaInItsProportions) {
  QWidget* frame = window->Peer().Frame();
  QWidget* content = window->Peer().Content();
  QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_TRUE(area.contains(frame->frameGeometry())) << frame->frameGeometry().height();
  EXPECT_LT(content->width(), 1000);
  EXPECT_NEAR(content->height(), 750 * Factor(), 1);
  ExpectSeenAt(fw::qt::WidgetOf(*button), 800, 650, 90, 20);
  ExpectSeenAt(fw::qt::WidgetOf(*list), 100, 100, 400, 300);
  // The program keeps dealing in its layout's numbers.
  EXPECT_NEAR(window->Peer().ContentWidth(), 1000, 1);
  EXPECT_NEAR(list->ColumnWidth(0), 100, 1);
}

TEST_F(ScaledWindowTest, ClicksLandWhereTheControlsAreSeen) {
  std::vector<int> at;
  harness::TakeMouseDowns(list, at);
  auto* table = qobject_cast<QAbstractScrollArea*>(fw::qt::WidgetOf(*list));
  QPoint seen = table->viewport()->mapTo(table, QPoint(40, 30));
  QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, QPoint(40, 30));
  harness::ProcessEvents();
  ASSERT_EQ(at.size(), 2u);
  EXPECT_NEAR(at[0], seen.x() / Factor(), 1);
  EXPECT_NEAR(at[1], seen.y() / Factor(), 1);

  int actions = 0;
  fw::InstallInstanceEventHandler(button, "Action",
                                  std::make_shared<fw::Delegate>("(  )", [&](const fw::Arguments&) {
                                    ++actions;
                                    return fw::Value();
                                  }));
  harness::Click(button);
  EXPECT_EQ(actions, 1);
}

}  // namespace
