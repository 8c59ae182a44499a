#pragma once
// Finding in the table as shown: a card row by its English or Japanese name, and a column by its
// header (a deck's name or a statistic's). Both look through the shown rows and columns only,
// start after the current one and wrap round, so asking again with the same text cycles through
// every match.
#include <string>

namespace Tarvane {

class AnalysisTable;

struct FindResult {
  // The list item or column found; -1 when nothing matches.
  int index = -1;
  // Which match it is (1 for the first in list order) and how many there are.
  int position = 0;
  int count = 0;
};

// The next shown row after `current` (-1 for none: the search starts at the top), or before it
// when `backwards`, whose card's English or Japanese name contains the text. An empty text
// matches nothing.
FindResult FindRow(const AnalysisTable& table, const std::string& text, int current,
                   bool backwards = false);

// The next column after `current` whose header, or the file name of its deck, contains the text.
FindResult FindColumn(const AnalysisTable& table, const std::string& text, int current);

// The status bar's report of a find: "「text」 2 / 5 件" or "「text」は見つかりません".
std::string FindStatusText(const std::string& text, const FindResult& result);

}  // namespace Tarvane
