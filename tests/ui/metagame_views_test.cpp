// The metagame views in the window: 表示 → 色分け (remembered in the settings file, export
// unchanged), 差分カラムを追加 from a deck column's menu, a special-column item that adds several
// columns, and ツール → 平均デッキを作成....
#include <chrono>
#include <filesystem>
#include <random>
#include <sstream>
#include <thread>

#include "table/cell_shading.h"
#include "table/table_export.h"
#include "tests/ui/main_window_test_support.h"
#include "ui/select_list_dialog.h"

using ::testing::ElementsAre;
using Texts = std::vector<std::string>;

namespace TarvaneTest {
namespace {

using namespace Tarvane;

constexpr int kOperations = 3;
constexpr int kView = 4;
constexpr int kTools = 5;

// The test script with the difference column and a menu item that adds two columns.
const char kViewsScript[] = R"(
class DifferenceProcessor {
  name = null; sorter = null; first = null; second = null;
  constructor(a, b) { first = a; second = b; name = a.name + " － " + b.name; sorter = ReverseSorter(); }
  function process_function(entry) {
    local difference = first.process_function(entry) - second.process_function(entry);
    return difference == 0 ? null : difference;
  }
}
class TwoColumns {
  name = "二列";
  function create_columns() { return [ValueProcessor("一", 1), ValueProcessor("二", 2)]; }
}
::Organizer.processors.append(TwoColumns());
)";

class MetagameViewsTest : public MainWindowFixture {
protected:
  void OpenWithBothDecksAsColumns() {
    folder.Write("tarvane.nut", TestStartupScript().append(kViewsScript));
    Open();
    AddDecks({folder.burn, folder.blue});
    Choose({kOperations, 0});
  }

  int RowOf(const std::string& name) {
    Texts names = Column(0);
    return static_cast<int>(std::find(names.begin(), names.end(), name) - names.begin());
  }

