#pragma once
// The line grammar that the readers of line-based shapes share: the program's own format,
// "4x Name" lines, a "Sideboard" line or heading, "SB: 2 Name" lines, the digital client's
// export with its headings and "(SET) 123" after the name, and the .dck files of two other
// programs with their [Main] and [Sideboard] sections. One grammar reads them all, because real
// lists mix their marks ("4x" lines under headings); which shape a list is comes from the marks
// its lines show.
#include <set>
#include <string_view>

#include "model/import/parsed_deck_list.h"

namespace Tarvane {

struct TextDeckList {
  ParsedDeckList list;  // its shape not yet decided
  // The shapes whose marks the lines show (a "[Main]" section, "SB:", "4x", ...).
  std::set<DeckListShape> marks;
};

// The UTF-8 text's cards, boards and deck name. Set codes and collector numbers are dropped
// from the names.
TextDeckList ParseDeckListText(std::string_view text);

}  // namespace Tarvane
