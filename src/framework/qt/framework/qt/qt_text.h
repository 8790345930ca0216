#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <string>

#include "framework/runtime/color.h"

namespace fw::qt {

// The framework's texts use CR as the line break; the toolkit uses LF.
QString ToQt(const std::string& text);
std::string FromQt(const QString& text);

// A caption shown as it is: '&' marks no mnemonic on a control.
QString Caption(const std::string& text);

// A font by the framework's description; sizes are pixels, and faces that
// the machine lacks fall back to one of the same kind.
QFont MakeFont(const std::string& face, int32_t size, bool bold, bool italic, bool underline);

QColor ToQColor(Color c);

}  // namespace fw::qt
