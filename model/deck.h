#pragma once
// A deck read from a deck list file: its main deck, sideboard and their sum, the header lines,
// and the column processor that the script host makes for it.
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>

#include "model/archetype/archetype_label.h"
#include "model/board.h"
#include "squirrel/tt_squirrel_object.h"

namespace Tarvane {

class CardDatabase;

// Always owned by a shared pointer (Load makes it so), which lets the script host tell whether
// a deck that a script still refers to is loaded.
class Deck : public std::enable_shared_from_this<Deck> {
public:
  // Upper-cased header key to its value.
  using Headers = std::unordered_map<std::string, std::string>;
  // Makes the deck's processor once the file has been read. The script host passes its
  // CreateDeckProcessor here, which also makes the deck's script twin; the deck is at its final
  // address by then, so the twin may point at it.
  using ProcessorMaker = std::function<TtSquirrel::Object(const Deck& deck)>;

  // Reads and parses the deck list file; a card name the database lacks is added to it as an
  // unknown card. Then, when a maker is given, has it make the deck's processor; without one
  // the processor stays null. Throws TtFileAccessException when the file cannot be opened or
  // read, DeckFileFormatException when no card line was accepted, and whatever the maker
  // throws.
  static std::shared_ptr<Deck> Load(const std::string& path, CardDatabase& card_database,
                                    const ProcessorMaker& make_processor = nullptr);

  const std::string& path() const { return path_; }
  // The file name part of the path, with its extension.
  std::string file_name() const;
  const Board& mainboard() const { return mainboard_; }
  const Board& sideboard() const { return sideboard_; }
  const Board& hybridboard() const { return hybridboard_; }
  // The board of a BoardType code; nullptr for any other value.
  const Board* board_of(int board_type) const;
  const Headers& headers() const { return headers_; }
  // The deck's column processor: null until the script host has made it.
  const TtSquirrel::Object& processor() const { return processor_; }
  // The archetype that the labelling of the loaded decks gave it; null until then.
  const ArchetypeLabel* archetype_label() const { return labelled_ ? &archetype_label_ : nullptr; }
  void set_archetype_label(ArchetypeLabel label) {
    archetype_label_ = std::move(label);
    labelled_ = true;
  }

private:
  explicit Deck(const std::string& path) : path_(path) {}
  void ReadFile(CardDatabase& card_database);

  std::string path_;
  Board mainboard_;
  Board sideboard_;
  Board hybridboard_;
  Headers headers_;
  TtSquirrel::Object processor_;
  ArchetypeLabel archetype_label_;
  bool labelled_ = false;
};

}  // namespace Tarvane
