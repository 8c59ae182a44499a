#pragma once
// Shared pieces of the main window tests: a program folder with a small dictionary, a start-up
// script written for these tests, the toolbar pictures and two deck lists; and a fixture that
// builds the main window as the entry point does and answers its modal dialogs.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/support/program_folder.h"
#include "ttl/testing/tt_testing.h"
#include "ui/main_frame.h"
#include "ui/open_list_dialog.h"

namespace Tarvane {
// The entry point's steps that show the main window (ui/tarvane_main.cpp, compiled into the tests).
void ShowMainWindow(MainFrame& frame);
int WinMain(const std::vector<std::string>& deck_paths = {});
}  // namespace Tarvane

namespace TarvaneTest {

// Appended piece by piece: g++ 12 warns wrongly (array bounds) about the chain of + here.
inline std::string SourcePath(const std::string& relative) {
  std::string path = TARVANE_SOURCE_DIR;
  path += '/';
  path += relative;
  return path;
}

// Rows sort by board (sideboard rows last), card rows before special rows, then English name.
inline std::string TestStartupScript() {
  return R"(
class SubMenu {
  name = null; items = null;
  constructor(menu_name, menu_items) { name = menu_name; items = menu_items; }
}
function group(e) { return e.board_type == ::Board.Type.Sideboard ? 1 : 0; }
function special(e) { return e instanceof ::SpecialEntry; }
function by_name(a, b) {
  local g = group(a) <=> group(b); if (g != 0) return g;
  local s = special(a).tointeger() <=> special(b).tointeger(); if (s != 0) return s;
  return a.card.name <=> b.card.name;
}
class NameSorter { name = "名前順"; function compare_for_sort(a, b) { return ::by_name(a, b); } }
class ReverseSorter { name = "逆順"; function compare_for_sort(a, b) { return ::by_name(b, a); } }

class NameProcessor {
  name = null; sorter = null; japanese = true;
  constructor(is_japanese) {
    japanese = is_japanese; name = is_japanese ? "カード名" : "Card Name"; sorter = NameSorter();
  }
  function process_function(entry) { return japanese ? entry.card.name_japanese : entry.card.name; }
}
::Organizer.create_first_column_processor <- function(is_japanese) {
  return NameProcessor(is_japanese);
}

class DeckProcessor {
  deck = null; name = null; sorter = null;
  constructor(the_deck) { deck = the_deck; name = the_deck.file_name; sorter = ReverseSorter(); }
  function process_function(entry) {
    local board = deck.get_board_type_of(entry.board_type);
    if (::special(entry)) return board.count_all_total();
    return board.get_count_of(entry.card);
  }
}

class ConstantProcessor {
  name = null; sorter = null; value = null;
  constructor(column_name, column_value) { name = column_name; value = column_value; sorter = ReverseSorter(); }
  function process_function(entry) { return value; }
}

local function special_entry(type, name, name_japanese, board) {
  local entry = ::SpecialEntry(type, name, name_japanese, board);
  entry.use = true;
  ::Organizer.special_entries.append(entry);
}
special_entry(::Card.Type.MainTotal, "Main Total", "メイン合計", ::Board.Type.Mainboard);
special_entry(::Card.Type.MainTotal, "Side Total", "サイド合計", ::Board.Type.Sideboard);

::Organizer.processors.extend([
  ConstantProcessor("定数", 7), null, SubMenu("その他", [ConstantProcessor("文字", "a\"b")])
]);
::Organizer.sorters.extend([NameSorter(), ReverseSorter()]);
)";
}

// Lightning Bolt is on both boards of burn; Mountain is on burn's main deck and blue's
// sideboard.
inline std::string BurnDeck() { return "4 Lightning Bolt\n4 Goblin Guide\n8 Mountain\n\n2 Lightning Bolt\n"; }
inline std::string BlueDeck() { return "4 Counterspell\n10 Island\n\n2 Mountain\n"; }

// The program folder with the test dictionary, the script above, the toolbar pictures and the
// two decks.
class MainWindowProgramFolder : public ProgramFolder {
public:
  MainWindowProgramFolder() {
    WriteDictionary(TestDictionary());
    WriteStartupScript(TestStartupScript());
    Write("tarvane.bmp", ScratchFolder::Read(SourcePath("data/tarvane.bmp")));
    burn = Write("decks/burn.txt", BurnDeck());
    blue = Write("decks/blue.txt", BlueDeck());
  }

  std::string burn;
  std::string blue;
};

// The main window built and shown as the entry point does it, over the test program folder.
class MainWindowFixture : public ::testing::Test {
protected:
  ~MainWindowFixture() override { Close(); }

  void Open() {
    pictures = std::make_unique<Tarvane::ToolImageList>(folder.Join("tarvane.bmp"));
    frame = std::make_unique<Tarvane::MainFrame>(*pictures);
    Tarvane::ShowMainWindow(*frame);
    TtTesting::ProcessEvents();
  }

  void Close() {
    frame.reset();
    pictures.reset();
    TtTesting::ProcessEvents();
  }

  void TearDown() override { EXPECT_THAT(answers.Finish(), ::testing::IsEmpty()); }

  Tarvane::MainList& List() { return frame->GetMainList(); }

  // A menu bar item by its position on the bar and its position in that menu (and deeper).
  void Choose(const std::vector<int>& positions) {
    TtTesting::ChooseMenuBarItem(*frame, positions);
    TtTesting::ProcessEvents();
  }

  // データ → 追加: the deck list file dialog, whose 追加 button picks the files.
  void AddDecks(const std::vector<std::string>& paths) {
    answers
        .Dialog([](TtWindow& dialog) {
          auto& files = dynamic_cast<Tarvane::OpenListDialog&>(dialog);
          TtTesting::Click(files.GetAddButton());
          TtTesting::Click(files.GetOkButton());
        })
        .FileDialog(paths);
    Choose({1, 0});
  }

  // The texts of one column, top to bottom.
  std::vector<std::string> Column(int column) {
    std::vector<std::string> texts;
    for (int item = 0; item < List().GetItemCount(); ++item) texts.push_back(List().GetItemText(item, column));
    return texts;
  }

  std::vector<std::string> Headers() {
    std::vector<std::string> texts;
    for (int column = 0; column < List().GetColumnCount(); ++column) texts.push_back(List().GetColumnText(column));
    return texts;
  }

  std::string Status(int part) { return frame->GetStatusBar().GetPartText(part); }

  // A point in the list's client coordinates at the middle of an item's first cell.
  TtWin::POINT RowPoint(int item) {
    TtWin::RECT rectangle = List().GetItemRectangle(item);
    return TtWin::POINT{rectangle.left + 20, (rectangle.top + rectangle.bottom) / 2};
  }

  // A point on the header in screen coordinates: the middle of a column's header item, or past
  // the last column for -1.
  TtWin::POINT HeaderPoint(int column) {
    int left = 0;
    int count = column < 0 ? List().GetColumnCount() : column;
    for (int before = 0; before < count; ++before) left += List().GetColumnWidth(before);
    int x = column < 0 ? left + 30 : left + List().GetColumnWidth(column) / 2;
    TtWin::RECT first_row = List().GetItemRectangle(0);
    return List().ClientToScreen(TtWin::POINT{x, first_row.top / 2});
  }

  MainWindowProgramFolder folder;
  TtTesting::ModalAnswers answers;
  std::unique_ptr<Tarvane::ToolImageList> pictures;
  std::unique_ptr<Tarvane::MainFrame> frame;
};

}  // namespace TarvaneTest
