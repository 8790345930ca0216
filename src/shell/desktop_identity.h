#pragma once

#include <string>
#include <vector>

// What the desktop knows the program by: the window class and the id that
// its installed desktop entry carries, and the window icon.
namespace desktop_identity {

inline constexpr const char* kWindowClass = "Merkhaus";
inline constexpr const char* kDesktopEntry = "de.merkhaus.Merkhaus";

// The icon's files in the Resources folder, one for each size.
const std::vector<std::string>& IconFileNames();

// Gives class, entry and icon to the framework; before its start, so that
// the first window carries them.
void Claim();

}  // namespace desktop_identity
