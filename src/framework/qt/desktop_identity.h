#pragma once

#include <string>
#include <vector>

namespace fw::qt {

// The identity a program gives its windows on the desktop. Kept until the
// toolkit starts; given to it at once when it runs already.
void SetDesktopIdentity(std::string windowClass, std::string desktopEntry,
                        std::vector<std::string> iconFiles);

// The instance part of the window class: what the toolkit is started as.
std::string ToolkitInstanceName();

// Hands class, entry and icon to the running toolkit.
void ApplyDesktopIdentity();

}  // namespace fw::qt
