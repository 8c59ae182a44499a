#include "model/deck.h"

#include "app/exception.h"
#include "model/board_type.h"
#include "model/card_database.h"
#include "model/deck_list_line.h"
#include "model/deck_list_reader.h"
#include "ttl/core/tt_path.h"

namespace Tarvane {

std::shared_ptr<Deck> Deck::Load(const std::string& path, CardDatabase& card_database,
                                 const ProcessorMaker& make_processor) {
  std::shared_ptr<Deck> deck(new Deck(path));
  deck->ReadFile(card_database);
  if (deck->hybridboard_.empty()) throw DeckFileFormatException(path);
  if (make_processor) deck->processor_ = make_processor(*deck);
  return deck;
}

void Deck::ReadFile(CardDatabase& card_database) {
  DeckListReader reader(path_);
  Board* board = &mainboard_;
  TextLine text;
  while (reader.ReadLine(text)) {
    DeckListLine line = ParseDeckListLine(text.text);
    switch (line.kind) {
      case DeckListLine::Empty:
        board = &sideboard_;  // for the rest of the file
        break;
      case DeckListLine::Header:
        headers_[line.key] = line.value;
        break;
      case DeckListLine::CardLine:
        card_database.add_unknown_card(line.name);
        board->Add(line.name, line.count);
        break;
      case DeckListLine::Ignored:
        break;
    }
  }
  for (const Board* part : {&mainboard_, &sideboard_}) {
    for (const auto& [name, count] : part->cards()) hybridboard_.Add(name, count);
  }
}

std::string Deck::file_name() const { return TtPath::FindFileName(path_); }

const Board* Deck::board_of(int board_type) const {
  switch (board_type) {
    case BoardType::Mainboard:
      return &mainboard_;
    case BoardType::Sideboard:
      return &sideboard_;
    case BoardType::Hybrid:
      return &hybridboard_;
    default:
      return nullptr;
  }
}

}  // namespace Tarvane
