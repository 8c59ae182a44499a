// Import of deck lists from other programs: whatever the bytes, the deck list it writes reads
// back as exactly the boards, deck name and headers that the import reports.
#include <cstdint>
#include <string>

#include "app/exception.h"
#include "fuzz_support.h"
#include "model/card_database.h"
#include "model/deck.h"
#include "model/import/card_name_resolver.h"
#include "model/import/deck_list_import.h"

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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static CardDatabase database;
  static CardNameResolver names(database);
  DeckListImport result = ImportDeckList(TarvaneFuzz::Text(data, size), names);
  std::string text = result.DeckListText();
  Check(!result.Report().empty(), "every import has a report");
  std::string path = TarvaneFuzz::Scratch::Get().Write("imported.txt", text);
  CardDatabase loaded_names;
  std::shared_ptr<Deck> deck;
  try {
    deck = Deck::Load(path, loaded_names);
  } catch (const DeckFileFormatException&) {
    Check(!result.HasCards(), "a list with cards reads back as a deck");
    return 0;
  }
  Check(result.HasCards(), "a list without cards is no deck");
  Check(SameBoard(deck->mainboard(), result.mainboard), "the main deck reads back as imported");
  Check(SameBoard(deck->sideboard(), result.sideboard), "the sideboard reads back as imported");
  auto name = deck->headers().find("NAME");
  Check(result.deck_name.empty() ? name == deck->headers().end()
                                 : name != deck->headers().end() && name->second == result.deck_name,
        "the deck name reads back as #NAME");
  return 0;
}
