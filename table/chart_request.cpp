#include "table/chart_request.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "model/board_type.h"
#include "model/card_database.h"
#include "script/squirrel_vm.h"
#include "table/analysis_table.h"
#include "table/chart_numbers.h"

namespace Tarvane {

namespace {

std::string DeckCount(size_t decks) { return std::to_string(decks) + "デッキ"; }

std::string Percent(double percent) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f%%", percent);
  return text;
}

// "(ジャンド)" after the note when the chart is narrowed to an archetype.
std::string Narrowed(const ChartRequest& request) {
  return request.archetype.empty() ? "" : " / アーキタイプ: " + request.archetype;
}

ChartDecks NarrowedDecks(const ChartDecks& decks, const ChartRequest& request) {
  return request.archetype.empty() ? decks : DecksOfArchetype(decks, request.archetype);
}

ChartData MetagameChart(const ChartDecks& decks, const ChartRequest& request) {
  ChartData chart;
  chart.layout = ChartData::Layout::HorizontalBars;
  chart.title = "メタゲーム";
  char threshold[64];
  std::snprintf(threshold, sizeof threshold, "%g%%未満はその他", request.other_threshold_percent);
  chart.note = "読み込んだ" + DeckCount(decks.size()) + " / " + threshold;
  chart.value_axis = "デッキ数";
  chart.empty_text = "デッキがありません";
  ChartSeries series{"デッキ数", {}};
  for (const ArchetypeShare& share : ArchetypeShares(decks, request.other_threshold_percent)) {
    if (share.gathered) chart.muted_category = static_cast<int>(chart.categories.size());
    chart.categories.push_back(share.archetype);
    series.values.push_back(share.decks);
    chart.bar_labels.push_back(std::to_string(share.decks) + " (" + Percent(share.percent) + ")");
  }
  chart.series.push_back(series);
  return chart;
}

// The boards the table shows as rows, each a series of the adoption.
std::vector<std::pair<int, std::string>> ShownBoards(int board_display_mode) {
  switch (board_display_mode) {
    case BoardDisplayMode::MainboardOnly:
      return {{BoardType::Mainboard, "メイン"}};
    case BoardDisplayMode::SideboardOnly:
      return {{BoardType::Sideboard, "サイド"}};
    case BoardDisplayMode::Hybrid:
      return {{BoardType::Hybrid, "メイン+サイド"}};
    default:
      return {{BoardType::Mainboard, "メイン"}, {BoardType::Sideboard, "サイド"}};
  }
}

std::string CardLabel(CardDatabase& card_database, const std::string& name) {
  if (!card_database.card_exist(name)) return name;
  const Card& card = card_database.fetch(name);
  return card.name_japanese.empty() || card.name_japanese == name
             ? name
             : card.name_japanese + " (" + name + ")";
}

// The name the decks use for the card: as typed when the dictionary or a deck knows it, else the
// English name of the dictionary card whose Japanese name was typed.
std::string DeckCardName(SquirrelVM& script_host, const std::string& typed) {
  if (script_host.GetCardDatabase().card_exist(typed)) return typed;
  std::string english = typed;
  bool found = false;
  script_host.GetCardDatabase().ForEachKnownName(
      [&](std::string_view name, std::string_view name_japanese) {
        if (!found && name_japanese == typed) {
          english = name;
          found = true;
        }
      });
  return english;
}

ChartData AdoptionChart(SquirrelVM& script_host, const ChartRequest& request) {
  ChartData chart;
  chart.layout = ChartData::Layout::GroupedColumns;
  chart.category_axis = "採用枚数";
  chart.value_axis = "デッキ数";
  if (request.card.empty()) {
    chart.title = "採用分布";
    chart.empty_text = "カードが選ばれていません";
    return chart;
  }
  const ChartDecks decks = NarrowedDecks(script_host.GetDecks(), request);
  const std::string card = DeckCardName(script_host, request.card);
  chart.title = "採用分布: " + CardLabel(script_host.GetCardDatabase(), card);
  chart.note = DeckCount(decks.size()) + Narrowed(request);
  chart.empty_text = "デッキがありません";
  if (decks.empty()) return chart;
  chart.categories = {"0枚", "1枚", "2枚", "3枚", "4枚以上"};
  const CardAdoption adoption = CardAdoptionOf(decks, card);
  for (const auto& [board, name] : ShownBoards(script_host.GetBoardDisplayMode())) {
    const CopyCounts& counts = adoption.by_board[board];
    chart.series.push_back(ChartSeries{name, std::vector<double>(counts.begin(), counts.end())});
  }
  return chart;
}

ChartData ManaCurveChart(AnalysisTable& table, const ChartRequest& request) {
  ChartDecks decks = table.GetDecksShownAsColumns();
  std::string source = "カラムの";
  if (decks.empty() || !request.archetype.empty()) {
    decks = table.GetScriptHost().GetDecks();
    source = "読み込んだ";
  }
  decks = NarrowedDecks(decks, request);
  const ManaCurve curve = ManaCurveOf(decks, table.GetScriptHost().GetCardDatabase());
  ChartData chart;
  chart.layout = ChartData::Layout::StackedColumns;
  chart.title = "マナカーブ";
  chart.note = source + DeckCount(decks.size()) + Narrowed(request) + " / メインの土地以外";
  if (curve.unknown_copies > 0) {
    chart.note += " / 辞書にないカード" + std::to_string(curve.unknown_copies) + "枚を除く";
  }
  chart.category_axis = "点数で見たマナ・コスト";
  chart.value_axis = "1デッキの平均枚数";
  chart.decimals = 1;
  chart.empty_text = "デッキがありません";
  if (decks.empty()) return chart;
  chart.categories = {"0", "1", "2", "3", "4", "5", "6", "7+"};
  if (!request.split_by_type) {
    const CostAverages total = curve.Total();
    chart.series.push_back(
        ChartSeries{"平均枚数", std::vector<double>(total.begin(), total.end())});
    return chart;
  }
  for (int type = 0; type < kCurveTypes; ++type) {
    const CostAverages& averages = curve.by_type[type];
    // A type no deck plays would only lengthen the legend.
    if (std::all_of(averages.begin(), averages.end(), [](double v) { return v == 0; })) continue;
    chart.series.push_back(ChartSeries{CurveTypeName(static_cast<CurveType>(type)),
                                       std::vector<double>(averages.begin(), averages.end())});
  }
  return chart;
}

}  // namespace

std::optional<ChartKind> ChartKindOf(const std::string& word) {
  if (word == "metagame") return ChartKind::Metagame;
  if (word == "adoption") return ChartKind::Adoption;
  if (word == "curve") return ChartKind::ManaCurve;
  return std::nullopt;
}

ChartData MakeChart(AnalysisTable& table, const ChartRequest& request) {
  switch (request.kind) {
    case ChartKind::Metagame:
      return MetagameChart(table.GetScriptHost().GetDecks(), request);
    case ChartKind::Adoption:
      return AdoptionChart(table.GetScriptHost(), request);
    case ChartKind::ManaCurve:
      return ManaCurveChart(table, request);
  }
  return ChartData{};
}

}  // namespace Tarvane
