// The deck list parser: Deck::Load over any file against the format's rules written out plainly
// here, one line at a time. The line splitting, blanks and header rule are the ones every deck
// list reader shares (their own targets hold them to the file reader's rules); the boards,
// counts and sideboard are checked here.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "app/exception.h"
#include "fuzz_support.h"
#include "model/card_database.h"
#include "model/deck.h"
#include "model/deck_list_line.h"
#include "model/line_reader.h"
#include "model/text_encoding.h"
#include "model/text_lines.h"
#include "ttl/core/tt_utility.h"

using TarvaneFuzz::Check;
using namespace Tarvane;

namespace {

using Counts = std::unordered_map<std::string, int>;

// Sums held to the 32-bit range at every step, as a board adds its lines.
int AddHeld(int a, long long b) {
  return static_cast<int>(std::max<long long>(INT32_MIN, std::min<long long>(INT32_MAX, a + b)));
}

struct ExpectedDeck {
  Counts main, side;
  Deck::Headers headers;
  bool any_card = false;
};

void ApplyLine(std::string_view text, bool& in_sideboard, ExpectedDeck& deck) {
  std::string_view line = TrimBlanks(text);
  if (line.empty()) {
    in_sideboard = true;
    return;
  }
  if (line[0] == '#') {
    if (auto header = ReadHeaderLine(line, HeaderText::Cp932))
      deck.headers[header->key] = header->value;
    return;
  }
  size_t space = line.find(' ');
  int count;
  if (space == std::string_view::npos ||
      !TtUtility::StringToInteger(std::string(line.substr(0, space)), count, 10)) {
    return;
  }
  int& total = (in_sideboard ? deck.side : deck.main)[std::string(line.substr(space + 1))];
  total = AddHeld(total, count);
  deck.any_card = true;
}

ExpectedDeck Expect(std::string_view bytes) {
  ExpectedDeck deck;
  bool in_sideboard = false;
  for (const TextLine& line : SplitTextLines(bytes)) ApplyLine(line.text, in_sideboard, deck);
  return deck;
}

bool SameBoard(const Board& board, const Counts& counts) {
  if (board.cards().size() != counts.size()) return false;
  for (const auto& [name, count] : counts) {
    if (!board.cards().contains(name) || board.CountOf(name) != count) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes = TarvaneFuzz::Text(data, size);
  std::string path = TarvaneFuzz::Scratch::Get().Write("deck.txt", bytes);
  // A file with a byte-order mark is converted first; the rules below are those of the bytes
  // as they are, so such a file is only held to the summed board.
  if (EncodingOfByteOrderMark(bytes) != TextEncoding::Cp932) {
    CardDatabase database;
    try {
      std::shared_ptr<Deck> deck = Deck::Load(path, database);
      Counts sum;
      for (const Board* board : {&deck->mainboard(), &deck->sideboard()}) {
        for (const auto& [name, count] : board->cards()) sum[name] = AddHeld(sum[name], count);
      }
      Check(SameBoard(deck->hybridboard(), sum), "the summed board adds both boards");
    } catch (const DeckFileFormatException&) {
    }
    return 0;
  }
  ExpectedDeck expected = Expect(bytes);
  CardDatabase database;
  std::shared_ptr<Deck> deck;
  try {
    deck = Deck::Load(path, database);
  } catch (const DeckFileFormatException&) {
    Check(!expected.any_card, "a file with a card line is a deck");
    return 0;
  }
  Check(expected.any_card, "a file without a card line is not a deck");
  Check(SameBoard(deck->mainboard(), expected.main), "the main deck is what its lines say");
  Check(SameBoard(deck->sideboard(), expected.side), "the sideboard is what its lines say");
  Check(deck->headers() == expected.headers, "the headers are what their lines say");
  Counts sum = expected.main;
  for (const auto& [name, count] : expected.side) sum[name] = AddHeld(sum[name], count);
  Check(SameBoard(deck->hybridboard(), sum), "the summed board adds both boards");
  for (const auto& [name, count] : deck->hybridboard().cards()) {
    Check(database.card_exist(name), "every name of the deck is in the card database");
  }
  // With no negative counts the held sum does not depend on the board's order.
  int total = 0;
  bool no_negative = true;
  for (const auto& [name, count] : expected.main) {
    total = AddHeld(total, count);
    no_negative = no_negative && count >= 0;
  }
  auto everything = [](const Card&) { return true; };
  int counted = deck->mainboard().count_total_of_native(everything, database);
  Check(!no_negative || counted == total, "counting every card sums the board");
  return 0;
}
