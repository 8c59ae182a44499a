// Archetype labelling of a season: 10,000 generated decks against 150 archetypes (two to four
// conditions of every type, some with variants, a quarter named with colours) and 8 fallbacks of
// 20 common cards. The labelling, the classifier's set-up included, is set against a native pass
// that only builds each deck's set of card names, the least any labelling has to do.
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <unordered_set>
#include <vector>

#include "bench.h"
#include "model/archetype/archetype_classifier.h"
#include "model/card_database.h"
#include "model/card_type.h"
#include "model/deck.h"

namespace {

const int kDecks = 10000;
const int kArchetypes = 150;
const int kFallbacks = 8;
const int kPool = 600;
const int kRounds = 5;

std::string CardName(int index) {
  char name[32];
  std::snprintf(name, sizeof name, "Season Card %03d", index);
  return name;
}

void FillDatabase(Tarvane::CardDatabase& database) {
  static const char* const kCosts[] = {"{R}", "{1}{U}", "{B}{B}", "{2}{G}", "{W/U}", "{3}", ""};
  for (int i = 0; i < kPool; ++i) {
    Tarvane::Card card;
    card.name = card.name_japanese = CardName(i);
    card.mana_cost = kCosts[i % 7];
    card.type = i % 7 == 6 ? Tarvane::CardType::Land : Tarvane::CardType::Creature;
    database.Insert(card);
  }
}

// Decks of 20 main deck and 8 sideboard cards, drawn with a skew so that rules meet real decks.
std::vector<std::shared_ptr<Tarvane::Deck>> GenerateDecks(Tarvane::CardDatabase& database) {
  std::vector<double> weights;
  for (int i = 0; i < kPool; ++i) weights.push_back(1.0 / std::pow(i + 1, 1.1));
  std::discrete_distribution<int> pool(weights.begin(), weights.end());
  std::mt19937 random(150);
  const std::string folder = TarvaneBench::ScratchFolder();
  std::vector<std::shared_ptr<Tarvane::Deck>> decks;
  for (int deck = 0; deck < kDecks; ++deck) {
    std::string text;
    for (int card = 0; card < 20; ++card) text += "3 " + CardName(pool(random)) + "\n";
    text += "\n";
    for (int card = 0; card < 8; ++card) text += "2 " + CardName(pool(random)) + "\n";
    const std::string path = folder + "/deck" + std::to_string(deck) + ".txt";
    TarvaneBench::WriteFile(path, text);
    decks.push_back(Tarvane::Deck::Load(path, database));
  }
  return decks;
}

std::vector<std::string> DrawCards(std::mt19937& random, int count, int range) {
  std::vector<std::string> cards;
  for (int i = 0; i < count; ++i) cards.push_back(CardName(static_cast<int>(random() % range)));
  return cards;
}

Tarvane::ArchetypeRuleSet GenerateRules() {
  static const char* const kTypes[] = {"InMainboard",
                                       "InSideboard",
                                       "InMainOrSideboard",
                                       "OneOrMoreInMainboard",
                                       "OneOrMoreInSideboard",
                                       "OneOrMoreInMainOrSideboard",
                                       "TwoOrMoreInMainboard",
                                       "TwoOrMoreInSideboard",
                                       "TwoOrMoreInMainOrSideboard",
                                       "DoesNotContain",
                                       "DoesNotContainMainboard",
                                       "DoesNotContainSideboard"};
  std::mt19937 random(8);
  auto archetype = [&](int number) {
    Tarvane::ArchetypeRule rule;
    rule.name = "Archetype " + std::to_string(number);
    rule.include_color_in_name = number % 4 == 0;
    const int conditions = 2 + static_cast<int>(random() % 3);
    for (int c = 0; c < conditions; ++c) {
      Tarvane::ArchetypeCondition condition;
      Tarvane::ReadConditionType(kTypes[random() % 12], condition);
      condition.cards = DrawCards(random, 1 + static_cast<int>(random() % 5), 120);
      rule.conditions.push_back(condition);
    }
    return rule;
  };
  Tarvane::ArchetypeRuleSet rules;
  for (int number = 0; number < kArchetypes; ++number) {
    Tarvane::ArchetypeRule rule = archetype(number);
    if (number % 3 == 0) rule.variants = {archetype(1000 + number), archetype(2000 + number)};
    rules.archetypes.push_back(rule);
  }
  for (int number = 0; number < kFallbacks; ++number) {
    rules.fallbacks.push_back(
        {"Fallback " + std::to_string(number), number % 2 == 0, DrawCards(random, 20, 200)});
  }
  return rules;
}

TARVANE_BENCH("archetypes") {
  Tarvane::CardDatabase database;
  FillDatabase(database);
  const std::vector<std::shared_ptr<Tarvane::Deck>> decks = GenerateDecks(database);
  const Tarvane::ArchetypeRuleSet rules = GenerateRules();

  size_t baseline_cards = 0;
  const double baseline = TarvaneBench::BestSeconds(kRounds, [&] {
    baseline_cards = 0;
    for (const auto& deck : decks) {
      std::unordered_set<std::string> cards;
      for (const auto& [name, count] : deck->mainboard().cards()) cards.insert(name);
      for (const auto& [name, count] : deck->sideboard().cards()) cards.insert(name);
      baseline_cards += cards.size();
    }
  });
  int by_rule = 0, by_fallback = 0, unknown = 0;
  const double labelling = TarvaneBench::BestSeconds(kRounds, [&] {
    by_rule = by_fallback = unknown = 0;
    Tarvane::ArchetypeClassifier classifier(rules, database);
    for (const auto& deck : decks) {
      Tarvane::ArchetypeHow how = classifier.Classify(*deck).how;
      by_rule += how == Tarvane::ArchetypeHow::Rule || how == Tarvane::ArchetypeHow::Conflict;
      by_fallback += how == Tarvane::ArchetypeHow::Fallback;
      unknown += how == Tarvane::ArchetypeHow::Unknown;
    }
  });
  const std::string rule = std::to_string(by_rule), fallback = std::to_string(by_fallback),
                    none = std::to_string(unknown), cards = std::to_string(baseline_cards);
  TarvaneBench::PrintNote("archetypes: " + rule + " decks by rule or conflict, " + fallback +
                              " by fallback, " + none + " unknown (" + cards + " cards)",
                          "アーキタイプ: 規則か競合で " + rule + " デッキ、フォールバックで " +
                              fallback + " デッキ、不明 " + none + " デッキ (カード " + cards +
                              " 枚)");
  TarvaneBench::PrintFigure("archetype labelling of 10,000 decks",
                            "10,000 デッキのアーキタイプ判定", labelling, "s");
  TarvaneBench::PrintFigure("card sets of 10,000 decks", "10,000 デッキのカード集合", baseline,
                            "s");
  TarvaneBench::PrintRatio("archetype_labelling_vs_card_sets", labelling / baseline, 3.0);
}

}  // namespace
