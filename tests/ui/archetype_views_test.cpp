// The archetypes in the window: the rule folder chosen on the settings sheet relabels the loaded
// decks and the archetype columns follow; the list of decks and archetypes, sortable; the
// archetype in a deck column's tooltip; the average deck of an archetype column.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <sstream>
#include <thread>

#include "tests/ui/main_window_test_support.h"
#include "ui/archetype_list_dialog.h"
#include "ui/settings_property_sheet.h"

using ::testing::ElementsAre;

namespace TarvaneTest {
namespace {

using namespace Tarvane;

constexpr int kOperations = 3;
constexpr int kTools = 5;

// An archetype column per archetype, with its archetype in the `archetype` slot as the shipped
// script's columns have it.
const char kArchetypeScript[] = R"nut(
class ArchetypeCount {
  name = null; sorter = null; archetype = null;
  constructor(archetype_name, count) { archetype = archetype_name; name = archetype_name + " (" + count + ")"; sorter = ReverseSorter(); }
  function process_function(entry) { return null; }
}
class ByArchetype {
  name = "アーキタイプ別";
  function create_columns() {
    local counts = {};
    local names = [];
    foreach (deck in ::Organizer.decks) {
      local name = deck.archetype();
      if (!(name in counts)) { counts[name] <- 0; names.append(name); }
      ++counts[name];
    }
    names.sort();
    local columns = [];
    foreach (name in names) columns.append(ArchetypeCount(name, counts[name]));
    return columns;
  }
}
::Organizer.processors.append(ByArchetype());
)nut";

std::string RuleFolder() {
  return std::string(std::getenv("TARVANE_TEST_DATA")) + "/archetypes/Modern";
}

class ArchetypeViewsTest : public MainWindowFixture {
protected:
  void OpenWithBothDecks() {
    folder.Write("tarvane.nut", TestStartupScript() + kArchetypeScript);
    Open();
    AddDecks({folder.burn, folder.blue});
  }
  // 特殊カラムの追加 → アーキタイプ別 (after 定数, a separator and その他).
  void AddArchetypeColumns() {
    answers.PopupMenu([](const TtMenu& menu, TtWin::POINT) {
      return TtTesting::PopupChoice{menu.GetHandle(), 3};
    });
    TtTesting::ClickToolBarButton(frame->GetToolBar(), MainCommand::SpecialColumnDropDown);
  }
  // ツール → 設定: the rule folder chosen with 参照..., then OK.
  void ChooseRuleFolder(const std::string& path, TtTesting::MessageBoxSeen* seen) {
    answers
        .Dialog([](TtWindow& window) {
          auto& sheet = dynamic_cast<SettingsPropertySheet&>(window);
          TtTesting::Click(sheet.GetMainPage().GetRulesBrowseButton());
          EXPECT_TRUE(sheet.PressOk());
        })
        .FolderBrowser(path)
        .MessageBox(TtWin::IDOK, seen);
    Choose({kTools, 0});
  }
};

TEST_F(ArchetypeViewsTest, TheRuleFolderOfTheSettingsRelabelsTheDecksAndTheirColumns) {
  OpenWithBothDecks();
  AddArchetypeColumns();
  EXPECT_THAT(Headers(), ElementsAre("カード名", "blue.txt (1)", "burn.txt (1)"));

  TtTesting::MessageBoxSeen seen;
  ChooseRuleFolder(RuleFolder(), &seen);
  EXPECT_NE(seen.text.find("アーキタイプ 4 件、フォールバック 2 件を読み込みました。"),
            std::string::npos);
  EXPECT_NE(seen.text.find("Truncated.json"), std::string::npos)
      << "the file that could not be read";
  EXPECT_NE(folder.Settings().find("ArchetypeRules=" + RuleFolder()), std::string::npos);
  AddArchetypeColumns();
  EXPECT_THAT(Headers(), ElementsAre("カード名", "blue.txt (1)", "burn.txt (1)",
                                     "Mono Blue GenericControl (1)", "Mono Red Burn (1)"));

  // A deck column's tooltip names its archetype and how it was decided.
  Choose({kOperations, 0});
  EXPECT_NE(TtTesting::ListHeaderToolTip(List(), 5).find("アーキタイプ: Mono Red Burn (規則)"),
            std::string::npos);
}

TEST_F(ArchetypeViewsTest, TheArchetypeListSortsByArchetype) {
  folder.WriteSettings("[Tarvane]\nArchetypeRules=" + RuleFolder() + "\n");
  // The problems of the folder are told when the window opens.
  answers.MessageBox(TtWin::IDOK);
  folder.Write("tarvane.nut", TestStartupScript() + kArchetypeScript);
  Open();
  AddDecks(
      {folder.burn, folder.blue, folder.Write("decks/mine.txt", "#ARCHETYPE Aaa\n4 Island\n")});
  std::vector<std::vector<std::string>> shown;
  answers.Dialog([&](TtWindow& window) {
    auto& dialog = dynamic_cast<ArchetypeListDialog&>(window);
    auto rows = [&] {
      std::vector<std::string> texts;
      for (int item = 0; item < dialog.GetList().GetItemCount(); ++item) {
        texts.push_back(dialog.GetList().GetItemText(item, 0) + "|" +
                        dialog.GetList().GetItemText(item, 1));
      }
      shown.push_back(texts);
    };
    rows();
    TtTesting::ClickListHeader(dialog.GetList(), ArchetypeListDialog::kArchetypeColumn);
    rows();
    TtTesting::ClickListHeader(dialog.GetList(), ArchetypeListDialog::kArchetypeColumn);
    rows();
    TtTesting::Click(dialog.GetOkButton());
  });
  Choose({kTools, 2});
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_THAT(shown[0], ElementsAre("Mono Red Burn|規則", "Mono Blue GenericControl|フォールバック",
                                    "Aaa|ヘッダー"));
  EXPECT_THAT(shown[1], ElementsAre("Aaa|ヘッダー", "Mono Blue GenericControl|フォールバック",
                                    "Mono Red Burn|規則"));
  EXPECT_THAT(shown[2], ElementsAre("Mono Red Burn|規則", "Mono Blue GenericControl|フォールバック",
                                    "Aaa|ヘッダー"));
}

TEST_F(ArchetypeViewsTest, AnArchetypeColumnsMenuWritesItsAverageDeck) {
  OpenWithBothDecks();
  AddArchetypeColumns();
  PopupRecorder popup;
  answers.PopupMenu(popup.Choose(3));
  frame->ShowColumnMenu(HeaderPoint(0));
  EXPECT_FALSE(popup.enabled[3]) << "the card name column counts no archetype";

  const std::string path = folder.Join("average.txt");
  TtTesting::FileDialogSeen seen;
  answers.PopupMenu(popup.Choose(3)).FileDialog({path}, &seen);
  frame->ShowColumnMenu(HeaderPoint(2));
  EXPECT_TRUE(popup.enabled[3]);
  EXPECT_TRUE(seen.save);
  EXPECT_EQ(ScratchFolder::Read(path).rfind("#NAME 平均デッキ: burn.txt 1 (1デッキ)\n", 0), 0u);
}

}  // namespace
}  // namespace TarvaneTest

