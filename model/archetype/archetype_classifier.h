#pragma once
// Names a deck's archetype by a rule folder. The rules are compiled once: every card that a rule
// names gets a number, and each deck's boards become a mark per numbered card, so that testing
// a hundred archetypes against a deck costs about as much as building the deck's card set.
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/archetype/archetype_label.h"
#include "model/archetype/archetype_rules.h"
#include "model/import/card_name_resolver.h"

namespace Tarvane {

class CardDatabase;
class Deck;

// The label of a deck when no rule folder is set: its ARCHETYPE header, else its NAME header,
// else its file name.
ArchetypeLabel LabelWithoutRules(const Deck& deck);

// The deck's label as its labelling left it, or LabelWithoutRules before that.
ArchetypeLabel ArchetypeLabelOf(const Deck& deck);

// The colour name of a set of colour letters ("UR" gives "Izzet", "" gives "Colorless").
std::string ColorName(const std::string& letters);

class ArchetypeClassifier {
public:
  // The database gives the mana costs and types of cards that the colour files do not list, and
  // the names it knows now map card names the way imports do.
  ArchetypeClassifier(const ArchetypeRuleSet& rules, CardDatabase& card_database);

  // The deck's label: its ARCHETYPE header, else by the rules.
  ArchetypeLabel Classify(const Deck& deck);

  // The deck's colour letters in WUBRG order, from its main deck.
  std::string DeckColors(const Deck& deck);

private:
  struct Condition {
    ArchetypeCondition::Quantity quantity;
    uint8_t places;  // a mask of kInMainboard and kInSideboard
    std::vector<int> cards;
  };
  struct Rule {
    std::string name;
    bool include_color_in_name;
    std::vector<Condition> conditions;
    std::vector<Rule> variants;
  };
  struct Fallback {
    std::string name;
    bool include_color_in_name;
    std::vector<int> common_cards;
  };
  struct CardColors {
    uint8_t colors = 0;  // a mask of WUBRG
    bool land = false;
  };
  static constexpr uint8_t kInMainboard = 1;
  static constexpr uint8_t kInSideboard = 2;

  // The name as the program spells it, letter case folded and a double-faced card's front face
  // standing for the card, so that every spelling of one card gives one key.
  std::string CardKey(const std::string& name) const;
  int NumberOf(const std::string& rule_card);
  Rule Compile(const ArchetypeRule& rule);
  // The number of a card a deck names, -1 when no rule names it; remembered per spelling.
  int NumberOfDeckCard(const std::string& name);
  void MarkBoards(const Deck& deck);
  void ClearMarks();
  bool Holds(const Condition& condition) const;
  bool HoldsAll(const std::vector<Condition>& conditions) const;
  std::string Named(const std::string& name, bool include_color, const Deck& deck);
  ArchetypeLabel ByFallbacks(const Deck& deck);
  const CardColors& ColorsOf(const std::string& deck_card);

  CardDatabase& card_database_;
  CardNameResolver names_;
  std::unordered_map<std::string, CardColors> color_notes_;  // by card key
  std::unordered_map<std::string, int> numbers_;             // by card key
  std::unordered_map<std::string, int> deck_card_numbers_;   // by the deck's spelling
  std::unordered_map<std::string, CardColors> deck_card_colors_;
  std::vector<Rule> archetypes_;
  std::vector<Fallback> fallbacks_;
  std::vector<uint8_t> marks_;  // per card number, the boards that hold it
  std::vector<int> marked_;
};

}  // namespace Tarvane
