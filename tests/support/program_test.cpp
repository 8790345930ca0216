#include "support/program_test.h"

#include <QImage>
#include <QPainter>

#include "framework/text/text.h"
#include "shell/app.h"
#include "shell/menu_bar1.h"

namespace harness {

namespace {

// A small picture with dark and light bands, so that each window's tint
// shows in some places and not in others.
QImage BandedPicture() {
  QImage image(50, 38, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  for (int x = 0; x < 50; x += 10) painter.fillRect(x, 0, 5, 38, QColor(40, 40, 40));
  return image;
}

}  // namespace

void ProgramTest::SetUp() {
  FrameworkTest::SetUp();
  bundle.WritePicture("hintergrund1.jpg", BandedPicture());
  auto app = fw::RuntimeCheckCast<App>(fw::RuntimeNewObject(App::Lookup()), App::Lookup());
  app->MenuBar(MenuBar1::Get());
  fw::RegisterAppObject(app);
}

void ProgramTest::TearDown() {
  FrameworkTest::TearDown();
  fw::RegisterAppObject(nullptr);
  MenuBar1::ExitImplicitInstance();
}

void ProgramTest::WriteText(const std::string& name, const std::string& utf8) const {
  std::string bytes = fw::ConvertToMacRoman(utf8);
  for (char& c : bytes) {
    if (c == '\n') c = '\r';
  }
  bundle.WriteResource(name, bytes);
}

}  // namespace harness
