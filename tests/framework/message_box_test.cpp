#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "framework/window/toolkit.h"
#include "support/harness.h"
#include "test_windows.h"

// The real message box, as a user answers it.
namespace {

class MessageBoxTest : public harness::FrameworkTest {
 protected:
  // Shows the box and answers it with the action once it is up; the number
  // of boxes that were shown in all.
  int ShowAndAnswer(const std::function<void(QDialog&)>& answer) {
    int boxes = 0;
    std::function<void()> look = [&] {
      auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (!box) {
        QTimer::singleShot(5, look);
        return;
      }
      ++boxes;
      seen(*box);
      answer(*box);
    };
    QTimer::singleShot(0, look);
    fw::qt::ShowMessageBox(nullptr, "Das Kürzel ist falsch! Bitte korrigieren!");
    return boxes;
  }

  std::function<void(QDialog&)> seen = [](QDialog&) {};
};

TEST_F(MessageBoxTest, IsReadableWithOneOkButton) {
  seen = [](QDialog& box) {
    // The program's name, from its file.
    EXPECT_EQ(box.windowTitle(), "Framework_tests");
    auto labels = box.findChildren<QLabel*>();
    ASSERT_EQ(labels.size(), 1);
    EXPECT_EQ(labels[0]->text(), "Das Kürzel ist falsch! Bitte korrigieren!");
    EXPECT_GE(labels[0]->font().pixelSize(), 18);
    auto buttons = box.findChildren<QPushButton*>();
    ASSERT_EQ(buttons.size(), 1);
    EXPECT_EQ(buttons[0]->text(), "OK");
    EXPECT_TRUE(buttons[0]->icon().isNull());
  };
  EXPECT_EQ(ShowAndAnswer([](QDialog& box) { QTest::keyClick(&box, Qt::Key_Return); }), 1);
}

TEST_F(MessageBoxTest, EveryKeyThatMeansGoOnDismissesItAtItsPress) {
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_Escape}) {
    EXPECT_EQ(ShowAndAnswer([key](QDialog& box) {
                QTest::keyPress(QApplication::focusWidget() ? QApplication::focusWidget() : &box,
                                key);
              }),
              1)
        << key;
  }
  EXPECT_EQ(ShowAndAnswer([](QDialog& box) {
              QTest::mouseClick(box.findChild<QPushButton*>(), Qt::LeftButton);
            }),
            1);
}

TEST_F(MessageBoxTest, SpeaksInTheFaceOfTheWindowThatRaisedIt) {
  harness::AsHandler([] { harness::Implicit<testwin::NoteWindow>(); });
  auto window = harness::Implicit<testwin::NoteWindow>();
  QFont face = fw::qt::WidgetOf(*window->ControlByName("EditField1"))->font();
  int boxes = 0;
  QTimer::singleShot(0, [&] {
    auto* box = QApplication::activeModalWidget();
    ASSERT_NE(box, nullptr);
    ++boxes;
    EXPECT_EQ(box->parentWidget(), window->Peer().Frame());
    EXPECT_EQ(box->findChild<QLabel*>()->font().family(), face.family());
    QTest::keyClick(box, Qt::Key_Escape);
  });
  fw::qt::ShowMessageBox(window.get(), "Diese Angabe muss falsch sein. Bitte korrigieren!");
  EXPECT_EQ(boxes, 1);
}

}  // namespace
