// The start-up script that ships with the program, run against the real object model on a small
// deck set: its deck columns, first column, totals, statistics columns and sort rules.
#include <algorithm>
#include <fstream>
#include <iterator>

#include "model/card_type.h"
#include "model/deck.h"
#include "script/load_deck.h"
#include "tests/script/vm_test_support.h"
#include "ttl/core/tt_string.h"

namespace TarvaneTest {
namespace {

using Tarvane::CellValue;
using Tarvane::Deck;
using Tarvane::Entry;
using Tarvane::LoadDeck;
using Tarvane::ScriptMenuList;

// A UTF-8 file of the sources in CP932, as the build ships it.
std::string SourceFileInCp932(const std::string& relative_path) {
  std::ifstream file(std::string(TARVANE_SOURCE_DIR) + "/" + relative_path, std::ios::binary);
  std::string utf8((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  std::string cp932;
  EXPECT_FALSE(utf8.empty()) << relative_path;
  EXPECT_TRUE(TtString::TryUtf8ToCp932(utf8, cp932));
  return cp932;
}

std::string ShippedStartupScript() { return SourceFileInCp932("data/tarvane.nut"); }

// Every squirrel code block of the scripting guide, one after the other.
std::string GuideExamples() {
  std::string guide = SourceFileInCp932("docs/scripting.md");
  std::string examples;
  const std::string opening = "```squirrel\n";
  for (size_t start = guide.find(opening); start != std::string::npos;
       start = guide.find(opening, start)) {
    start += opening.size();
    size_t end = guide.find("```", start);
    examples += guide.substr(start, end - start) + "\n";
  }
  return examples;
}

// Collects the leaves of a script menu by label.
class LeafMenu : public Tarvane::ScriptMenu {
public:
  void AppendSeparator() override { layout += "-|"; }
  ScriptMenu& AppendSubMenu(const std::string& label) override {
    layout += label + "[|";
    sub_menus_.push_back(std::make_unique<LeafMenu>());
    return *sub_menus_.back();
  }
  void AppendItem(const std::string& label, const TtSquirrel::Object& leaf) override {
    layout += label + "|";
    leaves.push_back({label, leaf});
  }
  // The leaf of that label in this menu or its sub-menus.
  TtSquirrel::Object Find(const std::string& label) const {
    TtSquirrel::Object found = TryFind(label);
    if (found.IsNull()) ADD_FAILURE() << "no menu item " << TtString::Cp932ToUtf8(label);
    return found;
  }
  TtSquirrel::Object TryFind(const std::string& label) const {
    for (const auto& [leaf_label, leaf] : leaves) {
      if (leaf_label == label) return leaf;
    }
    for (const auto& sub_menu : sub_menus_) {
      TtSquirrel::Object found = sub_menu->TryFind(label);
      if (!found.IsNull()) return found;
    }
    return TtSquirrel::Object();
  }
  std::string Layout() const {
    std::string text = layout;
    for (const auto& sub_menu : sub_menus_) text += " " + sub_menu->Layout();
    return text;
  }

  std::string layout;
  std::vector<std::pair<std::string, TtSquirrel::Object>> leaves;

private:
  std::vector<std::unique_ptr<LeafMenu>> sub_menus_;
};

class StartupScriptTest : public VmTest {
protected:
  void SetUp() override {
    BeforeStart();
    StartWith(ShippedStartupScript());
    burn = LoadDeck(folder.Write("burn.txt",
                                 "#NAME Burn\n"
                                 "4 Lightning Bolt\n"
                                 "4 Goblin Guide\n"
                                 "20 Mountain\n"
                                 "\n"
                                 "2 Searing Blaze\n"),
                    *vm);
    prowess = LoadDeck(folder.Write("prowess.txt",
                                    "2 Lightning Bolt\n"
                                    "4 Monastery Swiftspear\n"
                                    "4 Lava Spike\n"
                                    "18 Mountain\n"
                                    "1 Chandra, Torch of Defiance\n"
                                    "\n"
                                    "3 Smuggler's Copter\n"
                                    "1 Mystery Card\n"),
                       *vm);
    vm->FillScriptMenu(ScriptMenuList::Processors, processors, nullptr);
    vm->FillScriptMenu(ScriptMenuList::Sorters, sorters, nullptr);
  }

  virtual void BeforeStart() {}

  std::shared_ptr<Entry> Row(const std::string& name, int board_type = 0) {
    std::shared_ptr<Entry> row = vm->CreateEntry(vm->GetCardDatabase().fetch(name), board_type);
    kept_rows.push_back(row);
    return row;
  }
  // The special entry of that type code on that board.
  std::shared_ptr<Tarvane::SpecialEntry> Total(int type, int board_type = 0) {
    for (const auto& entry : vm->GetSpecialEntries()) {
      if (entry->card().type == type && entry->board_type() == board_type) return entry;
    }
    ADD_FAILURE() << "no special entry " << type;
    return nullptr;
  }
  CellValue ValueOf(const TtSquirrel::Object& processor, const std::shared_ptr<Entry>& row) {
    return vm->ComputeCellValue(processor, *row);
  }
  std::string TextOf(const TtSquirrel::Object& processor, const std::shared_ptr<Entry>& row) {
    CellValue value = ValueOf(processor, row);
    return value.kind() == CellValue::Kind::Float ? std::to_string(value.number()).substr(0, 5)
                                                  : value.text();
  }
  // The rows' first names after sorting with the sorter.
  std::string SortedNames(const TtSquirrel::Object& sorter,
                          std::vector<std::shared_ptr<Entry>> rows) {
    std::stable_sort(rows.begin(), rows.end(), [&](const auto& a, const auto& b) {
      return vm->CompareForSort(sorter, *a, *b) < 0;
    });
    std::string names;
    for (const auto& row : rows) names += (names.empty() ? "" : ",") + row->card().name;
    return names;
  }
  // Main deck rows of both decks, the shown main totals, the separator, sideboard rows and the
  // shown sideboard totals, as the table lists them in its Both mode.
  std::vector<std::shared_ptr<Entry>> TableRows() {
    std::vector<std::shared_ptr<Entry>> rows;
    for (const char* name : {"Mountain", "Lava Spike", "Goblin Guide", "Lightning Bolt",
                             "Monastery Swiftspear", "Chandra, Torch of Defiance"}) {
      rows.push_back(Row(name, 0));
    }
    for (const auto& entry : vm->GetSpecialEntries()) {
      if (entry->use() && entry->board_type() == 0) rows.push_back(entry);
    }
    for (const char* name : {"Smuggler's Copter", "Searing Blaze", "Mystery Card"}) {
      rows.push_back(Row(name, 1));
    }
    for (const auto& entry : vm->GetSpecialEntries()) {
      if (entry->use() && entry->board_type() == 1) rows.push_back(entry);
    }
    return rows;
  }

  std::shared_ptr<Deck> burn;
  std::shared_ptr<Deck> prowess;
  LeafMenu processors;
  LeafMenu sorters;
  std::vector<std::shared_ptr<Entry>> kept_rows;
};

using Tarvane::CardType;

TEST_F(StartupScriptTest, StartsCleanly) {
  EXPECT_TRUE(reporter.messages.empty());
  // Ten totals for the main deck, the separator, ten for the sideboard.
  EXPECT_EQ(vm->GetSpecialEntries().size(), 21u);
  int shown = 0;
  for (const auto& entry : vm->GetSpecialEntries()) shown += entry->use() ? 1 : 0;
  EXPECT_EQ(shown, 6);
  EXPECT_TRUE(Total(CardType::SideboardStart, 1)->use());
  EXPECT_TRUE(Total(CardType::MainTotal, 1)->use());
  EXPECT_FALSE(Total(CardType::InstantTotal, 0)->use());
  EXPECT_EQ(Total(CardType::SorceryTotal, 0)->card().name_japanese, "メイン：ソーサリーの合計");
}

TEST_F(StartupScriptTest, TheFirstColumnNamesTheCard) {
  auto bolt = Row("Lightning Bolt");
  EXPECT_EQ(vm->GetName(vm->GetFirstColumnProcessor()), "カード名");
  EXPECT_EQ(TextOf(vm->GetFirstColumnProcessor(), bolt), "稲妻");
  TtSquirrel::Object english = vm->CreateFirstColumnProcessor(false);
  EXPECT_EQ(vm->GetName(english), "Card Name");
  EXPECT_EQ(TextOf(english, bolt), "Lightning Bolt");
  EXPECT_EQ(TextOf(english, Total(CardType::LandTotal)), "Main Lands Total");
}

TEST_F(StartupScriptTest, DeckColumnsCountTheirBoards) {
  EXPECT_EQ(vm->GetName(burn->processor()), "Burn");
  EXPECT_EQ(vm->GetName(prowess->processor()), "prowess.txt");

  EXPECT_EQ(ValueOf(burn->processor(), Row("Lightning Bolt")).integer(), 4);
  EXPECT_EQ(ValueOf(prowess->processor(), Row("Lightning Bolt")).integer(), 2);
  EXPECT_EQ(ValueOf(burn->processor(), Row("Searing Blaze", 1)).integer(), 2);
  EXPECT_EQ(ValueOf(burn->processor(), Row("Searing Blaze", 0)).integer(), 0);
  EXPECT_EQ(ValueOf(burn->processor(), Row("Searing Blaze", 2)).integer(), 2);
  EXPECT_EQ(ValueOf(burn->processor(), Row("Lava Spike")).kind(), CellValue::Kind::Integer);
}

TEST_F(StartupScriptTest, TotalsCountTheirBoard) {
  auto total = [&](const std::shared_ptr<Deck>& deck, int type, int board = 0) {
    return ValueOf(deck->processor(), Total(type, board)).integer();
  };
  EXPECT_EQ(total(burn, CardType::LandTotal), 20);
  EXPECT_EQ(total(prowess, CardType::LandTotal), 18);
  EXPECT_EQ(total(burn, CardType::CreatureTotal), 4);
  EXPECT_EQ(total(prowess, CardType::InstantTotal), 2);
  EXPECT_EQ(total(prowess, CardType::SorceryTotal), 4);
  EXPECT_EQ(total(prowess, CardType::InstantSorceryTotal), 6);
  EXPECT_EQ(total(prowess, CardType::PlaneswalkerTotal), 1);
  EXPECT_EQ(total(prowess, CardType::SpellTotal), 7);
  EXPECT_EQ(total(burn, CardType::MainTotal), 28);
  EXPECT_EQ(total(prowess, CardType::MainTotal), 29);
  EXPECT_EQ(total(prowess, CardType::ArtifactTotal, 1), 3);
  EXPECT_EQ(total(burn, CardType::InstantTotal, 1), 2);
  EXPECT_EQ(total(prowess, CardType::MainTotal, 1), 4);
  // The separator has no value.
  EXPECT_EQ(ValueOf(burn->processor(), Total(CardType::SideboardStart, 1)).kind(),
            CellValue::Kind::Null);
}

TEST_F(StartupScriptTest, StatisticsOverAllDecks) {
  EXPECT_EQ(
      processors.Layout(),
      "採用デッキ数|採用率(%)|-|総枚数|平均枚数|最大枚数|-|アーキタイプ別[| 採用率|平均枚数|");
  TtSquirrel::Object playing = processors.Find("採用デッキ数");
  TtSquirrel::Object share = processors.Find("採用率(%)");
  TtSquirrel::Object total = processors.Find("総枚数");
  TtSquirrel::Object average = processors.Find("平均枚数");
  TtSquirrel::Object most = processors.Find("最大枚数");

  auto bolt = Row("Lightning Bolt");
  EXPECT_EQ(TextOf(playing, bolt), "2");
  EXPECT_EQ(TextOf(share, bolt), "100.0");
  EXPECT_EQ(TextOf(total, bolt), "6");
  EXPECT_EQ(TextOf(average, bolt), "3.000");
  EXPECT_EQ(TextOf(most, bolt), "4");

  auto spike = Row("Lava Spike");
  EXPECT_EQ(TextOf(playing, spike), "1");
  EXPECT_EQ(TextOf(share, spike), "50.00");
  EXPECT_EQ(TextOf(average, spike), "4.000");
  EXPECT_EQ(ValueOf(average, spike).kind(), CellValue::Kind::Float);

  // A card nobody plays on that board, and a computed row, have nothing to show.
  EXPECT_EQ(TextOf(playing, Row("Lightning Bolt", 1)), "0");
  EXPECT_EQ(ValueOf(total, Total(CardType::LandTotal)).kind(), CellValue::Kind::Null);

  // A deck loaded later counts at once.
  auto third = LoadDeck(folder.Write("third.txt", "3 Lava Spike\n"), *vm);
  EXPECT_EQ(TextOf(playing, spike), "2");
  EXPECT_EQ(TextOf(total, spike), "7");
  // After the deck list is emptied nothing is played any more.
  vm->ClearScriptDecks();
  EXPECT_EQ(TextOf(playing, spike), "0");
  EXPECT_EQ(TextOf(share, spike), "0.000");
}

TEST_F(StartupScriptTest, TheSortMenu) {
  EXPECT_EQ(sorters.Layout(),
            "カードタイプ順|名前順[|-|集計順[| 英語名順|日本語名順| 採用デッキ数順|総枚数順|");
  for (const auto& processor :
       {vm->GetFirstColumnProcessor(), burn->processor(), processors.Find("総枚数")}) {
    EXPECT_FALSE(vm->GetSorter(processor).IsNull());
  }
}

// A card the dictionary lacks stands after the known cards but above the summary totals.
TEST_F(StartupScriptTest, CardOrderPutsTotalsAmongTheTypes) {
  EXPECT_EQ(SortedNames(sorters.Find("カードタイプ順"), TableRows()),
            "Mountain,Main Lands Total,Goblin Guide,Monastery Swiftspear,Main Creatures Total,"
            "Lightning Bolt,Lava Spike,Chandra, Torch of Defiance,Main Spells Total,"
            "Main All Cards Total,-- Sideboard --,Searing Blaze,Smuggler's Copter,"
            "Mystery Card,Side All Cards Total");
  // The first column sorts the same way.
  EXPECT_EQ(SortedNames(vm->GetSorter(vm->GetFirstColumnProcessor()), TableRows()),
            SortedNames(sorters.Find("カードタイプ順"), TableRows()));
}

// Array keys compare element by element, not by where the arrays happen to be stored.
TEST_F(StartupScriptTest, AnArrayKeyOrdersByEachElementInTurn) {
  TtSquirrel::Object sorter = Value(
      "class { name = \"cost, name\"; function compare_for_sort(a, b) {"
      "  return ::compare_by_key(a, b, @(e) [-e.card.converted_mana_cost, [e.card.name]]); } }()");
  EXPECT_EQ(SortedNames(sorter, {Row("Lightning Bolt"), Row("Lava Spike"),
                                 Row("Chandra, Torch of Defiance"), Row("Goblin Guide")}),
            "Chandra, Torch of Defiance,Goblin Guide,Lava Spike,Lightning Bolt");
  EXPECT_EQ(SortedNames(sorter, {Row("Lightning Bolt"), Row("Goblin Guide"), Row("Lava Spike"),
                                 Row("Chandra, Torch of Defiance")}),
            "Chandra, Torch of Defiance,Goblin Guide,Lava Spike,Lightning Bolt");
}

TEST_F(StartupScriptTest, OtherSortersKeepTheSeparatorOnTopOfTheSideboard) {
  EXPECT_EQ(SortedNames(sorters.Find("英語名順"), TableRows()),
            "Chandra, Torch of Defiance,Goblin Guide,Lava Spike,Lightning Bolt,"
            "Monastery Swiftspear,Mountain,Main Lands Total,Main Creatures Total,"
            "Main Spells Total,Main All Cards Total,-- Sideboard --,Mystery Card,Searing Blaze,"
            "Smuggler's Copter,Side All Cards Total");
  // Most copies first; the sideboard of the deck follows its own separator.
  EXPECT_EQ(SortedNames(vm->GetSorter(burn->processor()), TableRows()),
            "Mountain,Goblin Guide,Lightning Bolt,Monastery Swiftspear,Lava Spike,"
            "Chandra, Torch of Defiance,Main Lands Total,Main Creatures Total,Main Spells Total,"
            "Main All Cards Total,-- Sideboard --,Searing Blaze,Smuggler's Copter,Mystery Card,"
            "Side All Cards Total");
  EXPECT_EQ(SortedNames(sorters.Find("総枚数順"), TableRows()),
            "Mountain,Lightning Bolt,Goblin Guide,Monastery Swiftspear,Lava Spike,"
            "Chandra, Torch of Defiance,Main Lands Total,Main Creatures Total,Main Spells Total,"
            "Main All Cards Total,-- Sideboard --,Smuggler's Copter,Searing Blaze,Mystery Card,"
            "Side All Cards Total");
}

// The examples of the scripting guide, run as an extension script of the shipped one.
class GuideExamplesTest : public StartupScriptTest {
protected:
  void BeforeStart() override {
    folder.Write("ext/guide.nut", GuideExamples());
    folder.WriteSettings("[Tarvane]\nUseExtensionScript=1\nExtensionScriptPath=ext/guide.nut\n");
  }
};

TEST_F(GuideExamplesTest, TheExamplesWork) {
  EXPECT_TRUE(reporter.messages.empty());
  EXPECT_EQ(vm->GetName(vm->GetFirstColumnProcessor()), "カード");

  auto bolt = Row("Lightning Bolt");
  EXPECT_EQ(TextOf(processors.Find("4枚採用デッキ数"), bolt), "1");
  EXPECT_TRUE(sorters.layout.ends_with("|-|マナコスト順|")) << sorters.layout;
  EXPECT_EQ(SortedNames(sorters.Find("マナコスト順"),
                        {Row("Chandra, Torch of Defiance"), Row("Mountain"), Row("Lava Spike")}),
            "Mountain,Lava Spike,Chandra, Torch of Defiance");

  // A menu item with create_columns: one column per loaded deck.
  auto per_deck = vm->CreateColumns(processors.Find("デッキごとの枚数"));
  ASSERT_TRUE(per_deck.has_value());
  EXPECT_EQ(per_deck->size(), 2u);  // burn and prowess
  EXPECT_FALSE(vm->CreateColumns(processors.Find("4枚採用デッキ数")).has_value());

  auto average = vm->GetSpecialEntries().back();
  EXPECT_EQ(average->card().name, "Average Spell Cost");
  EXPECT_TRUE(average->use());
  EXPECT_EQ(TextOf(prowess->processor(), average), "1.428");
  EXPECT_EQ(TextOf(burn->processor(), average), "1.000");
  // The shipped rows still get the shipped values.
  EXPECT_EQ(ValueOf(burn->processor(), Total(CardType::LandTotal)).integer(), 20);

  // Two more decks with a full set of Chandra: its sort rule puts Chandra before a creature that
  // one deck plays four of, against the card order.
  auto chandra_a = LoadDeck(folder.Write("chandra_a.txt", "4 Chandra, Torch of Defiance\n"), *vm);
  auto chandra_b = LoadDeck(folder.Write("chandra_b.txt", "4 Chandra, Torch of Defiance\n"), *vm);
  EXPECT_EQ(SortedNames(vm->GetSorter(processors.Find("4枚採用デッキ数")),
                        {Row("Goblin Guide"), Row("Chandra, Torch of Defiance")}),
            "Chandra, Torch of Defiance,Goblin Guide");
}

}  // namespace
}  // namespace TarvaneTest
