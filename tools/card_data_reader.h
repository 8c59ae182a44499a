#pragma once
// Reads the pieces that JsonElementSplitter cuts from a public card data file into a card
// collection, recognising each piece by its shape: an array of faces (cards listed by name), an
// object with "cards" (a set with its printings), or an object of kind "card" (one printing).
#include <cstddef>
#include <memory>
#include <string_view>

#include "tools/card_collection.h"

namespace Tarvane {

class CardDataReader {
public:
  CardDataReader();
  ~CardDataReader();

  // Reads one piece (with the splitter's padding allocated after it); key is its member name
  // in the file's "data" object (the splitter's PieceKey), which marks the cards of a file of
  // one set. Returns false for a piece that holds no card data this reader knows. Throws
  // DictionarySourceException for broken JSON; source_name (CP932) names the input in its
  // message.
  bool Read(const char* json, size_t length, size_t capacity, CardCollection& cards,
            const std::string& source_name, std::string_view key = {});

private:
  struct Parser;
  std::unique_ptr<Parser> parser_;
  // The file is one set: its other lists (tokens, products, decks) hold no cards of a deck.
  bool one_set_ = false;
};

}  // namespace Tarvane
