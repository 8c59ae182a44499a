#pragma once
// Which card rows the table shows: by card type, by how many decks play the card on the row's
// board, by the archetype of a deck that plays it, and by a text in the card's names, type line
// or rules text. Total and other computed rows always stay: they sum every card of their board,
// shown or not, and a filtered table without them would lose its bearings.
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace Tarvane {

class Deck;
class Entry;

struct RowFilter {
  // A CardType code of real cards; 0 for every type.
  int card_type = 0;
  // The fewest decks that must play the card on the row's board; 0 or 1 for no limit.
  int minimum_decks = 0;
  // The archetype (DeckArchetype) of at least one deck that plays the card; empty for any.
  std::string archetype;
  // Found in the English or Japanese name, the type line or the rules text; empty for any.
  std::string text;

  bool IsEmpty() const {
    return card_type == 0 && minimum_decks <= 1 && archetype.empty() && text.empty();
  }
  bool operator==(const RowFilter&) const = default;
};

// The card types a filter offers, in the order of rows, with their names as the window shows them.
struct FilterCardType {
  int code;
  const char* name;
};
const std::vector<FilterCardType>& FilterCardTypes();

// The filter for the status bar: "絞り込み : " and its conditions; empty for an empty filter.
std::string RowFilterStatusText(const RowFilter& filter);

// The filter applied to one set of decks. Made once per rebuild of the rows, so that each row
// costs a few look-ups.
class RowFilterMatcher {
public:
  RowFilterMatcher(const RowFilter& filter, const std::vector<std::shared_ptr<Deck>>& decks);
  bool Accepts(const Entry& entry) const;

private:
  struct BoardCounts {
    // Card name to the number of decks that play it, and to those of the archetype that do.
    std::unordered_map<std::string, int> decks;
    std::unordered_map<std::string, int> archetype_decks;
  };

  const RowFilter filter_;
  // By BoardType code.
  std::map<int, BoardCounts> boards_;
};

}  // namespace Tarvane
