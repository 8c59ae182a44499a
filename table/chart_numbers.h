#pragma once
// The numbers behind the metagame charts, computed from decks and the card database alone: the
// share of each archetype, how many copies of a card the decks play, and the mana curve.
#include <array>
#include <memory>
#include <string>
#include <vector>

namespace Tarvane {

class CardDatabase;
class Deck;

using ChartDecks = std::vector<std::shared_ptr<Deck>>;

struct ArchetypeShare {
  std::string archetype;
  int decks = 0;
  double percent = 0;
  // The archetypes under the threshold, gathered under one name.
  bool gathered = false;
};

// The label of the gathered archetypes.
extern const char kOtherArchetypes[];

// Each archetype's share of the decks, the largest first (equal shares by name); archetypes whose
// share is below the threshold (in percent) are gathered into one last share when two or more
// of them are. No decks give no shares.
std::vector<ArchetypeShare> ArchetypeShares(const ChartDecks& decks, double threshold_percent);

// The decks whose archetype is the name, in their order.
ChartDecks DecksOfArchetype(const ChartDecks& decks, const std::string& archetype);

// The archetype names of the decks, the most played first (equal counts by name).
std::vector<std::string> ArchetypeNames(const ChartDecks& decks);

// Copies of a card: 0, 1, 2, 3, and 4 or more.
constexpr int kCopyBuckets = 5;
using CopyCounts = std::array<int, kCopyBuckets>;

struct CardAdoption {
  int decks = 0;
  // Decks by the number of copies they play, per BoardType code (the hybrid board is the sum of
  // the main deck and the sideboard).
  std::array<CopyCounts, 3> by_board{};
};

CardAdoption CardAdoptionOf(const ChartDecks& decks, const std::string& card_name);

// Converted mana costs 0 to 6, and 7 or more.
constexpr int kCostBuckets = 8;
using CostAverages = std::array<double, kCostBuckets>;

// The card types a mana curve is split by; everything else that is no land is Other.
enum class CurveType { Creature, Instant, Sorcery, Enchantment, Artifact, Planeswalker, Other };
constexpr int kCurveTypes = 7;
const char* CurveTypeName(CurveType type);

struct ManaCurve {
  int decks = 0;
  // The average number of main-deck cards per deck, per type and cost.
  std::array<CostAverages, kCurveTypes> by_type{};
  // Main-deck copies of cards the dictionary lacks: their cost is not known, so they are left
  // out rather than counted as free.
  long long unknown_copies = 0;

  CostAverages Total() const;
};

// The average mana curve of the decks' main decks, lands left out.
ManaCurve ManaCurveOf(const ChartDecks& decks, CardDatabase& card_database);

}  // namespace Tarvane
