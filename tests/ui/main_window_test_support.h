#pragma once
// Shared pieces of the main window tests: a program folder with a small dictionary, a start-up
// script written for these tests, the toolbar pictures and two deck lists; and a fixture that
// builds the main window as the entry point does and answers its modal dialogs.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/program_folder.h"
#include "tests/support/test_script_classes.h"
#include "ttl/testing/tt_testing.h"
#include "ui/main_frame.h"
#include "ui/open_list_dialog.h"

namespace Tarvane {
// The entry point's steps that show the main window (ui/tarvane_main.cpp, compiled into the
// tests); WinMain takes the command line's arguments as main passes them.
void ShowMainWindow(MainFrame& frame);
int WinMain(const std::vector<std::string>& arguments = {});
}  // namespace Tarvane

namespace TarvaneTest {

// Appended piece by piece: g++ 12 warns wrongly (array bounds) about the chain of + here.
inline std::string SourcePath(const std::string& relative) {
  std::string path = TARVANE_SOURCE_DIR;
  path += '/';
  path += relative;
  return path;
}

// The shared script classes with the window tests' menus; a deck column sorts in reverse.
inline std::string TestStartupScript() {
  std::string script = TestScriptClasses();
  script += R"(
::deck_column_sorter <- function(deck) { return ::ReverseSorter(); }
special_entry(::Card.Type.MainTotal, "Main Total", "メイン合計", ::Board.Type.Mainboard, true);
special_entry(::Card.Type.MainTotal, "Side Total", "サイド合計", ::Board.Type.Sideboard, true);

::Organizer.processors.extend([
  ValueProcessor("定数", 7), null, SubMenu("その他", [ValueProcessor("文字", "a\"b")])
]);
::Organizer.sorters.extend([NameSorter(), ReverseSorter()]);
)";
  return script;
}

// Lightning Bolt is on both boards of burn; Mountain is on burn's main deck and blue's
// sideboard.
inline std::string BurnDeck() {
  return "4 Lightning Bolt\n4 Goblin Guide\n8 Mountain\n\n2 Lightning Bolt\n";
}
inline std::string BlueDeck() { return "4 Counterspell\n10 Island\n\n2 Mountain\n"; }

// Records the enabled items of the pop-up menu it is shown, and chooses `position` (or nothing).
struct PopupRecorder {
  std::vector<bool> enabled;
  TtWin::HMENU menu = nullptr;

  std::function<TtTesting::PopupChoice(const TtMenu&, TtWin::POINT)> Choose(int position) {
    return [this, position](const TtMenu& shown, TtWin::POINT) {
      menu = shown.GetHandle();
      enabled.clear();
      for (int item = 0; item < shown.GetItemCount(); ++item)
        enabled.push_back(shown.IsItemEnabled(item));
      return position < 0 ? TtTesting::PopupChoice{}
                          : TtTesting::PopupChoice{shown.GetHandle(), position};
    };
  }
};

// Lets the widget set paint what changed: it paints on its frame clock, so the X server shows
// it a little later.
inline void WaitForPaint() {
  for (int round = 0; round < 40; ++round) {
    TtTesting::ProcessEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
  }
}

// With TARVANE_SCREENSHOT_DIR set, saves a picture of the window (null: the whole screen) there
// as <name>.png, once the X server has painted it.
inline void SaveScreenshotIfAsked(const TtWindow* window, const std::string& name) {
  const char* folder = std::getenv("TARVANE_SCREENSHOT_DIR");
  if (!folder) return;
  WaitForPaint();
  EXPECT_TRUE(TtTesting::SaveScreenshot(window, std::string(folder) + "/" + name + ".png"));
}

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

  // The built program's start-up script and sample dictionary in place of the test ones.
  void UseShippedProgramFiles(const std::string& bin) {
    Write("tarvane.nut", ScratchFolder::Read(bin + "/tarvane.nut"));
    for (const auto& file : std::filesystem::directory_iterator(bin + "/dictionary")) {
      Write("dictionary/" + file.path().filename().string(),
            ScratchFolder::Read(file.path().string()));
    }
    Remove("dictionary/cards.dat");
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
    for (int item = 0; item < List().GetItemCount(); ++item)
      texts.push_back(List().GetItemText(item, column));
    return texts;
  }

  std::vector<std::string> Headers() {
    std::vector<std::string> texts;
    for (int column = 0; column < List().GetColumnCount(); ++column)
      texts.push_back(List().GetColumnText(column));
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