  TtWin::COLORREF Cell(const std::string& row, int column) {
    return TtTesting::ListCellBackground(List(), RowOf(row), column);
  }
};

// burn's column: Mountain 8 is the largest card row; the totals stay yellow, blanks unshaded.
TEST_F(MetagameViewsTest, ShadingColoursNumericCellsByTheirColumnsLargestAndIsRemembered) {
  OpenWithBothDecksAsColumns();
  EXPECT_THAT(TtTesting::MenuBarLabels(*frame),
              ElementsAre("ファイル(&F)", "データ(&D)", "項目(&E)", "操作(&O)", "表示(&V)",
                          "ツール(&T)", "ヘルプ(&H)"));
  const TtWin::COLORREF plain = Cell("対抗呪文", 1);
  EXPECT_FALSE(frame->GetMainMenu().IsCellShadingChecked());
  EXPECT_EQ(Cell("山", 1), plain) << "off by default";
  const std::string exported = BuildTableText(List(), ",");

  Choose({kView, 0});
  List().ClearSelection();
  EXPECT_TRUE(frame->GetMainMenu().IsCellShadingChecked());
  EXPECT_NE(folder.Settings().find("CellShading=1"), std::string::npos);
  EXPECT_EQ(Cell("山", 1), MainList::ShadeColour(kShadeSteps));
  EXPECT_EQ(Cell("ゴブリンの先達", 1), MainList::ShadeColour(kShadeSteps / 2));
  EXPECT_EQ(Cell("対抗呪文", 1), plain) << "a blank cell";
  EXPECT_EQ(Cell("島", 2), MainList::ShadeColour(kShadeSteps));
  EXPECT_EQ(Cell("メイン合計", 1), MainList::kSpecialRowColour);
  EXPECT_EQ(Cell("山", 0), plain) << "the card names are not shaded";
  // The selection paints over the shades of its row.
  List().SetItemSelected(RowOf("山"), true);
  EXPECT_EQ(Cell("山", 1), Cell("山", 0));
  EXPECT_NE(Cell("山", 1), plain);
  EXPECT_EQ(BuildTableText(List(), ","), exported) << "export is unchanged";

  // The palette: greens up, reds down, none of them the special rows' yellow.
  for (int step = 1; step <= kShadeSteps; ++step) {
    EXPECT_NE(MainList::ShadeColour(step), MainList::kSpecialRowColour);
    EXPECT_NE(MainList::ShadeColour(step), MainList::ShadeColour(-step));
  }

  Close();
  Open();
  EXPECT_TRUE(frame->GetMainMenu().IsCellShadingChecked()) << "read back from the settings file";
  EXPECT_TRUE(List().IsShading());
  Choose({kView, 0});
  EXPECT_FALSE(List().IsShading());
  EXPECT_NE(folder.Settings().find("CellShading=0"), std::string::npos);
}

// The new column is on screen before its cells and its largest value are known: a repaint in
// between must find it unshaded, not read a column record that is not there yet.
TEST_F(MetagameViewsTest, ColumnsOfEveryKindCanBeAddedWithShadingOn) {
  OpenWithBothDecksAsColumns();
  Choose({kView, 0});
  ASSERT_TRUE(List().IsShading());
  TtTesting::ProcessEvents();
  Choose({kOperations, 0});
  TtTesting::ProcessEvents();
  // 特殊カラムの追加 → 定数, and → 二列 that adds two at once.
  Choose({kOperations, 3, 0});
  Choose({kOperations, 3, 3});
  TtTesting::ProcessEvents();
  EXPECT_THAT(Headers(), ElementsAre("カード名", "burn.txt", "blue.txt", "burn.txt", "blue.txt",
                                     "定数", "一", "二"));
  List().ClearSelection();
  EXPECT_EQ(Cell("山", 3), MainList::ShadeColour(kShadeSteps));
  EXPECT_EQ(Cell("山", 5), MainList::ShadeColour(kShadeSteps))
      << "a column of one value is all at its largest";
  SaveScreenshotIfAsked(frame.get(), "fault-shading-new-columns");
}

TEST_F(MetagameViewsTest, TheDifferenceColumnComesFromADeckColumnsMenuAndASingleChoice) {
  OpenWithBothDecksAsColumns();
  PopupRecorder popup;
  answers.PopupMenu(popup.Choose(2));
  frame->ShowColumnMenu(HeaderPoint(0));
  EXPECT_FALSE(popup.enabled[2]) << "the card name column is no deck column";
  EXPECT_EQ(List().GetColumnCount(), 3);

  bool select_all_shown = true;
  std::string title;
  answers.PopupMenu(popup.Choose(2)).Dialog([&](TtWindow& window) {
    auto& dialog = dynamic_cast<SelectListDialog&>(window);
    select_all_shown = dialog.GetSelectAllButton().IsVisible();
    title = dialog.GetText();
    dialog.GetListBox().SetSelected(0, true);
    TtTesting::Click(dialog.GetOkButton());
  });
  frame->ShowColumnMenu(HeaderPoint(2));
  EXPECT_TRUE(popup.enabled[2]);
  EXPECT_FALSE(select_all_shown) << "one deck is chosen, not several";
  EXPECT_EQ(title, "差分を取るデッキの選択");
  EXPECT_THAT(Headers(), ElementsAre("カード名", "burn.txt", "blue.txt", "blue.txt － burn.txt"));
  EXPECT_EQ(List().GetItemText(RowOf("島"), 3), "10");
  EXPECT_EQ(List().GetItemText(RowOf("ゴブリンの先達"), 3), "-4");
  EXPECT_EQ(List().GetItemText(RowOf("メイン合計"), 3), "-2");

  // Negative differences are shaded red against the largest magnitude, 10.
  Choose({kView, 0});
  List().ClearSelection();
  EXPECT_EQ(Cell("ゴブリンの先達", 3), MainList::ShadeColour(-3));
  EXPECT_EQ(Cell("島", 3), MainList::ShadeColour(kShadeSteps));
}

TEST_F(MetagameViewsTest, AMenuItemWithCreateColumnsAddsEachOfItsColumns) {
  OpenWithBothDecksAsColumns();
  answers.PopupMenu([](const TtMenu& menu, TtWin::POINT) {
    return TtTesting::PopupChoice{menu.GetHandle(), 3};
  });
  TtTesting::ClickToolBarButton(frame->GetToolBar(), MainCommand::SpecialColumnDropDown);
  EXPECT_THAT(Headers(), ElementsAre("カード名", "burn.txt", "blue.txt", "一", "二"));
}

TEST_F(MetagameViewsTest, TheAverageDeckIsWrittenWhereTheUserSays) {
  OpenWithBothDecksAsColumns();
  const std::string path = folder.Join("average.txt");
  TtTesting::FileDialogSeen seen;
  answers.FileDialog({path}, &seen);
  Choose({kTools, 1});
  EXPECT_TRUE(seen.save);
  EXPECT_TRUE(seen.overwrite_prompt);
  EXPECT_EQ(
      ScratchFolder::Read(path),
      "#NAME 平均デッキ: blue.txt 1, burn.txt 1 (2デッキ)\n10 Island\n4 Mountain\n\n2 Mountain\n");
}

// A metagame made from the shipped sample decks: each archetype (the sample's NAME) played by a
// few decks that differ from its sample by a copy here and there, as lists of one archetype do.
std::vector<std::string> SampleMetagame(const ProgramFolder& folder) {
  const std::string bin = TARVANE_PROGRAM_DIR;
  std::vector<std::string> samples;
  for (const auto& file : std::filesystem::directory_iterator(bin + "/decks")) {
    if (file.path().filename() != "next_event_sideboard.txt")
      samples.push_back(file.path().string());
  }
  std::sort(samples.begin(), samples.end());
  const int kCopies[] = {9, 7, 6, 5, 4, 3, 2, 2, 1, 1};
  std::mt19937 random(19);
  std::vector<std::string> paths;
  for (size_t sample = 0; sample < samples.size(); ++sample) {
    std::istringstream lines(ScratchFolder::Read(samples[sample]));
    std::vector<std::string> deck;
    for (std::string line; std::getline(lines, line);) deck.push_back(line);
    std::string archetype = std::filesystem::path(samples[sample]).stem().string();
    for (const std::string& line : deck) {
      if (line.starts_with("#NAME ")) archetype = line.substr(6);
    }
    for (int copy = 0; copy < kCopies[sample % 10]; ++copy) {
      std::string text = "#ARCHETYPE " + archetype + "\n";
      for (const std::string& line : deck) {
        if (line.empty() || line[0] < '1' || line[0] > '4' || random() % 5 != 0) {
          text += line + "\n";
        } else if (random() % 3 != 0) {
          text += std::to_string(1 + random() % 4) + line.substr(1) + "\n";
        }
      }
      paths.push_back(folder.Write(
          "meta/" + std::to_string(sample) + "_" + std::to_string(copy) + ".txt", text));
    }
  }
  return paths;
}

// The shipped program with archetype columns over that metagame, shaded; with
// TARVANE_VIEWS_SCREENSHOT set to a PNG path, the window is saved there.
TEST_F(MetagameViewsTest, TheShippedScriptsArchetypeColumnsShaded) {
  folder.UseShippedProgramFiles(TARVANE_PROGRAM_DIR);
  std::vector<std::string> paths = SampleMetagame(folder);
  pictures = std::make_unique<ToolImageList>(folder.Join("tarvane.bmp"));
  frame = std::make_unique<MainFrame>(*pictures);
  frame->Create({});
  frame->SetPositionSize(0, 0, 1200, 720);
  frame->Show();
  frame->GetTable().AddDeckFiles(paths);
  // 特殊カラムの追加 → アーキタイプ別 → 採用率.
  answers.PopupMenu([](const TtMenu& menu, TtWin::POINT) {
    return TtTesting::PopupChoice{menu.GetSubMenu(7).GetHandle(), 0};
  });
  TtTesting::ClickToolBarButton(frame->GetToolBar(), MainCommand::SpecialColumnDropDown);
  ASSERT_EQ(List().GetColumnCount(), 10);
  const std::string header = List().GetColumnText(1);
  EXPECT_EQ(header.substr(header.size() - 11), " (9) 採用率") << "the statistic is in the header";
  Choose({kView, 0});
  List().ClearSelection();
  TtTesting::ClickListHeader(List(), 2);
  EXPECT_EQ(TtTesting::ListCellBackground(List(), 0, 2), MainList::ShadeColour(kShadeSteps))
      << "the second archetype's most played card, played by all its decks";

  if (const char* screenshot = std::getenv("TARVANE_VIEWS_SCREENSHOT")) {
    List().SetColumnWidth(0, 200);
    for (int column = 1; column < List().GetColumnCount(); ++column)
      List().SetColumnWidth(column, 150);
    List().SetItemSelected(3, true);
    for (int round = 0; round < 40; ++round) {
      TtTesting::ProcessEvents();
      std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    EXPECT_TRUE(TtTesting::SaveScreenshot(frame.get(), screenshot));
  }
}

}  // namespace
}  // namespace TarvaneTest
