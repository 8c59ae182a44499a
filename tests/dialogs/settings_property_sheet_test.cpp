// The settings sheet: the page shows the record, checks the width on OK, writes the record and
// the settings file only then, enables the script path with its check box, and stores a chosen
// script below the program's folder as a relative path.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/program_files.h"
#include "app/settings.h"
#include "tests/dialogs/dialog_test_support.h"
#include "tests/ttl/scratch_folder.h"
#include "ui/settings_property_sheet.h"

using DialogTest::PlaceOf;
using Tarvane::Settings;
using Tarvane::SettingsPropertySheet;
using MainPage = Tarvane::SettingsPropertySheet::MainPage;

namespace {

class SettingsPropertySheetTest : public ::testing::Test {
protected:
  SettingsPropertySheetTest() : program_(scratch_.Join("tarvane")) {
    settings_.IfZeroNullString = false;
    settings_.FirstColumnIsJapanese = true;
    settings_.DefaultColumnWidth = 72;
    settings_.UseExtensionScript = true;
    settings_.ExtensionScriptPath = "./scripts/拡張.nut";
  }

  std::string SettingsFileText() const { return ScratchFolder::Read(scratch_.Join("tarvane.ini")); }
  bool SettingsFileExists() const { return std::filesystem::exists(scratch_.Join("tarvane.ini")); }

  ScratchFolder scratch_;
  Tarvane::ProgramFiles::Scope program_;
  Settings settings_;
  DialogTest::Owner owner_;
  TtTesting::ModalAnswers answers_;
};

}  // namespace

TEST_F(SettingsPropertySheetTest, ThePageShowsTheRecordWithItsControlsInPlace) {
  SettingsPropertySheet sheet(settings_);
  answers_.Dialog([&](TtWindow&) {
    MainPage& page = sheet.GetMainPage();
    EXPECT_EQ(sheet.GetText(), "設定");
    EXPECT_EQ(page.GetTitle(), "設定");
    EXPECT_FALSE(page.GetZeroCheck().GetCheck());
    EXPECT_TRUE(page.GetJapaneseCheck().GetCheck());
    EXPECT_EQ(page.GetWidthEdit().GetText(), "72");
    EXPECT_TRUE(page.GetScriptCheck().GetCheck());
    EXPECT_EQ(page.GetScriptPathEdit().GetText(), "./scripts/拡張.nut");
    EXPECT_TRUE(page.GetScriptPathEdit().IsEnabled());
    EXPECT_TRUE(page.GetBrowseButton().IsEnabled());
    EXPECT_EQ(page.GetScriptCheck().GetText(), "拡張スクリプトを使用する。（変更は再起動後に有効になります）");
    EXPECT_EQ(PlaceOf(page.GetZeroCheck()), (DialogTest::Place{4, 4, 250, 20}));
    EXPECT_EQ(PlaceOf(page.GetJapaneseCheck()), (DialogTest::Place{4, 28, 250, 20}));
    EXPECT_EQ(PlaceOf(page.GetWidthEdit()), (DialogTest::Place{128, 52, 100, 20}));
    EXPECT_EQ(PlaceOf(page.GetScriptCheck()), (DialogTest::Place{4, 76, 360, 20}));
    EXPECT_EQ(PlaceOf(page.GetScriptPathEdit()), (DialogTest::Place{32, 100, 320, 20}));
    EXPECT_EQ(PlaceOf(page.GetBrowseButton()), (DialogTest::Place{356, 100, 42, 20}));
    DialogTest::SaveScreenshotIfAsked(sheet, "settings");
    sheet.PressCancel();
  });
  EXPECT_EQ(sheet.ShowDialog(&owner_), 0);
  DialogTest::ExpectNoFailures(answers_);
}

TEST_F(SettingsPropertySheetTest, AnEmptyWidthIsRefusedWithItsMessageAndZeroIsSaved) {
  SettingsPropertySheet sheet(settings_);
  TtTesting::MessageBoxSeen empty;
  TtTesting::MessageBoxSeen too_large;
  answers_
      .Dialog([&](TtWindow&) {
        MainPage& page = sheet.GetMainPage();
        TtTesting::Click(page.GetZeroCheck());
        page.GetWidthEdit().SetText("");
        EXPECT_FALSE(sheet.PressOk());
        page.GetWidthEdit().SetText("2147483648");
        EXPECT_FALSE(sheet.PressOk());
        EXPECT_EQ(settings_.DefaultColumnWidth, 72) << "the record is untouched until a good apply";
        EXPECT_FALSE(settings_.IfZeroNullString);
        EXPECT_FALSE(SettingsFileExists()) << "nothing saved";
        page.GetWidthEdit().SetText("0");
        EXPECT_TRUE(sheet.PressOk());
      })
      .MessageBox(TtWin::IDOK, &empty)
      .MessageBox(TtWin::IDOK, &too_large);
  EXPECT_EQ(sheet.ShowDialog(&owner_), 1);
  EXPECT_EQ(empty.text, "カラムのデフォルト幅を数値に変換できませんでした。");
  EXPECT_EQ(empty.caption, "設定エラー");
  EXPECT_EQ(empty.button_set, TtWin::MB_OK);
  EXPECT_EQ(empty.icon, TtWin::MB_ICONERROR);
  EXPECT_EQ(too_large.text, empty.text);

  EXPECT_EQ(settings_.DefaultColumnWidth, 0);
  EXPECT_TRUE(settings_.IfZeroNullString);
  std::string text = SettingsFileText();
  for (const char* line : {"[Tarvane]", "FirstColumnIsJapanese=1", "IfZeroNullString=1", "DefaultColumnWidth=0",
                           "UseExtensionScript=1", "ExtensionScriptPath=./scripts/拡張.nut"}) {
    EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;
  }
  Settings read;
  Tarvane::LoadSettings(read);
  EXPECT_EQ(read, settings_);
  DialogTest::ExpectNoFailures(answers_);
}

