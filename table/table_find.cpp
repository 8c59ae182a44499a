#include "table/table_find.h"

#include <functional>
#include <vector>

#include "model/deck.h"
#include "model/entry.h"
#include "table/analysis_table.h"
#include "table/text_match.h"

namespace Tarvane {

namespace {

// The matching indexes in [0, count), and from them the one after (or before) `current`.
FindResult FindAmong(int count, int current, bool backwards,
                     const std::function<bool(int)>& matches) {
  std::vector<int> found;
  for (int index = 0; index < count; ++index) {
    if (matches(index)) found.push_back(index);
  }
  FindResult result;
  result.count = static_cast<int>(found.size());
  if (found.empty()) return result;
  // The first match past the current index in the direction of the search, else wrap round.
  int chosen = backwards ? result.count - 1 : 0;
  for (int i = 0; i < result.count; ++i) {
    const int at = backwards ? result.count - 1 - i : i;
    if (backwards ? found[at] < current : found[at] > current) {
      chosen = at;
      break;
    }
  }
  result.index = found[chosen];
  result.position = chosen + 1;
  return result;
}

}  // namespace

FindResult FindRow(const AnalysisTable& table, const std::string& text, int current,
                   bool backwards) {
  if (text.empty()) return FindResult{};
  // Searching backwards from no row starts at the bottom.
  if (backwards && current < 0) current = table.GetList().GetItemCount();
  return FindAmong(table.GetList().GetItemCount(), current, backwards, [&](int item) {
    const Card& card = table.GetRowEntry(item)->card();
    return ContainsText(card.name, text) || ContainsText(card.name_japanese, text);
  });
}

FindResult FindColumn(const AnalysisTable& table, const std::string& text, int current) {
  if (text.empty()) return FindResult{};
  return FindAmong(table.GetList().GetColumnCount(), current, false, [&](int column) {
    if (ContainsText(table.GetList().GetColumnText(column), text)) return true;
    const ColumnInfo* info = table.GetColumnInfo(column);
    return info && info->deck && ContainsText(info->deck->file_name(), text);
  });
}

std::string FindStatusText(const std::string& text, const FindResult& result) {
  if (result.index < 0) return "「" + text + "」は見つかりません";
  return "「" + text + "」 " + std::to_string(result.position) + " / " +
         std::to_string(result.count) + " 件";
}

}  // namespace Tarvane
