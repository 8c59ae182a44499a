#pragma once
// The boards of a deck, by code: the main deck, the sideboard and their sum.
#include <optional>
#include <string>
#include <vector>

namespace Tarvane {

class BoardType {
public:
  static constexpr int Mainboard = 0;
  static constexpr int Sideboard = 1;
  static constexpr int Hybrid = 2;

  struct Entry {
    std::string name;
    int code;
  };

  // Every board type in code order.
  static const std::vector<Entry>& Table();
  static std::optional<int> CodeOf(const std::string& name);
  static std::optional<std::string> NameOf(int code);
};

}  // namespace Tarvane
