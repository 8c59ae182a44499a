#include "table/average_deck.h"

#include <algorithm>
#include <map>

#include "model/archetype/archetype_classifier.h"
#include "model/card_database.h"
#include "model/deck.h"
#include "table/analysis_table.h"
#include "table/table_export.h"
#include "ttl/core/tt_language.h"

namespace Tarvane {

namespace {

// How many archetypes the NAME header names before it says how many more there are.
constexpr size_t kNamedArchetypes = 3;

struct CardShare {
  const Card* card;
  int decks_playing = 0;
  long long total_copies = 0;
};

long long BoardSize(const Board& board) {
  long long size = 0;
  for (const auto& [name, count] : board.cards()) size += count;
  return std::max(size, 0LL);
}

// The lower median, so that an even number of decks gives a size one of them has.
long long MedianSize(const std::vector<const Board*>& boards) {
  if (boards.empty()) return 0;
  std::vector<long long> sizes;
  for (const Board* board : boards) sizes.push_back(BoardSize(*board));
  std::sort(sizes.begin(), sizes.end());
  return sizes[(sizes.size() - 1) / 2];
}

AverageDeck::Cards AverageBoard(const std::vector<const Board*>& boards,
                                CardDatabase& card_database) {
  std::map<std::string, CardShare> shares;
  for (const Board* board : boards) {
    for (const auto& [name, count] : board->cards()) {
      if (count <= 0) continue;
      CardShare& share = shares[name];
      ++share.decks_playing;
      share.total_copies += count;
    }
  }
  std::vector<CardShare> ordered;
  for (auto& [name, share] : shares) {
    share.card = &card_database.fetch(name);
    ordered.push_back(share);
  }
  std::sort(ordered.begin(), ordered.end(), [](const CardShare& a, const CardShare& b) {
    if (a.decks_playing != b.decks_playing) return a.decks_playing > b.decks_playing;
    int by_card_order = Card::compare(*a.card, *b.card);
    if (by_card_order != 0) return by_card_order < 0;
    return a.card->name < b.card->name;
  });
  AverageDeck::Cards cards;
  long long room = MedianSize(boards);
  for (const CardShare& share : ordered) {
    if (room <= 0) break;
    // Rounded half up; never 0, since every deck counted plays at least one copy.
    long long copies = (2 * share.total_copies + share.decks_playing) / (2 * share.decks_playing);
    copies = std::min(copies, room);
    cards.emplace_back(share.card->name, static_cast<int>(copies));
    room -= copies;
  }
  return cards;
}

// "平均デッキ: ジャンド 8, バーン 4 他2 (14デッキ)": the largest archetypes first.
std::string SourceName(const std::vector<std::shared_ptr<Deck>>& decks) {
  std::map<std::string, int> archetypes;
  for (const auto& deck : decks) ++archetypes[DeckArchetype(*deck)];
  std::vector<std::pair<std::string, int>> largest(archetypes.begin(), archetypes.end());
  std::stable_sort(largest.begin(), largest.end(),
                   [](const auto& a, const auto& b) { return a.second > b.second; });
  std::string name = "平均デッキ:";
  for (size_t i = 0; i < largest.size() && i < kNamedArchetypes; ++i) {
    name += (i == 0 ? " " : ", ") + largest[i].first + " " + std::to_string(largest[i].second);
  }
  if (largest.size() > kNamedArchetypes) {
    name += " 他" + std::to_string(largest.size() - kNamedArchetypes);
  }
  return name + " (" + std::to_string(decks.size()) + "デッキ)";
}

void AppendCards(const AverageDeck::Cards& cards, std::string& text) {
  for (const auto& [name, copies] : cards) text += std::to_string(copies) + " " + name + "\n";
}

std::string AverageDeckCaption() { return TtLanguage::Text("Average deck", "平均デッキの作成"); }

}  // namespace

std::string DeckArchetype(const Deck& deck) { return ArchetypeLabelOf(deck).name; }

ArchetypeLabel DeckArchetypeLabel(const Deck& deck) { return ArchetypeLabelOf(deck); }

AverageDeck MakeAverageDeck(const std::vector<std::shared_ptr<Deck>>& decks,
                            CardDatabase& card_database) {
  std::vector<const Board*> mainboards, sideboards;
  for (const auto& deck : decks) {
    mainboards.push_back(&deck->mainboard());
    sideboards.push_back(&deck->sideboard());
  }
  return AverageDeck{SourceName(decks), AverageBoard(mainboards, card_database),
                     AverageBoard(sideboards, card_database)};
}

std::string AverageDeckText(const AverageDeck& deck) {
  std::string text = "#NAME " + deck.name + "\n";
  AppendCards(deck.mainboard, text);
  if (!deck.sideboard.empty()) {
    text += "\n";
    AppendCards(deck.sideboard, text);
  }
  return text;
}

bool WriteAverageDeckFile(AnalysisTable& table, const std::string& path,
                          MessageReporter& reporter) {
  std::vector<std::shared_ptr<Deck>> decks = table.GetDecksShownAsColumns();
  if (decks.empty()) decks = table.GetScriptHost().GetDecks();
  if (decks.empty()) {
    reporter.ShowMessage(
        TtLanguage::Text("There are no decks to average.", "平均デッキを作るデッキがありません。"),
        AverageDeckCaption(), MessageButtons::Ok, MessageIcon::Error, true);
    return false;
  }
  AverageDeck average = MakeAverageDeck(decks, table.GetScriptHost().GetCardDatabase());
  // A list without cards would not load back as a deck.
  if (average.mainboard.empty() && average.sideboard.empty()) {
    reporter.ShowMessage(
        TtLanguage::Text(
            "The average deck has no cards: no card has one copy or more in every deck, so no "
            "file was made.",
            "平均デッキに入るカードがありません。どのデッキにも1枚以上のカードがないため、"
            "ファイルは作りませんでした。"),
        AverageDeckCaption(), MessageButtons::Ok, MessageIcon::Error, true);
    return false;
  }
  return WriteTableFile(path, AverageDeckText(average), reporter);
}

bool WriteArchetypeAverageDeckFile(AnalysisTable& table, const std::string& archetype,
                                   const std::string& path, MessageReporter& reporter) {
  std::vector<std::shared_ptr<Deck>> decks;
  for (const auto& deck : table.GetScriptHost().GetDecks()) {
    if (DeckArchetype(*deck) == archetype) decks.push_back(deck);
  }
  if (decks.empty()) {
    reporter.ShowMessage(
        TtLanguage::Text("There are no decks of the archetype \"" + archetype + "\".",
                         "アーキタイプ「" + archetype + "」のデッキがありません。"),
        AverageDeckCaption(), MessageButtons::Ok, MessageIcon::Error, true);
    return false;
  }
  AverageDeck average = MakeAverageDeck(decks, table.GetScriptHost().GetCardDatabase());
  return WriteTableFile(path, AverageDeckText(average), reporter);
}

}  // namespace Tarvane
