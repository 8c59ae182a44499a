#pragma once
// The two texts of the main window's status bar. The table writes them through this interface,
// so it runs the same whether a window shows them or the headless tool prints them.
#include <cstddef>
#include <string>

namespace Tarvane {

class StatusBarTexts {
public:
  // The bar's fields from the left: the number of loaded decks, the current sort rule, the row
  // filter, and the outcome of the last command (a copy, an export, a find).
  static constexpr int kDeckCountPart = 0;
  static constexpr int kSorterPart = 1;
  static constexpr int kFilterPart = 2;
  static constexpr int kNoticePart = 3;

  virtual ~StatusBarTexts() = default;
  virtual void SetStatusText(int part, const std::string& text) = 0;
};

// "デッキ数 : " and the count in decimal.
std::string DeckCountStatusText(std::size_t deck_count);
// "並び替え : " and the sorter's name; the name is empty when no sorter is current.
std::string SorterStatusText(const std::string& sorter_name);

}  // namespace Tarvane
