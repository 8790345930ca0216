#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "catalogue/text_store.h"

// One text offered for training. The code is what the user types to choose
// it; the two items hold the text and its key-point summary.
struct CatalogueEntry {
  int32_t Difficulty;  // 1, the easiest, to 82; also the entry's position
  const char* Code;    // 3 to 8 lower-case letters
  const char* Title;   // UTF-8, as the list window shows it
  StoreItem* TextItem;
  StoreItem* SummaryItem;
  int32_t KeyPointCount;  // a constant of the table; nothing counts the summary's points
};

// The 82 entries in difficulty order, the same for the whole run.
const std::array<CatalogueEntry, 82>& TextCatalogue();

// The first entry, in difficulty order, whose code equals the typed text by
// the framework's string equality (which ignores letter case), or nullptr.
// Blanks before and after the code are not part of it. Every window that
// takes a code looks it up here, so a code that is accepted always finds
// its texts.
const CatalogueEntry* CodeLookup(std::string_view text);