TEST_F(SettingsPropertySheetTest, UntickingTheScriptDisablesThePathButKeepsAndSavesIt) {
  SettingsPropertySheet sheet(settings_);
  answers_.Dialog([&](TtWindow&) {
    MainPage& page = sheet.GetMainPage();
    TtTesting::Click(page.GetScriptCheck());
    EXPECT_FALSE(page.GetScriptPathEdit().IsEnabled());
    EXPECT_FALSE(page.GetBrowseButton().IsEnabled());
    EXPECT_EQ(page.GetScriptPathEdit().GetText(), "./scripts/拡張.nut");
    TtTesting::Click(page.GetScriptCheck());
    EXPECT_TRUE(page.GetScriptPathEdit().IsEnabled());
    TtTesting::Click(page.GetScriptCheck());
    EXPECT_TRUE(sheet.PressOk());
  });
  EXPECT_EQ(sheet.ShowDialog(&owner_), 1);
  Settings read;
  Tarvane::LoadSettings(read);
  EXPECT_FALSE(read.UseExtensionScript);
  EXPECT_EQ(read.ExtensionScriptPath, "./scripts/拡張.nut");
  DialogTest::ExpectNoFailures(answers_);
}

TEST_F(SettingsPropertySheetTest, CancelAfterChangingEveryControlLeavesTheRecordAndTheFile) {
  Tarvane::SaveSettings(settings_);
  std::string saved = SettingsFileText();
  const Settings before = settings_;
  SettingsPropertySheet sheet(settings_);
  auto change_everything = [&] {
    MainPage& page = sheet.GetMainPage();
    TtTesting::Click(page.GetZeroCheck());
    TtTesting::Click(page.GetJapaneseCheck());
    page.GetWidthEdit().SetText("200");
    page.GetScriptPathEdit().SetText("/elsewhere/other.nut");
    TtTesting::Click(page.GetScriptCheck());
  };
  answers_
      .Dialog([&](TtWindow&) {
        change_everything();
        sheet.PressCancel();
      })
      .Dialog([&](TtWindow& shown) {
        change_everything();
        TtTesting::CloseWindow(shown);
      });
  EXPECT_EQ(sheet.ShowDialog(&owner_), 0);
  EXPECT_EQ(sheet.ShowDialog(&owner_), 0) << "the close box";
  EXPECT_EQ(settings_, before);
  EXPECT_EQ(SettingsFileText(), saved);
  DialogTest::ExpectNoFailures(answers_);
}

TEST_F(SettingsPropertySheetTest, BrowsingStoresAScriptBelowTheProgramFolderRelativeAndOthersInFull) {
  SettingsPropertySheet sheet(settings_);
  TtTesting::FileDialogSeen seen;
  answers_
      .Dialog([&](TtWindow&) {
        TtEdit& path = sheet.GetMainPage().GetScriptPathEdit();
        TtTesting::Click(sheet.GetMainPage().GetBrowseButton());
        EXPECT_EQ(path.GetText(), "./scripts/deck_tools.nut");
        TtTesting::Click(sheet.GetMainPage().GetBrowseButton());
        EXPECT_EQ(path.GetText(), "/home/player/ext.nut") << "outside the program's folder: the full path";
        TtTesting::Click(sheet.GetMainPage().GetBrowseButton());
        EXPECT_EQ(path.GetText(), "/home/player/ext.nut") << "a cancelled dialog changes nothing";
        EXPECT_TRUE(sheet.PressOk());
      })
      .FileDialog({scratch_.Join("scripts/deck_tools.nut")}, &seen)
      .FileDialog({"/home/player/ext.nut"})
      .CancelFileDialog();
  EXPECT_EQ(sheet.ShowDialog(&owner_), 1);
  EXPECT_EQ(seen.filter_text, "Squirrelスクリプト(*.*)|*.*");
  EXPECT_EQ(seen.file_name, "./scripts/拡張.nut") << "the path edit's text is the initial file";
  EXPECT_FALSE(seen.multiple);
  EXPECT_EQ(settings_.ExtensionScriptPath, "/home/player/ext.nut");
  DialogTest::ExpectNoFailures(answers_);
}

TEST_F(SettingsPropertySheetTest, AScriptInTheProgramFolderItselfIsRelativeToo) {
  EXPECT_EQ(MainPage::ScriptPathToStore(scratch_.Join("ext.nut")), "./ext.nut");
  EXPECT_EQ(MainPage::ScriptPathToStore(scratch_.Join("a/b/ext.nut")), "./a/b/ext.nut");
  EXPECT_EQ(MainPage::ScriptPathToStore("/ext.nut"), "/ext.nut");
}
