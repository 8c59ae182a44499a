#pragma once
// Reads deck lists written as lines of text, in every shape that import recognises: the
// program's own format, "4x Name" lines, a "Sideboard" line or heading, "SB: 2 Name" lines,
// the digital client's export with its headings and "(SET) 123" after the name, and the
// .dck files of two other programs with their [Main] and [Sideboard] sections.
#include <string_view>

#include "model/import/parsed_deck_list.h"

namespace Tarvane {

// The UTF-8 text's cards, boards, deck name and shape. Set codes and collector numbers are
// dropped from the names.
ParsedDeckList ParseDeckListText(std::string_view text);

}  // namespace Tarvane
