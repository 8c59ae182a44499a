#include "table/status_bar_texts.h"

namespace Tarvane {

std::string DeckCountStatusText(std::size_t deck_count) {
  return "デッキ数 : " + std::to_string(deck_count);
}

std::string SorterStatusText(const std::string& sorter_name) { return "並び替え : " + sorter_name; }

}  // namespace Tarvane
