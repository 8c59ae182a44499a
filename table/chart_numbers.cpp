#include "table/chart_numbers.h"

#include <algorithm>
#include <map>

#include "model/board_type.h"
#include "model/card_database.h"
#include "model/card_type.h"
#include "model/deck.h"
#include "table/average_deck.h"

namespace Tarvane {

const char kOtherArchetypes[] = "その他";

namespace {

std::vector<std::pair<std::string, int>> ArchetypeCounts(const ChartDecks& decks) {
  std::map<std::string, int> counts;
  for (const auto& deck : decks) ++counts[DeckArchetype(*deck)];
  std::vector<std::pair<std::string, int>> ordered(counts.begin(), counts.end());
  // The map gave name order; a stable sort keeps it among equal counts.
  std::stable_sort(ordered.begin(), ordered.end(),
                   [](const auto& a, const auto& b) { return a.second > b.second; });
  return ordered;
}

int Bucket(int copies) { return std::clamp(copies, 0, kCopyBuckets - 1); }

CurveType CurveTypeOf(int code) {
  switch (code) {
    case CardType::Creature:
      return CurveType::Creature;
    case CardType::Instant:
      return CurveType::Instant;
    case CardType::Sorcery:
      return CurveType::Sorcery;
    case CardType::Enchantment:
      return CurveType::Enchantment;
    case CardType::Artifact:
      return CurveType::Artifact;
    case CardType::Planeswalker:
      return CurveType::Planeswalker;
    default:
      return CurveType::Other;
  }
}

}  // namespace

std::vector<ArchetypeShare> ArchetypeShares(const ChartDecks& decks, double threshold_percent) {
  std::vector<ArchetypeShare> shares;
  if (decks.empty()) return shares;
  const double total = static_cast<double>(decks.size());
  std::vector<ArchetypeShare> small;
  for (const auto& [archetype, count] : ArchetypeCounts(decks)) {
    ArchetypeShare share{archetype, count, 100.0 * count / total, false};
    (share.percent < threshold_percent ? small : shares).push_back(share);
  }
  if (small.size() == 1) {
    // One archetype alone is shown under its own name: gathering it would hide it for nothing.
    shares.push_back(small.front());
  } else if (!small.empty()) {
    ArchetypeShare other{kOtherArchetypes, 0, 0, true};
    for (const ArchetypeShare& share : small) other.decks += share.decks;
    other.percent = 100.0 * other.decks / total;
    shares.push_back(other);
  }
  return shares;
}

ChartDecks DecksOfArchetype(const ChartDecks& decks, const std::string& archetype) {
  ChartDecks chosen;
  for (const auto& deck : decks) {
    if (DeckArchetype(*deck) == archetype) chosen.push_back(deck);
  }
  return chosen;
}

std::vector<std::string> ArchetypeNames(const ChartDecks& decks) {
  std::vector<std::string> names;
  for (const auto& [archetype, count] : ArchetypeCounts(decks)) names.push_back(archetype);
  return names;
}

CardAdoption CardAdoptionOf(const ChartDecks& decks, const std::string& card_name) {
  CardAdoption adoption;
  adoption.decks = static_cast<int>(decks.size());
  for (const auto& deck : decks) {
    for (const auto& board : BoardType::Table()) {
      const int copies = deck->board_of(board.code)->CountOf(card_name);
      ++adoption.by_board[board.code][Bucket(copies)];
    }
  }
  return adoption;
}

const char* CurveTypeName(CurveType type) {
  static const char* const names[kCurveTypes] = {
      "クリーチャー",     "インスタント",         "ソーサリー", "エンチャント",
      "アーティファクト", "プレインズウォーカー", "その他"};
  return names[static_cast<int>(type)];
}

CostAverages ManaCurve::Total() const {
  CostAverages total{};
  for (const CostAverages& type : by_type) {
    for (int cost = 0; cost < kCostBuckets; ++cost) total[cost] += type[cost];
  }
  return total;
}

ManaCurve ManaCurveOf(const ChartDecks& decks, CardDatabase& card_database) {
  ManaCurve curve;
  curve.decks = static_cast<int>(decks.size());
  if (decks.empty()) return curve;
  std::array<std::array<long long, kCostBuckets>, kCurveTypes> copies{};
  for (const auto& deck : decks) {
    for (const auto& [name, count] : deck->mainboard().cards()) {
      if (count <= 0) continue;
      const Card& card = card_database.fetch(name);
      if (card.type == CardType::Land) continue;
      if (card.type == CardType::UnknownCard) {
        curve.unknown_copies += count;
        continue;
      }
      const int cost = std::clamp(card.converted_mana_cost, 0, kCostBuckets - 1);
      copies[static_cast<int>(CurveTypeOf(card.type))][cost] += count;
    }
  }
  for (int type = 0; type < kCurveTypes; ++type) {
    for (int cost = 0; cost < kCostBuckets; ++cost) {
      curve.by_type[type][cost] = static_cast<double>(copies[type][cost]) / curve.decks;
    }
  }
  return curve;
}

}  // namespace Tarvane
