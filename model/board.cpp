#include "model/board.h"

#include "model/card_database.h"
#include "model/line_reader.h"

namespace Tarvane {

void Board::Add(const std::string& name, int count) {
  int& total = counts_[name];
  total = SaturatingAdd(total, count);
}

int Board::CountOf(const std::string& name) const {
  auto found = counts_.find(name);
  return found == counts_.end() ? 0 : found->second;
}

int Board::count_total_of_native(const std::function<bool(const Card&)>& predicate,
                                 CardDatabase& card_database) const {
  int total = 0;
  for (const auto& [name, count] : counts_) {
    if (predicate(card_database.fetch(name))) total = SaturatingAdd(total, count);
  }
  return total;
}

}  // namespace Tarvane
