#pragma once

#include <functional>
#include <string>

#include "catalogue/text_catalogue.h"
#include "framework/window/window.h"

// What every key in a code field does, in the first day's code entry and
// in the recall's: Return with a catalogue code opens the window's target
// when the text it needs (the entry's text or its summary) can be had,
// Return with anything else asks for a correction, and every key closes the
// welcome window. The key always reaches the field.
bool CodeEntryKeyDown(fw::Window& owner, const std::string& key, StoreItem* CatalogueEntry::*needed,
                      const std::function<void()>& showTarget);
