#pragma once
// One line of a dictionary file: tab-separated fields, one card. A line is checked when the
// dictionary is loaded and read into a card when the card is first asked for.
#include <string_view>

#include "app/common.h"
#include "model/card.h"

namespace Tarvane {

// Returns nullptr and the card's name, or the reason text of CardDatabaseInitializeException
// when the line breaks the format.
const char* CheckDictionaryLine(const TextLineView& line, std::string_view& name);

// The card of a complete line that CheckDictionaryLine accepted.
Card ReadDictionaryLine(std::string_view text);

}  // namespace Tarvane
