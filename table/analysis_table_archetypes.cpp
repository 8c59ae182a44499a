// The archetypes of the loaded decks: the rule folder, and the labelling of every deck once per
// change of the rules or the decks, so that views read a stored label.
#include "model/archetype/archetype_classifier.h"
#include "model/archetype/archetype_rules.h"
#include "model/deck.h"
#include "model/import/card_name_resolver.h"
#include "table/analysis_table.h"
#include "ttl/core/tt_language.h"

namespace Tarvane {

std::vector<std::string> AnalysisTable::SetArchetypeRules(const std::string& folder) {
  std::vector<std::string> report;
  classifier_.reset();
  archetype_rule_folder_ = folder;
  if (!folder.empty()) {
    CardDatabase& database = script_host_.GetCardDatabase();
    ArchetypeRuleSet rules = LoadArchetypeRuleSet(folder, CardNameResolver(database));
    report = rules.problems;
    // A folder without a single usable rule would call every deck Unknown; the decks keep
    // their own names instead, and the caller learns that the folder gave nothing.
    if (rules.archetypes.empty() && rules.fallbacks.empty()) {
      report.push_back(
          TtLanguage::Text("With no rule to use, the archetypes stay the decks' names.",
                           "使える規則がないため、アーキタイプはデッキの名前のままです。"));
    } else {
      classifier_ = std::make_unique<ArchetypeClassifier>(rules, database);
      report.push_back(rules.Summary());
    }
  }
  LabelDecks(true);
  UpdateDeckColumnToolTips();
  RunGuarded([this] { script_host_.RenewScriptDeckList(); });
  Refresh();
  return report;
}

std::optional<std::string> AnalysisTable::GetColumnArchetype(int column) {
  const ColumnInfo* info = GetColumnInfo(column);
  if (!info || info->deck) return std::nullopt;
  std::optional<std::string> archetype;
  RunGuarded([&] { archetype = script_host_.GetProcessorArchetype(info->processor); });
  return archetype;
}

void AnalysisTable::UpdateDeckColumnToolTips() {
  for (size_t column = 0; column < columns_.size(); ++column) {
    const Deck* deck = columns_[column]->deck.get();
    if (!deck) continue;
    const int index = static_cast<int>(column);
    list_.SetColumnToolTip(index, ColumnToolTip(list_.GetColumnText(index), deck));
  }
}

void AnalysisTable::LabelDecks(bool every_deck) {
  bool ask_scripts = true;
  for (const std::shared_ptr<Deck>& deck : script_host_.GetDecks()) {
    if (!every_deck && deck->archetype_label()) continue;
    ArchetypeLabel label = classifier_ ? classifier_->Classify(*deck) : LabelWithoutRules(*deck);
    if (ask_scripts) {
      ask_scripts = RunGuarded([&] {
        if (auto decided = script_host_.DecideArchetype(*deck, label)) {
          label = {*decided, ArchetypeHow::Script};
        }
      });
    }
    deck->set_archetype_label(std::move(label));
  }
}

}  // namespace Tarvane
