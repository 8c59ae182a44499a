// Import of deck lists from other programs: whatever the bytes, every deck list it writes reads
// back as exactly the boards, deck name and headers that the import reports, and an input is
// refused as a whole only with a reason.
#include <cstdint>
#include <string>

#include "app/exception.h"
#include "fuzz_support.h"
#include "model/card_database.h"
#include "model/deck.h"
#include "model/import/card_name_resolver.h"
#include "model/import/deck_list_import.h"
#include "model/import/deck_list_shape_reader.h"

using TarvaneFuzz::Check;
using namespace Tarvane;

namespace {

bool SameBoard(const Board& board, const std::vector<DeckListImport::Card>& cards) {
  if (board.cards().size() != cards.size()) return false;
  for (const DeckListImport::Card& card : cards) {
    if (!board.cards().contains(card.name) || board.CountOf(card.name) != card.count) return false;
  }
  return true;
}

// What one list wrote reads back as that list.
void CheckReadsBack(const DeckListImport& result) {
  std::string text = result.DeckListText();
  Check(!result.Report().empty(), "every import has a report");
  std::string path = TarvaneFuzz::Scratch::Get().Write("imported.txt", text);
  CardDatabase loaded_names;
  std::shared_ptr<Deck> deck;
  try {
    deck = Deck::Load(path, loaded_names);
  } catch (const DeckFileFormatException&) {
    Check(!result.HasCards(), "a list with cards reads back as a deck");
    return;
  }
  Check(result.HasCards(), "a list without cards is no deck");
  Check(SameBoard(deck->mainboard(), result.mainboard), "the main deck reads back as imported");
  Check(SameBoard(deck->sideboard(), result.sideboard), "the sideboard reads back as imported");
  auto name = deck->headers().find("NAME");
  Check(result.deck_name.empty()
            ? name == deck->headers().end()
            : name != deck->headers().end() && name->second == result.deck_name,
        "the deck name reads back as #NAME");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static CardDatabase database;
  static CardNameResolver names(database);
  DeckListsImport lists;
  try {
    lists = ImportDeckLists(TarvaneFuzz::Text(data, size), names);
  } catch (const DeckListFormatError& error) {
    // Only a reader that is sure of its shape refuses a whole input, and it says why.
    Check(std::string_view(error.what()).size() > 0, "a refused input has a reason");
    return 0;
  }
  Check(lists.shape == DeckListShape::EventJson || lists.lists.size() == 1,
        "only an event file holds other than one list");
  for (const DeckListImport& list : lists.lists) {
    CheckReadsBack(list);
    for (char c : list.file_stem) Check(c != '/' && c != '\0', "a list's file name is no path");
  }
  return 0;
}
