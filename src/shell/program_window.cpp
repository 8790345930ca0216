#include "shell/program_window.h"

#include <map>

const std::string& HandlerSignature(const std::string& event) {
  static const std::map<std::string, std::string, std::less<>> signatures{
      {"Action", "(  )"},
      {"Open", "(  )"},
      {"Change", "(  )"},
      {"MouseDown", "( Int32, Int32 ) as Boolean"},
      {"KeyDown", "( String ) as Boolean"},
      {"KeyUp", "( String )"},
      {"CellTextPaint", "( Graphics, Int32, Int32, Int32, Int32 ) as Boolean"},
      {"CellBackgroundPaint", "( Graphics, Int32, Int32 ) as Boolean"},
      {"DragOver", "( Int32, Int32, DragItem, Int32 ) as Boolean"}};
  auto it = signatures.find(event);
  if (it == signatures.end()) {
    throw fw::InvalidArgumentException("Kein Ereignis „" + event + "“ bekannt.");
  }
  return it->second;
}
