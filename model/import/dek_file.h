#pragma once
// The XML deck file of one of the digital clients: a <Cards> element per card with the
// attributes Quantity, Sideboard ("true"/"false") and Name.
#include <string_view>

#include "model/import/parsed_deck_list.h"

namespace Tarvane {

// Whether the UTF-8 text is such a file: XML whose elements include <Cards.
bool IsDekXml(std::string_view text);
ParsedDeckList ParseDekXml(std::string_view text);

}  // namespace Tarvane
