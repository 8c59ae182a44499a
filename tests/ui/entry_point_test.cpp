// The program as a whole: the entry point's failures and exit code, the toolbar pictures that
// ship with it, and the shipped program folder with its sample decks. With TARVANE_SCREENSHOT
// set to a file name, the last test saves a picture of the window with every sample deck there.
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <thread>

#include "tests/support/desktop_names.h"
#include "tests/ui/main_window_test_support.h"
#include "ttl/gui/tt_bmp_image.h"
#include "ttl/gui/tt_form.h"

using ::testing::HasSubstr;

namespace TarvaneTest {
namespace {

using namespace Tarvane;

class EntryPointTest : public MainWindowFixture {};

TEST_F(EntryPointTest, AMissingToolbarBitmapEndsTheProgramWithItsBoxAndALogEntry) {
  folder.Remove("tarvane.bmp");
  TtTesting::MessageBoxSeen seen;
  answers.MessageBox(TtWin::IDOK, &seen);
  EXPECT_EQ(WinMain(), 0);
  EXPECT_EQ(seen.caption, "エラー");
  EXPECT_EQ(seen.text, "ファイルが存在しません。\r\nファイル : " + folder.Join("tarvane.bmp"));
  EXPECT_EQ(seen.icon, TtWin::MB_ICONERROR);
  EXPECT_THAT(folder.Settings(), HasSubstr("[ErrorLog]"));
  EXPECT_THAT(folder.Settings(), HasSubstr("tarvane.bmp"));
}

TEST_F(EntryPointTest, AMissingStartupScriptEndsTheProgramWithItsBoxAndALogEntry) {
  folder.Remove("tarvane.nut");
  TtTesting::MessageBoxSeen seen;
  answers.MessageBox(TtWin::IDOK, &seen);
  EXPECT_EQ(WinMain(), 0);
  EXPECT_EQ(seen.caption, "エラー");
  EXPECT_EQ(seen.text, "ファイルが存在しません。\r\nファイル : " + folder.Join("tarvane.nut"));
  EXPECT_THAT(folder.Settings(), HasSubstr("tarvane.nut"));
}

TEST_F(EntryPointTest, AFailingStartupScriptEndsTheProgramQuietlyAfterItsOwnBox) {
  folder.Write("tarvane.nut", "this is no script");
  TtTesting::MessageBoxSeen seen;
  answers.MessageBox(TtWin::IDOK, &seen);
  EXPECT_EQ(WinMain(), 0);
  EXPECT_EQ(seen.caption, "拡張スクリプトのエラー");
  EXPECT_THAT(folder.Settings(), ::testing::Not(HasSubstr("[ErrorLog]")));
}

TEST_F(EntryPointTest, ANormalRunReturnsTheExitCodeOfTheMessageLoop) {
  // The quit message is waiting before the loop starts, so the loop ends at once.
  TtForm::PostQuitMessage(7);
  EXPECT_EQ(WinMain(), 7);
  TtTesting::ProcessEvents();
}

// Names as the system hands them over: one CP932 cannot spell, one that is no UTF-8 at all,
// a deck list and a missing file. The two are named in one box and the others are opened (the
// missing file's own box shows that they were).
TEST_F(EntryPointTest, CommandLineNamesWithoutASpellingAreReportedAndTheOthersOpened) {
  using namespace DesktopNames;
  const std::string emoji = folder.Join("decks/" + kEmoji + ".txt");
  const std::string latin1 = folder.Join("decks/" + kLatin1 + ".txt");
  const std::string missing = folder.Join("decks/missing.txt");
  TtTesting::MessageBoxSeen names_box, missing_box;
  answers.MessageBox(TtWin::IDOK, &names_box).MessageBox(TtWin::IDOK, &missing_box);
  TtForm::PostQuitMessage(0);
  EXPECT_EQ(WinMain({emoji, folder.burn, latin1, missing}), 0);
  TtTesting::ProcessEvents();

  EXPECT_EQ(names_box.caption, "ファイルアクセスエラー");
  EXPECT_NE(names_box.text.find(folder.Join("decks/<U+1F600>.txt")), std::string::npos)
      << names_box.text;
  EXPECT_NE(names_box.text.find(folder.Join("decks/caf<0xE9>.txt")), std::string::npos)
      << names_box.text;
  EXPECT_NE(missing_box.text.find(missing), std::string::npos) << missing_box.text;
  EXPECT_THAT(folder.Settings(), ::testing::Not(HasSubstr("[ErrorLog]")));
}

TEST(ToolbarPicturesTest, TheShippedStripHoldsTwelveDistinctPicturesOnMagenta) {
  const std::string path = SourcePath("data/tarvane.bmp");
  ToolImageList pictures(path);
  EXPECT_EQ(pictures.GetImageCount(), 12);
  EXPECT_EQ(pictures.GetWidth(), 16);
  EXPECT_EQ(pictures.GetHeight(), 15);
  TtBmpImage strip = TtBmpImage::LoadFromFile(path);
  ASSERT_EQ(strip.GetWidth(), 12 * 16);
  ASSERT_EQ(strip.GetHeight(), 15);
  std::set<std::vector<TtWin::COLORREF>> distinct;
  for (int picture = 0; picture < 12; ++picture) {
    std::vector<TtWin::COLORREF> pixels;
    for (int y = 0; y < 15; ++y) {
      for (int x = 0; x < 16; ++x) pixels.push_back(strip.GetPixel(picture * 16 + x, y));
    }
    long transparent = std::count(pixels.begin(), pixels.end(), ToolImageList::kMaskColour);
    SCOPED_TRACE(picture);
    EXPECT_GT(transparent, 0) << "the toolbar shows through";
    EXPECT_GT(static_cast<long>(pixels.size()) - transparent, 40) << "a picture, not a dot";
    distinct.insert(pixels);
  }
  EXPECT_EQ(distinct.size(), 12u);
}

// The program folder that the build makes: start-up script, sample dictionary, sample decks.
TEST_F(EntryPointTest, TheShippedProgramFolderShowsEverySampleDeckAsAColumn) {
  const std::string bin = TARVANE_PROGRAM_DIR;
  ProgramFiles::Scope program(bin + "/tarvane");
  std::vector<std::string> decks;
  for (const auto& file : std::filesystem::directory_iterator(bin + "/decks")) {
    decks.push_back(file.path().string());
  }
  std::sort(decks.begin(), decks.end());
  ASSERT_FALSE(decks.empty());

  pictures = std::make_unique<ToolImageList>(ProgramFiles::GetToolbarBitmapPath());
  frame = std::make_unique<MainFrame>(*pictures);
  frame->Create({});
  frame->SetPositionSize(0, 0, 1200, 720);
  frame->Show();
  AddDecks(decks);
  Choose({3, 0});
  EXPECT_EQ(Status(0), "デッキ数 : " + std::to_string(decks.size()));
  EXPECT_EQ(List().GetColumnCount(), static_cast<int>(decks.size()) + 1);
  EXPECT_GT(List().GetItemCount(), 40);
  int special_rows = 0;
  for (int item = 0; item < List().GetItemCount(); ++item)
    special_rows += List().IsCardRow(item) ? 0 : 1;
  EXPECT_GT(special_rows, 0);

  if (const char* screenshot = std::getenv("TARVANE_SCREENSHOT")) {
    // As a user widens the columns to read the names, and scrolls down to the first totals.
    List().SetColumnWidth(0, 190);
    for (int column = 1; column < List().GetColumnCount(); ++column)
      List().SetColumnWidth(column, 96);
    int first_total = 0;
    while (List().IsCardRow(first_total)) ++first_total;
    List().EnsureVisible(std::min(first_total + 14, List().GetItemCount() - 1));
    List().SetItemSelected(first_total + 2, true);
    WaitForPaint();
    EXPECT_TRUE(TtTesting::SaveScreenshot(frame.get(), screenshot));
  }
}

}  // namespace
}  // namespace TarvaneTest
