#pragma once
// A rule folder as the community publishes one per format: Archetypes/*.json (an archetype is
// the decks that meet all its conditions), Fallbacks/*.json (families of decks recognised by
// their common cards when no archetype fits), and the colours of cards that their mana costs do
// not tell (color_overrides.json in the folder, card_colors.json there or one level up).
//
// Card names are stored as the program spells them: in its code page and through the same name
// mapping as imported deck lists, so that a rule and a deck naming one card meet.
#include <string>
#include <unordered_map>
#include <vector>

namespace Tarvane {

class CardNameResolver;

struct ArchetypeCondition {
  enum class Quantity { Every, OneOrMore, TwoOrMore, NoneOf };
  enum class Place { Mainboard, Sideboard, MainOrSideboard };

  Quantity quantity = Quantity::Every;
  Place place = Place::Mainboard;
  std::vector<std::string> cards;
};

struct ArchetypeRule {
  std::string name;
  bool include_color_in_name = false;
  std::vector<ArchetypeCondition> conditions;
  // Narrower names for decks of this archetype; the first that fits wins.
  std::vector<ArchetypeRule> variants;
};

struct ArchetypeFallback {
  std::string name;
  bool include_color_in_name = false;
  std::vector<std::string> common_cards;
};

// What the colour files say of one card.
struct CardColorNote {
  std::string colors;  // letters of W, U, B, R and G
  bool land = false;
};

struct ArchetypeRuleSet {
  using ColorNotes = std::unordered_map<std::string, CardColorNote>;

  std::string folder;
  std::vector<ArchetypeRule> archetypes;  // in byte order of their file names
  std::vector<ArchetypeFallback> fallbacks;
  // By card name as the program spells it, letter case as written.
  ColorNotes color_overrides;
  ColorNotes card_colors;
  // One sentence per file that could not be read and per archetype left out.
  std::vector<std::string> problems;

  // "アーキタイプ 150 件、フォールバック 8 件を読み込みました。"
  std::string Summary() const;
};

// The condition of a type name, letter case ignored ("OneOrMoreINMainboard" is read); false for
// a type the rules do not have.
bool ReadConditionType(const std::string& type, ArchetypeCondition& condition);

// Reads the rule folder (a CP932 path). A file that cannot be read or holds no rule is noted in
// `problems` and the others still load; a folder without Archetypes and Fallbacks is one problem.
ArchetypeRuleSet LoadArchetypeRuleSet(const std::string& folder, const CardNameResolver& names);

}  // namespace Tarvane
