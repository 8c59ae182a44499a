#pragma once
// Reads the pieces that JsonElementSplitter cuts from a public card data file into a card
// collection, recognising each piece by its shape: an array of faces (cards listed by name), an
// object with "cards" (a set with its printings), or an object of kind "card" (one printing).
#include <cstddef>
#include <memory>

#include "tools/card_collection.h"

namespace Tarvane {

class CardDataReader {
public:
  CardDataReader();
  ~CardDataReader();

  // Reads one piece (with the splitter's padding allocated after it). Returns false for a
  // piece that holds no card data this reader knows. Throws DictionarySourceException for
  // broken JSON; source_name (CP932) names the input in its message.
  bool Read(const char* json, size_t length, size_t capacity, CardCollection& cards,
            const std::string& source_name);

private:
  struct Parser;
  std::unique_ptr<Parser> parser_;
};

}  // namespace Tarvane
