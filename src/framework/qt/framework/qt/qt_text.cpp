#include "framework/qt/qt_text.h"

namespace fw::qt {

QString ToQt(const std::string& text) {
  QString q = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  q.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  q.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return q;
}

std::string FromQt(const QString& text) {
  QString q = text;
  q.replace(QChar(0x2029), QLatin1Char('\r'));
  q.replace(QLatin1Char('\n'), QLatin1Char('\r'));
  return q.toStdString();
}

QString Caption(const std::string& text) {
  return ToQt(text).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

QFont MakeFont(const std::string& face, int32_t size, bool bold, bool italic, bool underline) {
  QFont font;
  if (!face.empty() && face != "System" && face != "SmallSystem") {
    font.setFamily(QString::fromStdString(face));
  }
  if (size > 0) font.setPixelSize(size);
  font.setBold(bold);
  font.setItalic(italic);
  font.setUnderline(underline);
  return font;
}

QColor ToQColor(Color c) { return QColor(c.red, c.green, c.blue); }

}  // namespace fw::qt
