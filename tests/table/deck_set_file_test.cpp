// Deck set files: what the table shows, saved and opened again in a fresh table; paths that
// move with the file; decks that went missing; files that are no deck set.
#include <gtest/gtest.h>

#include "table/deck_set_file.h"
#include "table/script_item_menu.h"
#include "tests/table/table_test_support.h"

namespace TarvaneTest {
namespace {

using SetColumn = Tarvane::DeckSet::Column;

class DeckSetFileTest : public TableTest {
protected:
  void SetUp() override {
    TableTest::SetUp();
    FillMenus();
  }

  // The menus hold script values: they go before the script host does.
  ~DeckSetFileTest() override { ReleaseMenus(); }

  // The two script menus, as the window fills them.
  void FillMenus() {
    special_menu = std::make_unique<TtSubMenuCommand>();
    sort_menu = std::make_unique<TtSubMenuCommand>();
    special_items = std::make_unique<Tarvane::ScriptItemMenu>(Tarvane::ScriptMenuList::Processors,
                                                              *special_menu);
    sort_items =
        std::make_unique<Tarvane::ScriptItemMenu>(Tarvane::ScriptMenuList::Sorters, *sort_menu);
    vm->FillScriptMenu(Tarvane::ScriptMenuList::Processors, *special_items,
                       [](Tarvane::ScriptMenu&) {});
    vm->FillScriptMenu(Tarvane::ScriptMenuList::Sorters, *sort_items, [](Tarvane::ScriptMenu&) {});
  }

  // Both decks, blue's column, the special column ゼロ, burn's column, sideboard only, sorted
  // by burn's column.
  void ShowSomething() {
    table->AddDeckFiles({folder.burn, folder.blue});
    table->AddDeckColumns({1});
    table->AddColumn(Value("ValueProcessor(\"ゼロ\", 0)"), nullptr);
    table->AddDeckColumns({0});
    table->SetBoardMode(Tarvane::SideboardOnly);
    table->SortByColumn(3);
  }

  // Opens the set in a table started afresh, as the next session would.
  int OpenInFreshTable(const Tarvane::DeckSet& set) {
    ReleaseMenus();
    Start();
    FillMenus();
    return Tarvane::OpenDeckSet(*table, set, *special_menu, *sort_menu);
  }

  void ReleaseMenus() {
    special_items.reset();
    sort_items.reset();
    special_menu.reset();
    sort_menu.reset();
  }

  std::unique_ptr<TtSubMenuCommand> special_menu;
  std::unique_ptr<TtSubMenuCommand> sort_menu;
  std::unique_ptr<Tarvane::ScriptItemMenu> special_items;
  std::unique_ptr<Tarvane::ScriptItemMenu> sort_items;
};

TEST_F(DeckSetFileTest, SavedSetOpensAsTheSameTable) {
  ShowSomething();
  const std::vector<std::string> headers = Headers();
  const std::vector<std::string> first_column = Column(0);
  const std::string sort_text = status_bar.texts[1];

  const std::string path = folder.Join("sets/session.tvset");
  folder.Write("sets/.keep", "");
  ASSERT_TRUE(Tarvane::WriteDeckSetFile(path, Tarvane::CaptureDeckSet(*table), reporter));
  EXPECT_EQ(folder.Read("sets/session.tvset"),
            "tarvane-deck-set=1\r\nboard=2\r\nsort=column:3\r\ndeck=../decks/burn.txt\r\n"
            "deck=../decks/blue.txt\r\ncolumn=deck:2\r\ncolumn=special:ゼロ\r\ncolumn=deck:1\r\n");

  std::optional<Tarvane::DeckSet> set = Tarvane::ReadDeckSetFile(path, reporter);
  ASSERT_TRUE(set);
  EXPECT_EQ(OpenInFreshTable(*set), 0);
  EXPECT_EQ(Headers(), headers);
  EXPECT_EQ(Column(0), first_column);
  EXPECT_EQ(status_bar.texts[1], sort_text);
  EXPECT_EQ(vm->GetBoardDisplayMode(), Tarvane::SideboardOnly);
  EXPECT_TRUE(reporter.messages.empty());
  ExpectColumnsAligned();
}

TEST_F(DeckSetFileTest, PathsFollowTheFileAndAbsolutePathsStay) {
  std::optional<Tarvane::DeckSet> set = Tarvane::ParseDeckSet(
      "tarvane-deck-set=1\nfuture=kept apart\n# a comment\ndeck=decks/a.txt\ndeck=/abs/b.txt\n"
      "column=deck:2\ncolumn=deck:0\ncolumn=nonsense\nboard=9\nsort=menu:逆順\n",
      "/moved/here/all.tvset");
  ASSERT_TRUE(set);
  EXPECT_EQ(set->deck_paths, (std::vector<std::string>{"/moved/here/decks/a.txt", "/abs/b.txt"}));
  // Deck positions count from 1 in the file; 0 and unknown kinds are passed over, as is a board
  // mode that does not exist.
  EXPECT_EQ(set->columns, (std::vector<SetColumn>{{SetColumn::Kind::Deck, 1, ""}}));
  EXPECT_EQ(set->board_mode, 0);
  EXPECT_EQ(set->sorter_name, "逆順");

  EXPECT_FALSE(Tarvane::ParseDeckSet("4 Lightning Bolt\n", "/x/deck.tvset"));
  EXPECT_FALSE(Tarvane::ParseDeckSet("", "/x/empty.tvset"));
}

TEST_F(DeckSetFileTest, MissingDeckLeavesOutItsColumnsOnly) {
  Tarvane::DeckSet set;
  set.deck_paths = {folder.Join("decks/gone.txt"), folder.burn, folder.blue};
  set.columns = {{SetColumn::Kind::Deck, 2, ""},
                 {SetColumn::Kind::Deck, 0, ""},
                 {SetColumn::Kind::Special, 0, "小数"},
                 {SetColumn::Kind::Special, 0, "もうない"}};
  set.sorter_name = "逆順";
  EXPECT_EQ(OpenInFreshTable(set), 2);
  EXPECT_EQ(Headers(), (std::vector<std::string>{"カード名", "blue.txt", "小数"}));
  EXPECT_EQ(status_bar.texts[1], "並び替え : 逆順");
  // The file that is gone is reported once, as 追加 reports it.
  EXPECT_EQ(reporter.messages.size(), 1u);
}

TEST_F(DeckSetFileTest, FileThatIsNoDeckSetIsReported) {
  const std::string path = folder.Write("decks/not-a-set.tvset", "4 Lightning Bolt\n");
  EXPECT_FALSE(Tarvane::ReadDeckSetFile(path, reporter));
  EXPECT_FALSE(Tarvane::ReadDeckSetFile(folder.Join("nowhere.tvset"), reporter));
  EXPECT_EQ(Captions(),
            (std::vector<std::string>{"ファイルオープンエラー", "ファイルオープンエラー"}));
}

}  // namespace
}  // namespace TarvaneTest
