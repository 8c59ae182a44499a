#include "model/archetype/archetype_classifier.h"

#include <algorithm>
#include <cstring>

#include "model/card_database.h"
#include "model/card_type.h"
#include "model/deck.h"
#include "ttl/core/tt_utility.h"

namespace Tarvane {

namespace {

constexpr const char* kColorLetters = "WUBRG";

uint8_t ColorMask(const std::string& letters) {
  uint8_t mask = 0;
  for (int i = 0; i < 5; ++i) {
    if (letters.find(kColorLetters[i]) != std::string::npos) mask |= static_cast<uint8_t>(1 << i);
  }
  return mask;
}

// The colours of a mana cost: every W, U, B, R and G in it, so that a hybrid symbol ({W/U})
// gives both, a Phyrexian one ({G/P}) its colour, and costs written without braces (1RR) work.
uint8_t ManaCostColors(const std::string& cost) {
  uint8_t mask = 0;
  for (char c : cost) {
    const char* letter = c != '\0' ? std::strchr(kColorLetters, c) : nullptr;
    if (letter) mask |= static_cast<uint8_t>(1 << (letter - kColorLetters));
  }
  return mask;
}

std::string HeaderValue(const Deck& deck, const char* key) {
  auto found = deck.headers().find(key);
  return found == deck.headers().end() ? std::string() : found->second;
}

}  // namespace

const char* ArchetypeHowWord(ArchetypeHow how) {
  switch (how) {
    case ArchetypeHow::Header:
      return "header";
    case ArchetypeHow::Rule:
      return "rule";
    case ArchetypeHow::Conflict:
      return "conflict";
    case ArchetypeHow::Fallback:
      return "fallback";
    case ArchetypeHow::Unknown:
      return "unknown";
    case ArchetypeHow::Name:
      return "name";
    case ArchetypeHow::Script:
      return "script";
  }
  return "name";
}

const char* ArchetypeHowText(ArchetypeHow how) {
  switch (how) {
    case ArchetypeHow::Header:
      return "ヘッダー";
    case ArchetypeHow::Rule:
      return "規則";
    case ArchetypeHow::Conflict:
      return "競合";
    case ArchetypeHow::Fallback:
      return "フォールバック";
    case ArchetypeHow::Unknown:
      return "不明";
    case ArchetypeHow::Name:
      return "デッキ名";
    case ArchetypeHow::Script:
      return "スクリプト";
  }
  return "デッキ名";
}

ArchetypeLabel LabelWithoutRules(const Deck& deck) {
  std::string header = HeaderValue(deck, "ARCHETYPE");
  if (!header.empty()) return {header, ArchetypeHow::Header};
  std::string name = HeaderValue(deck, "NAME");
  return {name.empty() ? deck.file_name() : name, ArchetypeHow::Name};
}

ArchetypeLabel ArchetypeLabelOf(const Deck& deck) {
  const ArchetypeLabel* label = deck.archetype_label();
  return label ? *label : LabelWithoutRules(deck);
}

std::string ColorName(const std::string& letters) {
  // Indexed by the mask of WUBRG (W = 1, U = 2, B = 4, R = 8, G = 16).
  static const char* const kNames[32] = {
      "Colorless", "Mono White", "Mono Blue",  "Azorius",  "Mono Black", "Orzhov", "Dimir",
      "Esper",     "Mono Red",   "Boros",      "Izzet",    "Jeskai",     "Rakdos", "Mardu",
      "Grixis",    "4 Color",    "Mono Green", "Selesnya", "Simic",      "Bant",   "Golgari",
      "Abzan",     "Sultai",     "4 Color",    "Gruul",    "Naya",       "Temur",  "4 Color",
      "Jund",      "4 Color",    "4 Color",    "5 Color"};
  return kNames[ColorMask(letters)];
}

ArchetypeClassifier::ArchetypeClassifier(const ArchetypeRuleSet& rules, CardDatabase& card_database)
    : card_database_(card_database), names_(card_database) {
  for (const ArchetypeRule& rule : rules.archetypes) archetypes_.push_back(Compile(rule));
  for (const ArchetypeFallback& fallback : rules.fallbacks) {
    Fallback compiled{fallback.name, fallback.include_color_in_name, {}};
    for (const std::string& card : fallback.common_cards) {
      compiled.common_cards.push_back(NumberOf(card));
    }
    fallbacks_.push_back(std::move(compiled));
  }
  // The colour files first, overrides last, so that an override wins; a land stays a land.
  for (const auto* notes : {&rules.card_colors, &rules.color_overrides}) {
    for (const auto& [name, note] : *notes) {
      CardColors& colors = color_notes_[CardKey(name)];
      colors.land = colors.land || note.land;
      colors.colors = ColorMask(note.colors);
    }
  }
  marks_.assign(numbers_.size(), 0);
}

std::string ArchetypeClassifier::CardKey(const std::string& name) const {
  std::string resolved = names_.Resolve(name);
  if (resolved.empty()) resolved = name;
  // Lists name a transform, modal double-faced, adventure or flip card by its front face or by
  // both faces; the front face stands for the card either way.
  const size_t slash = resolved.find('/');
  if (slash != std::string::npos && slash > 0) {
    resolved.erase(slash);
    while (!resolved.empty() && resolved.back() == ' ') resolved.pop_back();
  }
  return TtUtility::Cp932ToLowerAscii(resolved);
}

int ArchetypeClassifier::NumberOf(const std::string& rule_card) {
  auto [found, added] = numbers_.try_emplace(CardKey(rule_card), static_cast<int>(numbers_.size()));
  return found->second;
}

ArchetypeClassifier::Rule ArchetypeClassifier::Compile(const ArchetypeRule& rule) {
  Rule compiled{rule.name, rule.include_color_in_name, {}, {}};
  for (const ArchetypeCondition& condition : rule.conditions) {
    Condition compiled_condition{condition.quantity, 0, {}};
    switch (condition.place) {
      case ArchetypeCondition::Place::Mainboard:
        compiled_condition.places = kInMainboard;
        break;
      case ArchetypeCondition::Place::Sideboard:
        compiled_condition.places = kInSideboard;
        break;
      case ArchetypeCondition::Place::MainOrSideboard:
        compiled_condition.places = kInMainboard | kInSideboard;
        break;
    }
    // One card listed twice, or under two spellings, is still one card.
    for (const std::string& card : condition.cards)
      compiled_condition.cards.push_back(NumberOf(card));
    std::sort(compiled_condition.cards.begin(), compiled_condition.cards.end());
    compiled_condition.cards.erase(
        std::unique(compiled_condition.cards.begin(), compiled_condition.cards.end()),
        compiled_condition.cards.end());
    compiled.conditions.push_back(std::move(compiled_condition));
  }
  for (const ArchetypeRule& variant : rule.variants) compiled.variants.push_back(Compile(variant));
  return compiled;
}

int ArchetypeClassifier::NumberOfDeckCard(const std::string& name) {
  auto cached = deck_card_numbers_.find(name);
  if (cached != deck_card_numbers_.end()) return cached->second;
  auto found = numbers_.find(CardKey(name));
  const int number = found == numbers_.end() ? -1 : found->second;
  deck_card_numbers_.emplace(name, number);
  return number;
}

void ArchetypeClassifier::MarkBoards(const Deck& deck) {
  for (const auto& [board, place] :
       {std::pair{&deck.mainboard(), kInMainboard}, std::pair{&deck.sideboard(), kInSideboard}}) {
    for (const auto& [name, count] : board->cards()) {
      if (count <= 0) continue;
      const int number = NumberOfDeckCard(name);
      if (number < 0) continue;
      if (marks_[number] == 0) marked_.push_back(number);
      marks_[number] |= place;
    }
  }
}

void ArchetypeClassifier::ClearMarks() {
  for (int number : marked_) marks_[number] = 0;
  marked_.clear();
}

bool ArchetypeClassifier::Holds(const Condition& condition) const {
  int present = 0;
  for (int card : condition.cards) {
    if (marks_[card] & condition.places) ++present;
  }
  const int listed = static_cast<int>(condition.cards.size());
  switch (condition.quantity) {
    case ArchetypeCondition::Quantity::Every:
      return present == listed;
    case ArchetypeCondition::Quantity::OneOrMore:
      return present >= 1;
    case ArchetypeCondition::Quantity::TwoOrMore:
      return present >= 2;
    case ArchetypeCondition::Quantity::NoneOf:
      return present == 0;
  }
  return false;
}

bool ArchetypeClassifier::HoldsAll(const std::vector<Condition>& conditions) const {
  return std::all_of(conditions.begin(), conditions.end(),
                     [this](const Condition& condition) { return Holds(condition); });
}

std::string ArchetypeClassifier::Named(const std::string& name, bool include_color,
                                       const Deck& deck) {
  return include_color ? ColorName(DeckColors(deck)) + " " + name : name;
}

ArchetypeLabel ArchetypeClassifier::Classify(const Deck& deck) {
  std::string header = HeaderValue(deck, "ARCHETYPE");
  if (!header.empty()) return {header, ArchetypeHow::Header};
  MarkBoards(deck);
  std::vector<std::string> matches;
  for (const Rule& archetype : archetypes_) {
    if (!HoldsAll(archetype.conditions)) continue;
    const Rule* naming = &archetype;
    for (const Rule& variant : archetype.variants) {
      if (HoldsAll(variant.conditions)) {
        naming = &variant;
        break;
      }
    }
    matches.push_back(Named(naming->name, naming->include_color_in_name, deck));
  }
  ArchetypeLabel label;
  if (matches.size() == 1) {
    label = {matches.front(), ArchetypeHow::Rule};
  } else if (matches.size() > 1) {
    std::sort(matches.begin(), matches.end());
    std::string joined = matches.front();
    for (size_t i = 1; i < matches.size(); ++i) joined += " / " + matches[i];
    label = {joined, ArchetypeHow::Conflict};
  } else {
    label = ByFallbacks(deck);
  }
  ClearMarks();
  return label;
}

ArchetypeLabel ArchetypeClassifier::ByFallbacks(const Deck& deck) {
  const Fallback* best = nullptr;
  size_t best_present = 0;
  for (const Fallback& fallback : fallbacks_) {
    size_t present = 0;
    for (int card : fallback.common_cards) {
      if (marks_[card] & kInMainboard) ++present;
    }
    // present / size compared without rounding; the first of equal scores stays.
    if (!best ||
        present * best->common_cards.size() > best_present * fallback.common_cards.size()) {
      best = &fallback;
      best_present = present;
    }
  }
  // Under one tenth of the common cards is no resemblance.
  if (!best || best_present * 10 < best->common_cards.size())
    return {"Unknown", ArchetypeHow::Unknown};
  return {Named(best->name, best->include_color_in_name, deck), ArchetypeHow::Fallback};
}

const ArchetypeClassifier::CardColors& ArchetypeClassifier::ColorsOf(const std::string& deck_card) {
  auto cached = deck_card_colors_.find(deck_card);
  if (cached != deck_card_colors_.end()) return cached->second;
  CardColors colors;
  bool noted = false;
  auto note = color_notes_.find(CardKey(deck_card));
  if (note != color_notes_.end()) {
    colors = note->second;
    noted = true;
  }
  // A deck may spell a card otherwise than the dictionary; its card is the one the name maps to.
  const std::string known = names_.Resolve(deck_card);
  if (!known.empty()) {
    const Card& card = card_database_.fetch(known);
    if (!noted) colors.colors = ManaCostColors(card.mana_cost);
    colors.land = colors.land || card.type == CardType::Land;
  }
  return deck_card_colors_.emplace(deck_card, colors).first->second;
}

std::string ArchetypeClassifier::DeckColors(const Deck& deck) {
  uint8_t spells = 0, lands = 0;
  bool has_spell = false;
  for (const auto& [name, count] : deck.mainboard().cards()) {
    if (count <= 0) continue;
    const CardColors& colors = ColorsOf(name);
    if (colors.land) {
      lands |= colors.colors;
    } else {
      spells |= colors.colors;
      has_spell = true;
    }
  }
  const uint8_t mask = has_spell ? spells : lands;
  std::string letters;
  for (int i = 0; i < 5; ++i) {
    if (mask & (1 << i)) letters += kColorLetters[i];
  }
  return letters;
}

}  // namespace Tarvane
