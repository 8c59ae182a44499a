#include "model/board_type.h"

namespace Tarvane {

const std::vector<BoardType::Entry>& BoardType::Table() {
  static const std::vector<Entry> table = {
      {"Mainboard", Mainboard},
      {"Sideboard", Sideboard},
      {"Hybrid", Hybrid},
  };
  return table;
}

std::optional<int> BoardType::CodeOf(const std::string& name) {
  for (const Entry& entry : Table()) {
    if (entry.name == name) return entry.code;
  }
  return std::nullopt;
}

std::optional<std::string> BoardType::NameOf(int code) {
  for (const Entry& entry : Table()) {
    if (entry.code == code) return entry.name;
  }
  return std::nullopt;
}

}  // namespace Tarvane
