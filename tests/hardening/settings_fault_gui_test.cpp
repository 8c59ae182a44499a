// The windows that write the settings file, with a settings file that cannot be written: each
// tells the user what was not saved, where and why, and goes on as if the write had worked.
#include <gtest/gtest.h>

#include <string>

#include "app/program_files.h"
#include "app/settings.h"
#include "tests/support/scratch_folder.h"
#include "tests/ui/dialog_test_support.h"
#include "tests/ui/main_window_test_support.h"
#include "ui/open_list_dialog.h"
#include "ui/settings_property_sheet.h"

using TarvaneTest::ScratchFolder;
using namespace Tarvane;

namespace {

// The settings file would lie in a folder that does not exist and cannot be made.
class SettingsFaultWindowTest : public ::testing::Test {
protected:
  SettingsFaultWindowTest() : program_(scratch_.Join("missing/tarvane")) {}

  void ExpectNotSavedBox(const TtTesting::MessageBoxSeen& seen, const std::string& sentence) {
    EXPECT_EQ(seen.caption, kSettingsNotSavedCaption);
    EXPECT_TRUE(seen.text.starts_with(sentence)) << seen.text;
    EXPECT_NE(seen.text.find(ProgramFiles::GetSettingsFilePath()), std::string::npos) << seen.text;
    EXPECT_NE(seen.text.find("::WritePrivateProfileString"), std::string::npos) << seen.text;
  }

  ScratchFolder scratch_;
  ProgramFiles::Scope program_;
  TarvaneTest::Owner owner_;
  TtTesting::ModalAnswers answers_;
};

}  // namespace

TEST_F(SettingsFaultWindowTest, TheSettingsSheetClosesWithTheNewSettingsAndSaysTheyWereNotSaved) {
  Settings settings;
  SettingsPropertySheet sheet(settings);
  TtTesting::MessageBoxSeen seen;
  answers_
      .Dialog([&](TtWindow&) {
        sheet.GetMainPage().GetWidthEdit().SetText("99");
        sheet.PressOk();
      })
      .MessageBox(TtWin::IDOK, &seen);
  sheet.ShowDialog(&owner_);
  TarvaneTest::ExpectNoFailures(answers_);
  ExpectNotSavedBox(seen, "設定を保存できませんでした。");
  EXPECT_EQ(settings.DefaultColumnWidth, 99);
  EXPECT_FALSE(std::filesystem::exists(scratch_.Join("missing")));
}

TEST_F(SettingsFaultWindowTest, AChosenFolderIsListedThoughItsPlaceCouldNotBeSaved) {
  std::string folder = TarvaneTest::MakeFolder(scratch_, "decks");
  TarvaneTest::WriteFile(scratch_, "decks/a.txt", "4 Forest\n");
  OpenListDialog dialog;
  TtTesting::MessageBoxSeen seen;
  answers_
      .Dialog([&](TtWindow&) {
        TtTesting::Click(dialog.GetFolderButton());
        EXPECT_EQ(dialog.GetListBox().GetCount(), 1);
        TtTesting::Click(dialog.GetOkButton());
      })
      .FolderBrowser(folder)
      .MessageBox(TtWin::IDOK, &seen);
  EXPECT_EQ(dialog.ShowDialog(&owner_), 1);
  TarvaneTest::ExpectNoFailures(answers_);
  ExpectNotSavedBox(seen, "フォルダの場所を保存できませんでした。");
  EXPECT_EQ(dialog.GetPaths(), std::vector<std::string>{folder + "/a.txt"});
}

// The settings file is a folder: the window opens where it is created and still closes.
class MainWindowSettingsFaultTest : public TarvaneTest::MainWindowFixture {};

TEST_F(MainWindowSettingsFaultTest, TheWindowClosesAndSaysItsPlaceWasNotSaved) {
  std::filesystem::create_directory(folder.Join("tarvane.ini"));
  Open();
  TtTesting::MessageBoxSeen seen;
  answers.MessageBox(TtWin::IDOK, &seen);
  Choose({0, 7});
  EXPECT_FALSE(frame->IsCreated()) << "終了 closes the window";
  EXPECT_EQ(seen.caption, kSettingsNotSavedCaption);
  EXPECT_TRUE(seen.text.starts_with("ウィンドウの位置を保存できませんでした。")) << seen.text;
  EXPECT_TRUE(std::filesystem::is_directory(folder.Join("tarvane.ini")));
}
