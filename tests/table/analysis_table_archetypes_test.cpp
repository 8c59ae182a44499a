// The archetypes of the loaded decks: labelled once per change of the rule folder or the decks,
// seen by scripts, decided by a script where it wants, and averaged per archetype.
#include <gtest/gtest.h>

#include <cstdlib>

#include "table/average_deck.h"
#include "tests/table/table_test_support.h"

namespace TarvaneTest {
namespace {

using Tarvane::ArchetypeHow;
using Tarvane::ArchetypeLabel;
using Tarvane::DeckArchetypeLabel;

std::string RuleFolder() {
  return std::string(std::getenv("TARVANE_TEST_DATA")) + "/archetypes/Modern";
}

class ArchetypeTableTest : public TableTest {
protected:
  std::vector<ArchetypeLabel> Labels() {
    std::vector<ArchetypeLabel> labels;
    for (const auto& deck : vm->GetDecks()) labels.push_back(DeckArchetypeLabel(*deck));
    return labels;
  }
};

TEST_F(ArchetypeTableTest, ChangingTheFolderRelabelsTheLoadedDecks) {
  folder.Write("decks/named.txt", "#NAME Blue\n4 Counterspell\n");
  table->AddDeckFiles({folder.burn, folder.blue, folder.Join("decks/named.txt")});
  EXPECT_EQ(Labels()[0], (ArchetypeLabel{"burn.txt", ArchetypeHow::Name}));

  std::vector<std::string> report = table->SetArchetypeRules(RuleFolder());
  ASSERT_EQ(report.size(), 3u);  // two bad files, then the summary
  EXPECT_EQ(report.back(), "アーキタイプ 4 件、フォールバック 2 件を読み込みました。");
  EXPECT_EQ(Labels(),
            (std::vector<ArchetypeLabel>{{"Mono Red Burn", ArchetypeHow::Rule},
                                         {"Mono Blue GenericControl", ArchetypeHow::Fallback},
                                         {"Mono Blue GenericControl", ArchetypeHow::Fallback}}));
  EXPECT_EQ(vm->GetDecks().size(), 3u);

  // A deck loaded now is labelled as it comes; no folder brings the deck's own names back.
  folder.Write("decks/mine.txt", "#ARCHETYPE Mine\n4 Lightning Bolt\n4 Goblin Guide\n");
  table->AddDeckFiles({folder.Join("decks/mine.txt")});
  EXPECT_EQ(Labels()[3], (ArchetypeLabel{"Mine", ArchetypeHow::Header}));
  EXPECT_TRUE(table->SetArchetypeRules("").empty());
  EXPECT_EQ(Labels()[2], (ArchetypeLabel{"Blue", ArchetypeHow::Name}));
}

TEST_F(ArchetypeTableTest, ScriptsSeeTheArchetypeAndMayDecideIt) {
  Start(R"(
::Organizer.decide_archetype <- function(deck, name, how) {
  ::seen.append(how);
  return deck.file_name == "blue.txt" ? "Draw-Go" : null;
}
::seen <- [];
)");
  table->SetArchetypeRules(RuleFolder());
  table->AddDeckFiles({folder.burn, folder.blue});
  EXPECT_EQ(Labels()[1], (ArchetypeLabel{"Draw-Go", ArchetypeHow::Script}));
  EXPECT_EQ(EvalScript(*vm, "::Organizer.decks[0].archetype()"), "Mono Red Burn");
  EXPECT_EQ(
      EvalScript(*vm,
                 "::Organizer.decks[1].archetype() + \" \" + ::Organizer.decks[1].archetype_how()"),
      "Draw-Go script");
  EXPECT_EQ(EvalScript(*vm, "::seen.len() + \" \" + ::seen[0] + \" \" + ::seen[1]"),
            "2 rule fallback");
}

TEST_F(ArchetypeTableTest, AFailingScriptIsShownOnceAndTheRulesStay) {
  Start("::Organizer.decide_archetype <- function(deck, name, how) { throw \"だめ\"; }\n");
  table->AddDeckFiles({folder.burn, folder.blue});
  reporter.messages.clear();
  table->SetArchetypeRules(RuleFolder());
  EXPECT_EQ(Captions(), std::vector<std::string>{"拡張スクリプトのエラー"});
  EXPECT_EQ(Labels()[0].name, "Mono Red Burn");
  EXPECT_EQ(Labels()[1].how, ArchetypeHow::Fallback);
}

TEST_F(ArchetypeTableTest, TheAverageDeckOfOneArchetype) {
  folder.Write("decks/burn2.txt", "2 Lightning Bolt\n4 Goblin Guide\n4 Mountain\n");
  table->AddDeckFiles({folder.burn, folder.blue, folder.Join("decks/burn2.txt")});
  table->SetArchetypeRules(RuleFolder());
  const std::string path = folder.Join("average.txt");
  ASSERT_TRUE(Tarvane::WriteArchetypeAverageDeckFile(*table, "Mono Red Burn", path, reporter));
  std::string text = ScratchFolder::Read(path);
  EXPECT_EQ(text.substr(0, text.find('\n')), "#NAME 平均デッキ: Mono Red Burn 2 (2デッキ)");
  EXPECT_EQ(text.find("Counterspell"), std::string::npos);
  reporter.messages.clear();
  EXPECT_FALSE(Tarvane::WriteArchetypeAverageDeckFile(*table, "Jund", path, reporter));
  ASSERT_EQ(reporter.messages.size(), 1u);
  EXPECT_EQ(reporter.messages[0].text, "アーキタイプ「Jund」のデッキがありません。");
}

}  // namespace
}  // namespace TarvaneTest
