#pragma once
// Which chart to make from the analysis table, and making it: the kinds of chart the window's
// choice and tarvane-cli's --chart offer, with their settings.
#include <optional>
#include <string>

#include "table/chart_data.h"

namespace Tarvane {

class AnalysisTable;

enum class ChartKind { Metagame, Adoption, ManaCurve };

struct ChartRequest {
  ChartKind kind = ChartKind::Metagame;
  // Metagame: archetypes with a smaller share (in percent) are gathered as one.
  double other_threshold_percent = 2.0;
  // Adoption: the card, by the name the deck lists use or by its Japanese name.
  std::string card;
  // Adoption and mana curve: only the decks of this archetype; empty for no narrowing.
  std::string archetype;
  // Mana curve: one stacked part per card type.
  bool split_by_type = false;
};

// The word tarvane-cli takes for the kind (metagame, adoption, curve).
std::optional<ChartKind> ChartKindOf(const std::string& word);

// The chart of the table's decks. The metagame and the adoption are over every loaded deck, the
// mana curve over the decks shown as columns (every loaded deck when none is); an archetype
// narrows the last two to its decks. The adoption shows the boards the table shows.
ChartData MakeChart(AnalysisTable& table, const ChartRequest& request);

}  // namespace Tarvane
