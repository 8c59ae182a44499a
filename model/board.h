#pragma once
// One board of a deck: how many copies of each card name it holds.
#include <functional>
#include <string>
#include <unordered_map>

#include "model/card.h"

namespace Tarvane {

class CardDatabase;

class Board {
public:
  // Card name to count; a name is present once, with the sum of every line that named it.
  using Counts = std::unordered_map<std::string, int>;

  // Adds to the name's count; a sum beyond the 32-bit range stays at its limit.
  void Add(const std::string& name, int count);
  // The name's count, 0 for a name the board does not hold.
  int CountOf(const std::string& name) const;
  const Counts& cards() const { return counts_; }
  bool empty() const { return counts_.empty(); }

  // The sum of the counts of the names whose card satisfies the predicate, in the board's own
  // order; a name the database lacks is added to it as an unknown card on the way.
  int count_total_of_native(const std::function<bool(const Card&)>& predicate,
                            CardDatabase& card_database) const;

private:
  Counts counts_;
};

}  // namespace Tarvane
