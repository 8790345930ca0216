// The yardsticks for the outside measurement: what a bare Qt program does to
// show a window of the program's size with one field ("field") or with one
// large label ("label").
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>
#include <cstring>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setFixedSize(1000, 750);
  if (argc > 1 && std::strcmp(argv[1], "field") == 0) {
    auto* field = new QLineEdit(&window);
    field->setGeometry(460, 368, 96, 28);
    field->setFocus();
  } else {
    auto* label = new QLabel("MERKHAUS", &window);
    QFont font("DejaVu Sans");
    font.setPixelSize(50);
    label->setFont(font);
    label->setGeometry(107, 63, 772, 93);
  }
  window.show();
  return app.exec();
}
