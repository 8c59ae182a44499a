#pragma once
// Shared pieces of the table and tool tests: a program folder with a start-up script written for
// these tests and two deck list files, a recorder of status texts, and a fixture with the table
// over a list store.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/deck.h"
#include "script/squirrel_vm.h"
#include "table/analysis_table.h"
#include "table/status_bar_texts.h"
#include "tests/support/program_folder.h"
#include "tests/support/recording_reporter.h"
#include "tests/support/script_runner.h"
#include "tests/support/test_script_classes.h"
#include "ttl/core/tt_list_view_store.h"
#include "ttl/core/tt_string.h"

namespace TarvaneTest {

class RecordingStatusBar : public Tarvane::StatusBarTexts {
public:
  void SetStatusText(int part, const std::string& text) override { texts[part] = text; }
  std::string texts[4];
};

// The shared script classes with the table tests' menus: the special-column menu offers
// processors that yield 0, 0.0, 1.5, a string, null, or fail; the sort menu sorters whose
// comparisons return floats, strings, null or fail.
inline std::string TestStartupScript() {
  std::string script = TestScriptClasses();
  script += R"(
special_entry(::Card.Type.MainTotal, "Main Total", "メイン合計", ::Board.Type.Mainboard, true);
special_entry(::Card.Type.LandTotal, "Main Lands", "メイン土地", ::Board.Type.Mainboard, false);
special_entry(::Card.Type.MainTotal, "Side Total", "サイド合計", ::Board.Type.Sideboard, true);

::Organizer.processors.extend([
  ValueProcessor("ゼロ", 0), ValueProcessor("小数ゼロ", 0.0), ValueProcessor("小数", 1.5),
  ValueProcessor("文字列", "a,b\t\"c\""), ValueProcessor("空", null), ValueProcessor("真", true),
  ValueProcessor("負", -12), ValueProcessor("大", 1e30), null,
  SubMenu("壊れた", [FailingProcessor(), SorterlessProcessor(), NamelessSorterProcessor()])
]);
::Organizer.sorters.extend([
  NameSorter(), ReverseSorter(), null,
  SubMenu("特殊", [FloatSorter(), StringSorter(), NullSorter(), BrokenSorter()])
]);
)";
  return script;
}

// Lightning Bolt is on both boards of burn; Mountain is on burn's main deck and blue's
// sideboard; Smash is in no dictionary.
inline std::string BurnDeck() {
  return "4 Lightning Bolt\n4 Goblin Guide\n8 Mountain\n\n2 Lightning Bolt\n3 Smash\n";
}
inline std::string BlueDeck() { return "4 Counterspell\n10 Island\n\n2 Mountain\n"; }

// The program folder with the test dictionary, the script above and the two decks.
class TableProgramFolder : public ProgramFolder {
public:
  TableProgramFolder() {
    WriteDictionary(TestDictionary());
    WriteStartupScript(TestStartupScript());
    burn = Write("decks/burn.txt", BurnDeck());
    blue = Write("decks/blue.txt", BlueDeck());
  }

  std::string burn;
  std::string blue;
};

// The table brought up as the main window brings it up: data side, then Reset.
class TableTest : public ::testing::Test {
protected:
  void SetUp() override { Start(); }
  ~TableTest() override {
    table.reset();
    vm.reset();
  }

  void Start(const std::string& extra_script = "") {
    if (!extra_script.empty())
      folder.Write("tarvane.nut", TestStartupScript().append(extra_script));
    table.reset();
    vm.reset();
    vm = std::make_unique<Tarvane::SquirrelVM>(reporter);
    table = std::make_unique<Tarvane::AnalysisTable>(*vm, list, status_bar);
    table->Reset();
  }

  // The texts of one column, top to bottom.
  std::vector<std::string> Column(int column) const {
    std::vector<std::string> texts;
    for (int item = 0; item < list.GetItemCount(); ++item) {
      texts.push_back(list.GetItemText(item, column));
    }
    return texts;
  }
  std::vector<std::string> Headers() const {
    std::vector<std::string> texts;
    for (int column = 0; column < list.GetColumnCount(); ++column) {
      texts.push_back(list.GetColumnText(column));
    }
    return texts;
  }
  void Run(const std::string& statements) { RunScript(*vm, statements); }
  TtSquirrel::Object Value(const std::string& expression) { return ScriptValue(*vm, expression); }
  std::vector<std::string> Captions() const {
    std::vector<std::string> captions;
    for (const auto& message : reporter.messages) captions.push_back(message.caption);
    return captions;
  }
  // Checks that list column i and element i of the columns list are the same column.
  void ExpectColumnsAligned() const {
    ASSERT_EQ(static_cast<size_t>(list.GetColumnCount()), table->GetColumns().size());
    for (int column = 0; column < list.GetColumnCount(); ++column) {
      EXPECT_EQ(list.GetColumnData(column),
                reinterpret_cast<TtWin::LPARAM>(table->GetColumns()[column].get()));
    }
  }

  TableProgramFolder folder;
  RecordingReporter reporter;
  RecordingStatusBar status_bar;
  TtListViewStore list;
  std::unique_ptr<Tarvane::SquirrelVM> vm;
  std::unique_ptr<Tarvane::AnalysisTable> table;
};

}  // namespace TarvaneTest