namespace TarvaneTest {
namespace {

// An event of 60 decks as an event file gives them: every deck named after the event, each a
// variation of a sample deck, and two rogue decks that join a third of two others each (one
// meets two archetypes, the other stays a Dredge deck).
std::vector<std::string> SampleEvent(const MainWindowProgramFolder& folder) {
  const std::string bin = TARVANE_PROGRAM_DIR;
  const std::vector<std::pair<std::string, int>> samples = {
      {"boros_burn", 12},     {"mono_green_tron", 9}, {"izzet_phoenix", 8},
      {"humans", 7},          {"amulet_titan", 6},    {"jund", 5},
      {"azorius_control", 5}, {"grixis_shadow", 4},   {"dredge", 2}};
  std::mt19937 random(2026);
  auto card_lines = [&](const std::string& sample) {
    std::vector<std::string> lines;
    std::istringstream text(ScratchFolder::Read(bin + "/decks/" + sample + ".txt"));
    for (std::string line; std::getline(text, line);) {
      if (!line.starts_with("#")) lines.push_back(line);
    }
    return lines;
  };
  std::vector<std::string> paths;
  auto write = [&](const std::vector<std::string>& lines) {
    std::string text =
        "#NAME Modern Challenge 64\n#PLAYER player" + std::to_string(paths.size() + 1) + "\n";
    for (const std::string& line : lines) {
      // A copy count changed here and there, as players tune their lists.
      const bool tuned = !line.empty() && line[0] >= '1' && line[0] <= '4' && random() % 6 == 0;
      text += tuned ? std::to_string(1 + random() % 4) + line.substr(1) + "\n" : line + "\n";
    }
    char name[32];
    std::snprintf(name, sizeof name, "event/%03zu.txt", paths.size() + 1);
    paths.push_back(folder.Write(name, text));
  };
  for (const auto& [sample, copies] : samples) {
    for (int copy = 0; copy < copies; ++copy) write(card_lines(sample));
  }
  for (const auto& [first, second] :
       {std::pair{"humans", "boros_burn"}, std::pair{"jund", "dredge"}}) {
    std::vector<std::string> a = card_lines(first), b = card_lines(second), mixed;
    mixed.insert(mixed.end(), a.begin(), a.begin() + static_cast<long>(a.size() / 3));
    mixed.insert(mixed.end(), b.begin(), b.begin() + static_cast<long>(b.size() / 3));
    write(mixed);
  }
  return paths;
}

// The shipped program over that event: without rules the archetype columns see one archetype,
// the event; with the example rule folder of the docs, the field. With
// TARVANE_ARCHETYPES_SCREENSHOT set to a PNG path, the window is saved there.
TEST_F(MainWindowFixture, AnEventByArchetypeWithTheShippedScript) {
  folder.UseShippedProgramFiles(TARVANE_PROGRAM_DIR);
  const std::vector<std::string> paths = SampleEvent(folder);
  Open();
  frame->SetPositionSize(0, 0, 1200, 720);
  frame->GetTable().AddDeckFiles(paths);
  auto add_share_columns = [&] {
    // 特殊カラムの追加 → アーキタイプ別 → 採用率.
    answers.PopupMenu([](const TtMenu& menu, TtWin::POINT) {
      return TtTesting::PopupChoice{menu.GetSubMenu(7).GetHandle(), 0};
    });
    TtTesting::ClickToolBarButton(frame->GetToolBar(), MainCommand::SpecialColumnDropDown);
  };
  add_share_columns();
  EXPECT_THAT(Headers(), ElementsAre("カード名", "Modern Challenge 64 (60) 採用率"));

  frame->GetScriptHost().GetSettings().ArchetypeRules =
      SourcePath("docs/examples/archetype-rules/Modern");
  frame->GetTable().SetArchetypeRules(frame->GetScriptHost().GetSettings().ArchetypeRules);
  frame->GetTable().DeleteAllColumns();
  add_share_columns();
  EXPECT_THAT(Headers(),
              ElementsAre("カード名", "Boros Burn (12) 採用率", "Mono Green Tron (9) 採用率",
                          "Izzet Phoenix (8) 採用率", "Humans (7) 採用率",
                          "Amulet Titan (6) 採用率", "Azorius Control (5) 採用率",
                          "Jund Midrange (5) 採用率", "Grixis Shadow (4) 採用率",
                          "Dredge (3) 採用率", "5 Color Burn / Humans (1) 採用率"));

  if (const char* screenshot = std::getenv("TARVANE_ARCHETYPES_SCREENSHOT")) {
    Choose({4, 0});  // 表示 → 色分け
    TtTesting::ClickListHeader(List(), 1);
    // Wide enough for every header on a screen of 1600 pixels.
    frame->SetPositionSize(0, 0, 1560, 720);
    List().SetColumnWidth(0, 170);
    for (int column = 1; column < List().GetColumnCount(); ++column) {
      List().SetColumnWidth(column, 136);
    }
    WaitForPaint();
    EXPECT_TRUE(TtTesting::SaveScreenshot(frame.get(), screenshot));
  }
}

}  // namespace
}  // namespace TarvaneTest
