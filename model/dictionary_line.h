#pragma once
// The lines of a dictionary file: tab-separated fields, one card per line. Lines are checked
// when the dictionary is loaded and read into a card when the card is first asked for.
#include <cstddef>
#include <string_view>
#include <vector>

#include "model/card.h"
#include "model/dictionary_index.h"

namespace Tarvane {

// Bytes that must follow a text given to CheckDictionaryText: a zero byte, then room that the
// scan may read (but never uses) past it.
constexpr size_t kDictionaryTextPadding = 16;

// Checks every line of a file's text and appends the card lines to the list. Returns nullptr,
// or the reason text of CardDatabaseInitializeException for the first line that breaks the
// format. Text mode applies: a CR before a line feed is not part of the line.
const char* CheckDictionaryText(std::string_view text, std::vector<DictionaryIndex::Entry>& lines);

// The card of a line that CheckDictionaryText accepted.
Card ReadDictionaryLine(std::string_view line);

}  // namespace Tarvane
