#include "framework/qt/keys.h"

namespace fw::qt {

std::optional<std::string> KeyText(const QKeyEvent& event) {
  switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return "\r";
    case Qt::Key_Backspace:
      return "\b";
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return "\t";
    case Qt::Key_Escape:
      return "\x1b";
    case Qt::Key_Delete:
      return "\x7f";
    case Qt::Key_Left:
      return "\x1c";
    case Qt::Key_Right:
      return "\x1d";
    case Qt::Key_Up:
      return "\x1e";
    case Qt::Key_Down:
      return "\x1f";
    case Qt::Key_Home:
      return "\x01";
    case Qt::Key_End:
      return "\x04";
    case Qt::Key_PageUp:
      return "\x0b";
    case Qt::Key_PageDown:
      return "\x0c";
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
    case Qt::Key_ScrollLock:
    case Qt::Key_unknown:
      return std::nullopt;
    default:
      break;
  }
  if (event.modifiers().testFlag(Qt::ControlModifier)) return std::nullopt;
  QString text = event.text();
  if (!text.isEmpty()) return text.toStdString();
  return "\x10";  // function keys and the like
}

}  // namespace fw::qt
