// The start screen built in plain Qt, the yardstick for the program's
// start-up: a 1000 x 750 window with the program's menu bar, the background
// picture tinted, shaped by itself as a mask and laid two by two, the three
// texts and "weiter".
//   start_screen PATH_OF_hintergrund1.jpg
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

namespace {

class Background : public QWidget {
 public:
  explicit Background(const QString& file) {
    QImage grey = QImage(file).convertToFormat(QImage::Format_Grayscale8);
    QImage tile(grey.size(), QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < grey.height(); ++y) {
      const uchar* from = grey.constScanLine(y);
      auto* to = reinterpret_cast<QRgb*>(tile.scanLine(y));
      for (int x = 0; x < grey.width(); ++x)
        to[x] = qPremultiply(qRgba(153, 255, 255, 255 - from[x]));
    }
    picture_ = QImage(grey.size() * 2, QImage::Format_RGB32);
    picture_.fill(Qt::white);
    QPainter painter(&picture_);
    for (int i = 0; i < 2; ++i) {
      for (int j = 0; j < 2; ++j) painter.drawImage(i * tile.width(), j * tile.height(), tile);
    }
  }

 protected:
  void paintEvent(QPaintEvent*) override { QPainter(this).drawImage(rect(), picture_); }

 private:
  QImage picture_;
};

void Text(QWidget* parent, const QString& text, int size, QRect box) {
  auto* label = new QLabel(text, parent);
  QFont font;
  font.setPixelSize(size);
  label->setFont(font);
  label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  label->setWordWrap(true);
  label->setGeometry(box);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.setWindowTitle("Merkhaus");
  QMenu* file = window.menuBar()->addMenu("&Ablage");
  file->addAction("Beenden", QKeySequence("Ctrl+Q"), &app, &QApplication::quit);
  QMenu* edit = window.menuBar()->addMenu("&Bearbeiten");
  edit->addAction("&Rückgängig", QKeySequence("Ctrl+Z"));
  edit->addSeparator();
  edit->addAction("&Ausschneiden", QKeySequence("Ctrl+X"));
  edit->addAction("&Kopieren", QKeySequence("Ctrl+C"));
  edit->addAction("&Einfügen", QKeySequence("Ctrl+V"));
  edit->addAction("&Löschen");
  edit->addSeparator();
  edit->addAction("&Alles auswählen", QKeySequence("Ctrl+A"));
  auto* content = new Background(argc > 1 ? argv[1] : "hintergrund1.jpg");
  content->setFixedSize(1000, 750);
  Text(content, "MERKHAUS", 50, {107, 63, 772, 93});
  Text(content,
       "Ein Gedächtnistrainingsprogramm\nfür den Umgang mit Texten\n- besonders für "
       "Patientinnen und Patienten nach neurologischen Erkrankungen -\n",
       30, {107, 215, 772, 170});
  Text(content, "Version 1.0", 16, {221, 650, 368, 20});
  auto* weiter = new QPushButton("weiter", content);
  weiter->setGeometry(800, 650, 90, 20);
  QFont small;
  small.setPixelSize(16);
  weiter->setFont(small);
  weiter->setFocus();
  window.setCentralWidget(content);
  window.adjustSize();
  window.move(window.screen()->availableGeometry().center() - window.rect().center());
  window.show();
  return app.exec();
}
