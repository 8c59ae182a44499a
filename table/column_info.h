#pragma once
// One column of the analysis table: the processor that yields its header and cells, and the deck
// that a deck column shows. The list's column header carries a plain reference to it.
#include <memory>

#include "squirrel/tt_squirrel_object.h"

namespace Tarvane {

class Deck;

class ColumnInfo {
public:
  // Held with an engine reference, so the column never outlives the script value it calls, even
  // when the menu or setting that made it has changed since.
  TtSquirrel::Object processor;
  // The deck of a deck column, kept alive with its column; null for the first column and for
  // special columns.
  std::shared_ptr<Deck> deck;
  // The two decks of a difference column (the first minus the second), kept alive with it, whose
  // processors its processor calls; null for every other column.
  std::shared_ptr<Deck> first_deck;
  std::shared_ptr<Deck> second_deck;
  // The largest magnitude of the numbers among the column's card rows when it was last filled:
  // what shading measures its cells against.
  double largest_magnitude = 0;
};

}  // namespace Tarvane
