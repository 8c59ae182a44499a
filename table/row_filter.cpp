#include "table/row_filter.h"

#include "model/board_type.h"
#include "model/card_type.h"
#include "model/deck.h"
#include "model/entry.h"
#include "table/average_deck.h"
#include "table/text_match.h"

namespace Tarvane {

const std::vector<FilterCardType>& FilterCardTypes() {
  static const std::vector<FilterCardType> types = {
      {CardType::Land, "土地"},
      {CardType::Creature, "クリーチャー"},
      {CardType::Instant, "インスタント"},
      {CardType::Sorcery, "ソーサリー"},
      {CardType::Enchantment, "エンチャント"},
      {CardType::Artifact, "アーティファクト"},
      {CardType::Planeswalker, "プレインズウォーカー"},
      {CardType::UnknownCard, "辞書にないカード"},
  };
  return types;
}

std::string RowFilterStatusText(const RowFilter& filter) {
  if (filter.IsEmpty()) return std::string();
  std::vector<std::string> conditions;
  for (const FilterCardType& type : FilterCardTypes()) {
    if (type.code == filter.card_type) conditions.push_back(type.name);
  }
  if (filter.minimum_decks > 1)
    conditions.push_back(std::to_string(filter.minimum_decks) + "デッキ以上");
  if (!filter.archetype.empty()) conditions.push_back("アーキタイプ「" + filter.archetype + "」");
  if (!filter.text.empty()) conditions.push_back("「" + filter.text + "」を含む");
  std::string text = "絞り込み : ";
  for (std::size_t i = 0; i < conditions.size(); ++i) text += (i ? ", " : "") + conditions[i];
  return text;
}

RowFilterMatcher::RowFilterMatcher(const RowFilter& filter,
                                   const std::vector<std::shared_ptr<Deck>>& decks)
    : filter_(filter) {
  if (filter_.minimum_decks <= 1 && filter_.archetype.empty()) return;
  for (const std::shared_ptr<Deck>& deck : decks) {
    const bool of_archetype =
        !filter_.archetype.empty() && DeckArchetype(*deck) == filter_.archetype;
    for (int board_type : {BoardType::Mainboard, BoardType::Sideboard, BoardType::Hybrid}) {
      BoardCounts& counts = boards_[board_type];
      for (const auto& [name, count] : deck->board_of(board_type)->cards()) {
        if (count <= 0) continue;
        ++counts.decks[name];
        if (of_archetype) ++counts.archetype_decks[name];
      }
    }
  }
}

bool RowFilterMatcher::Accepts(const Entry& entry) const {
  if (filter_.IsEmpty() || !entry.is_normal()) return true;
  const Card& card = entry.card();
  if (filter_.card_type != 0 && card.type != filter_.card_type) return false;
  if (filter_.minimum_decks > 1 || !filter_.archetype.empty()) {
    auto board = boards_.find(entry.board_type());
    auto count_in = [&](const std::unordered_map<std::string, int> BoardCounts::*counts) {
      if (board == boards_.end()) return 0;
      auto found = (board->second.*counts).find(card.name);
      return found == (board->second.*counts).end() ? 0 : found->second;
    };
    if (count_in(&BoardCounts::decks) < filter_.minimum_decks) return false;
    if (!filter_.archetype.empty() && count_in(&BoardCounts::archetype_decks) == 0) return false;
  }
  if (!filter_.text.empty()) {
    return ContainsText(card.name, filter_.text) ||
           ContainsText(card.name_japanese, filter_.text) ||
           ContainsText(card.type_text, filter_.text) ||
           ContainsText(card.rules_text, filter_.text);
  }
  return true;
}

}  // namespace Tarvane
