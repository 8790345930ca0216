#include "framework/qt/keys.h"

#include <algorithm>

namespace fw::qt {

namespace {

// The keys that type no character, and what stands for them; none for the
// modifier keys and for what is no key at all.
struct NamedKey {
  int key;
  const char* text;
};

constexpr NamedKey kNamedKeys[] = {
    {Qt::Key_Return, "\r"},        {Qt::Key_Enter, "\r"},       {Qt::Key_Backspace, "\b"},
    {Qt::Key_Tab, "\t"},           {Qt::Key_Backtab, "\t"},     {Qt::Key_Escape, "\x1b"},
    {Qt::Key_Delete, "\x7f"},      {Qt::Key_Left, "\x1c"},      {Qt::Key_Right, "\x1d"},
    {Qt::Key_Up, "\x1e"},          {Qt::Key_Down, "\x1f"},      {Qt::Key_Home, "\x01"},
    {Qt::Key_End, "\x04"},         {Qt::Key_PageUp, "\x0b"},    {Qt::Key_PageDown, "\x0c"},
    {Qt::Key_Shift, nullptr},      {Qt::Key_Control, nullptr},  {Qt::Key_Alt, nullptr},
    {Qt::Key_AltGr, nullptr},      {Qt::Key_Meta, nullptr},     {Qt::Key_Super_L, nullptr},
    {Qt::Key_Super_R, nullptr},    {Qt::Key_CapsLock, nullptr}, {Qt::Key_NumLock, nullptr},
    {Qt::Key_ScrollLock, nullptr}, {Qt::Key_unknown, nullptr}};

}  // namespace

std::optional<std::string> KeyText(const QKeyEvent& event) {
  const NamedKey* named = std::ranges::find(kNamedKeys, event.key(), &NamedKey::key);
  if (named != std::end(kNamedKeys)) {
    return named->text ? std::optional<std::string>(named->text) : std::nullopt;
  }
  if (event.modifiers().testFlag(Qt::ControlModifier)) return std::nullopt;
  QString text = event.text();
  if (!text.isEmpty()) return text.toStdString();
  return "\x10";  // function keys and the like
}

}  // namespace fw::qt
