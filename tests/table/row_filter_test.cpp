// Filtering rows and finding rows and columns: through the table as the window uses it, over
// the test decks (burn, blue) and a third deck of burn's archetype.
#include <gtest/gtest.h>

#include "model/card_type.h"
#include "table/row_filter.h"
#include "table/table_export.h"
#include "table/table_find.h"
#include "table/text_match.h"
#include "tests/table/table_test_support.h"

namespace TarvaneTest {
namespace {

class RowFilterTest : public TableTest {
protected:
  void SetUp() override {
    TableTest::SetUp();
    std::string red =
        folder.Write("decks/red.txt", "#ARCHETYPE Burn\n4 Lightning Bolt\n20 Mountain\n");
    std::string burn = folder.Write("decks/burn2.txt", "#ARCHETYPE Burn\n" + BurnDeck());
    table->AddDeckFiles({folder.burn, folder.blue, red, burn});
  }

  void Filter(const Tarvane::RowFilter& filter) { table->SetRowFilter(filter); }
};

// Column 0 holds the Japanese names; the rows sort by board, card before total, English name.
TEST_F(RowFilterTest, EachConditionKeepsMatchingCardRowsAndEveryTotal) {
  Filter({Tarvane::CardType::Land, 0, "", ""});
  EXPECT_EQ(Column(0), (std::vector<std::string>{"島", "山", "メイン合計", "山", "サイド合計"}));

  // Mountain is in three main decks; Lightning Bolt in three main decks and two sideboards.
  Filter({0, 3, "", ""});
  EXPECT_EQ(Column(0), (std::vector<std::string>{"稲妻", "山", "メイン合計", "サイド合計"}));

  Filter({0, 0, "Burn", ""});
  EXPECT_EQ(Column(0), (std::vector<std::string>{"ゴブリンの先達", "稲妻", "山", "メイン合計",
                                                 "稲妻", "Smash", "サイド合計"}));

  // The text is looked for in both names, the type line and the rules text, in either case.
  Filter({0, 0, "", "goblin"});
  EXPECT_EQ(Column(0), (std::vector<std::string>{"ゴブリンの先達", "メイン合計", "サイド合計"}));
  Filter({0, 0, "", "稲妻"});
  EXPECT_EQ(Column(0), (std::vector<std::string>{"稲妻", "メイン合計", "稲妻", "サイド合計"}));
}

TEST_F(RowFilterTest, ConditionsCombineAndTheStatusBarNamesThem) {
  Filter({Tarvane::CardType::Instant, 2, "Burn", ""});
  EXPECT_EQ(Column(0), (std::vector<std::string>{"稲妻", "メイン合計", "稲妻", "サイド合計"}));
  EXPECT_EQ(status_bar.texts[Tarvane::StatusBarTexts::kFilterPart],
            "絞り込み : インスタント, 2デッキ以上, アーキタイプ「Burn」");
}

TEST_F(RowFilterTest, FilterOutlivesRefreshAndBoardChangeUntilClearedOrReset) {
  Filter({0, 0, "", "Mountain"});
  table->SetBoardMode(Tarvane::MainboardOnly);
  EXPECT_EQ(Column(0), (std::vector<std::string>{"山", "メイン合計"}));
  // The scripts still see every row of the viewed boards.
  EXPECT_EQ(vm->GetRows().size(), 6u);

  Filter({});
  EXPECT_EQ(Column(0).size(), 6u);
  EXPECT_EQ(status_bar.texts[Tarvane::StatusBarTexts::kFilterPart], "");

  Filter({0, 0, "", "Mountain"});
  table->Reset();
  EXPECT_TRUE(table->GetRowFilter().IsEmpty());
  EXPECT_EQ(status_bar.texts[Tarvane::StatusBarTexts::kFilterPart], "");
}

TEST_F(RowFilterTest, ExportWritesOnlyTheShownRows) {
  Filter({Tarvane::CardType::Creature, 0, "", ""});
  EXPECT_EQ(Tarvane::BuildTableText(list, ","),
            "\"カード名\"\r\n\"ゴブリンの先達\"\r\n\"メイン合計\"\r\n\"サイド合計\"\r\n");
}

TEST_F(RowFilterTest, FindCyclesThroughShownRowsByEitherName) {
  // "mountain" and "山" name the same two rows (main deck and sideboard).
  Tarvane::FindResult first = Tarvane::FindRow(*table, "mountain", -1);
  EXPECT_EQ(Column(0)[first.index], "山");
  EXPECT_EQ(first.position, 1);
  EXPECT_EQ(first.count, 2);
  Tarvane::FindResult second = Tarvane::FindRow(*table, "山", first.index);
  EXPECT_GT(second.index, first.index);
  EXPECT_EQ(second.position, 2);
  EXPECT_EQ(Tarvane::FindRow(*table, "山", second.index).index, first.index);
  EXPECT_EQ(Tarvane::FindRow(*table, "山", first.index, true).index, second.index);
  EXPECT_EQ(Tarvane::FindRow(*table, "山", -1, true).index, second.index);
  EXPECT_EQ(Tarvane::FindStatusText("山", second), "「山」 2 / 2 件");

  Tarvane::FindResult none = Tarvane::FindRow(*table, "Forest", -1);
  EXPECT_EQ(none.index, -1);
  EXPECT_EQ(Tarvane::FindStatusText("Forest", none), "「Forest」は見つかりません");
  EXPECT_EQ(Tarvane::FindRow(*table, "", -1).index, -1);

  // A row the filter hides is not found.
  Filter({Tarvane::CardType::Instant, 0, "", ""});
  EXPECT_EQ(Tarvane::FindRow(*table, "Mountain", -1).count, 0);
}

TEST_F(RowFilterTest, FindColumnMatchesHeadersAndDeckFileNames) {
  table->AddAllDeckColumns();
  EXPECT_EQ(Tarvane::FindColumn(*table, "BLUE", -1).index, 2);
  // burn.txt and burn2.txt: the second find goes on to the next, the third wraps round.
  Tarvane::FindResult first = Tarvane::FindColumn(*table, "burn", -1);
  Tarvane::FindResult second = Tarvane::FindColumn(*table, "burn", first.index);
  EXPECT_EQ(first.index, 1);
  EXPECT_EQ(second.index, 4);
  EXPECT_EQ(Tarvane::FindColumn(*table, "burn", second.index).index, 1);
}

TEST(TextMatchTest, MatchesOnlyWholeCharacters) {
  EXPECT_TRUE(Tarvane::ContainsText("Lightning Bolt", "BOLT"));
  EXPECT_TRUE(Tarvane::ContainsText("anything", ""));
  // "ソ" is 0x83 0x5C in CP932: its second byte is the backslash, and "ボ" (0x83 0x7B) holds "{".
  EXPECT_FALSE(Tarvane::ContainsText("\x83\x5C", "\\"));
  EXPECT_FALSE(Tarvane::ContainsText("\x83\x7B", "{"));
  EXPECT_TRUE(Tarvane::ContainsText("a\x83\x5C\\", "\\"));
  // The second byte of "ア" (0x83 0x41) is "A"; folding case must not turn it into "a".
  EXPECT_FALSE(Tarvane::ContainsText("\x83\x41", "a"));
}

}  // namespace
}  // namespace TarvaneTest
