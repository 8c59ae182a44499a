#pragma once
// What one dictionary line says about a card, still in UTF-8: the card's full name and, for the
// cards that deck lists name by their front face, a second record under that face's name.
#include <string>
#include <string_view>
#include <vector>

#include "tools/source_card.h"

namespace Tarvane {

struct DictionaryRecord {
  std::string name;
  std::string name_japanese;  // empty when the data has no Japanese name of its own
  std::string mana_cost;
  int mana_value = 0;
  std::string type_text;
  std::string type_name;  // a name of the card type table, or empty for any other type
  std::string power_and_toughness;
  std::vector<std::string> paragraphs;
};

// The records of one card in writing order: the full name first, then the front face's name.
// japanese_text chooses the Japanese rules text where the data has it.
std::vector<DictionaryRecord> MakeDictionaryRecords(const SourceCard& card, bool japanese_text);

// The type table's name for the first type of a type line that the table knows, in the order
// Land, Creature, Planeswalker, Instant, Sorcery, Artifact, Enchantment, Conspiracy, Phenomenon,
// Plane; empty when none is there. Only the front face (before " // ") counts.
std::string PrimaryTypeName(std::string_view type_line);

// The mana value as the dictionary's integer field: fractions rounded down.
int ManaValueField(double mana_value);

}  // namespace Tarvane
