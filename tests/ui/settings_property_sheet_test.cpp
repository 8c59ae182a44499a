// The settings sheet: the page shows the record, checks the width on OK and only then writes the
// record and the settings file, enables the script path with its check box, and stores a script
// below the program's folder as a relative path.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "app/program_files.h"
#include "app/settings.h"
#include "tests/support/desktop_names.h"
#include "tests/ui/dialog_test_support.h"
#include "ui/settings_property_sheet.h"

using Tarvane::Settings;
using Tarvane::SettingsPropertySheet;
using TarvaneTest::ScratchFolder;
using MainPage = Tarvane::SettingsPropertySheet::MainPage;

namespace {

class SettingsPropertySheetTest : public ::testing::Test {
protected:
  // The settings file is <scratch>/tarvane.ini.
  SettingsPropertySheetTest() : program_(scratch_.Join("tarvane")) {
    settings_.IfZeroNullString = false;
    settings_.DefaultColumnWidth = 72;
    settings_.UseExtensionScript = true;
    settings_.ExtensionScriptPath = "./scripts/拡張.nut";
  }

  std::string SettingsFileText() const { return ScratchFolder::Read(scratch_.Join("tarvane.ini")); }

  ScratchFolder scratch_;
  Tarvane::ProgramFiles::Scope program_;
  Settings settings_;
  TarvaneTest::Owner owner_;
  TtTesting::ModalAnswers answers_;
  SettingsPropertySheet sheet_{settings_};
  MainPage& page_ = sheet_.GetMainPage();
};

}  // namespace

TEST_F(SettingsPropertySheetTest, AnEmptyWidthIsRefusedWithItsMessageAndZeroIsSaved) {
  TtTesting::MessageBoxSeen empty;
  TtTesting::MessageBoxSeen too_large;
  TtTesting::MessageBoxSeen negative;
  TtTesting::MessageBoxSeen huge;
  answers_
      .Dialog([&](TtWindow&) {
        EXPECT_EQ(sheet_.GetText(), "設定");
        std::vector<std::string> buttons = TtTesting::ButtonLabels(sheet_);
        auto ok = std::find(buttons.begin(), buttons.end(), "OK");
        EXPECT_LT(ok, std::find(buttons.begin(), buttons.end(), "キャンセル"))
            << "OK first, then キャンセル";
        EXPECT_EQ(page_.GetWidthEdit().GetText(), "72");
        TtTesting::Click(page_.GetZeroCheck());
        page_.GetWidthEdit().SetText("");
        EXPECT_FALSE(sheet_.PressOk());
        page_.GetWidthEdit().SetText("2147483648");
        EXPECT_FALSE(sheet_.PressOk());
        EXPECT_EQ(settings_.DefaultColumnWidth, 72) << "the record is untouched until a good apply";
        EXPECT_FALSE(settings_.IfZeroNullString);
        EXPECT_FALSE(std::filesystem::exists(scratch_.Join("tarvane.ini"))) << "nothing saved";
        // Pasted past the digits-only typing: a negative width and one the widget set cannot draw.
        page_.GetWidthEdit().SetText("-5");
        EXPECT_FALSE(sheet_.PressOk());
        page_.GetWidthEdit().SetText("100000000");
        EXPECT_FALSE(sheet_.PressOk());
        page_.GetWidthEdit().SetText("0");
        EXPECT_TRUE(sheet_.PressOk());
      })
      .MessageBox(TtWin::IDOK, &empty)
      .MessageBox(TtWin::IDOK, &too_large)
      .MessageBox(TtWin::IDOK, &negative)
      .MessageBox(TtWin::IDOK, &huge);
  EXPECT_EQ(sheet_.ShowDialog(&owner_), 1);
  EXPECT_EQ(empty.text, "カラムのデフォルト幅を数値に変換できませんでした。");
  EXPECT_EQ(empty.caption, "設定エラー");
  EXPECT_EQ(empty.icon, TtWin::MB_ICONERROR);
  EXPECT_EQ(too_large.text, empty.text);
  EXPECT_EQ(negative.text, "カラムのデフォルト幅は 0 から 2000 までの数値で指定してください。");
  EXPECT_EQ(negative.caption, "設定エラー");
  EXPECT_EQ(huge.text, negative.text);

  EXPECT_EQ(settings_.DefaultColumnWidth, 0);
  EXPECT_TRUE(settings_.IfZeroNullString);
  std::string text = SettingsFileText();
  for (const char* line :
       {"[Tarvane]", "FirstColumnIsJapanese=1", "IfZeroNullString=1", "DefaultColumnWidth=0",
        "UseExtensionScript=1", "ExtensionScriptPath=./scripts/拡張.nut"}) {
    EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;
  }
  TarvaneTest::ExpectNoFailures(answers_);
}

TEST_F(SettingsPropertySheetTest, UntickingTheScriptDisablesThePathButKeepsAndSavesIt) {
  answers_.Dialog([&](TtWindow&) {
    EXPECT_TRUE(page_.GetScriptPathEdit().IsEnabled());
    TarvaneTest::SaveScreenshotIfAsked(sheet_, "settings");
    TtTesting::Click(page_.GetScriptCheck());
    EXPECT_FALSE(page_.GetScriptPathEdit().IsEnabled());
    EXPECT_FALSE(page_.GetBrowseButton().IsEnabled());
    EXPECT_EQ(page_.GetScriptPathEdit().GetText(), "./scripts/拡張.nut");
    EXPECT_TRUE(sheet_.PressOk());
  });
  EXPECT_EQ(sheet_.ShowDialog(&owner_), 1);
  Settings read;
  Tarvane::LoadSettings(read);
  EXPECT_FALSE(read.UseExtensionScript);
  EXPECT_EQ(read.ExtensionScriptPath, "./scripts/拡張.nut");
  TarvaneTest::ExpectNoFailures(answers_);
}

TEST_F(SettingsPropertySheetTest, CancelOrTheCloseBoxAfterChangingEveryControlLeavesRecordAndFile) {
  Tarvane::SaveSettings(settings_);
  const std::string saved = SettingsFileText();
  const Settings before = settings_;
  auto change_everything = [&] {
    TtTesting::Click(page_.GetZeroCheck());
    TtTesting::Click(page_.GetJapaneseCheck());
    page_.GetWidthEdit().SetText("200");
    page_.GetScriptPathEdit().SetText("/elsewhere/other.nut");
    TtTesting::Click(page_.GetScriptCheck());
  };
  answers_
      .Dialog([&](TtWindow&) {
        change_everything();
        sheet_.PressCancel();
      })
      .Dialog([&](TtWindow& shown) {
        change_everything();
        TtTesting::CloseWindow(shown);
      });
  EXPECT_EQ(sheet_.ShowDialog(&owner_), 0);
  EXPECT_EQ(sheet_.ShowDialog(&owner_), 0);
  EXPECT_EQ(settings_, before);
  EXPECT_EQ(SettingsFileText(), saved);
  TarvaneTest::ExpectNoFailures(answers_);
}

TEST_F(SettingsPropertySheetTest, BrowsingToANameWithoutAnExactSpellingKeepsThePathAndSaysWhy) {
  TtTesting::MessageBoxSeen seen;
  answers_
      .Dialog([&](TtWindow&) {
        TtTesting::Click(page_.GetBrowseButton());
        EXPECT_EQ(page_.GetScriptPathEdit().GetText(), "./scripts/拡張.nut");
        EXPECT_TRUE(sheet_.PressOk());
      })
      .FileDialogAsTyped({scratch_.Join(DesktopNames::kCafe + ".nut")})
      .MessageBox(TtWin::IDOK, &seen);
  EXPECT_EQ(sheet_.ShowDialog(&owner_), 1);
  EXPECT_EQ(seen.caption, "ファイルアクセスエラー");
  EXPECT_NE(seen.text.find(scratch_.Join("caf<U+00E9>.nut")), std::string::npos) << seen.text;
  EXPECT_EQ(settings_.ExtensionScriptPath, "./scripts/拡張.nut");
  TarvaneTest::ExpectNoFailures(answers_);
}

TEST_F(SettingsPropertySheetTest,
       BrowsingStoresAScriptBelowTheProgramFolderRelativeAndOthersInFull) {
  TtTesting::FileDialogSeen seen;
  answers_
      .Dialog([&](TtWindow&) {
        TtEdit& path = page_.GetScriptPathEdit();
        TtTesting::Click(page_.GetBrowseButton());
        EXPECT_EQ(path.GetText(), "./scripts/deck_tools.nut");
        TtTesting::Click(page_.GetBrowseButton());
        EXPECT_EQ(path.GetText(), "./ext.nut");
        TtTesting::Click(page_.GetBrowseButton());
        EXPECT_EQ(path.GetText(), "/home/player/ext.nut")
            << "outside the program's folder: the full path";
        TtTesting::Click(page_.GetBrowseButton());
        EXPECT_EQ(path.GetText(), "/home/player/ext.nut") << "a cancelled dialog changes nothing";
        EXPECT_TRUE(sheet_.PressOk());
      })
      .FileDialog({scratch_.Join("scripts/deck_tools.nut")}, &seen)
      .FileDialog({scratch_.Join("ext.nut")})
      .FileDialog({"/home/player/ext.nut"})
      .CancelFileDialog();
  EXPECT_EQ(sheet_.ShowDialog(&owner_), 1);
  EXPECT_EQ(seen.filter_text, "Squirrelスクリプト(*.*)|*");
  EXPECT_EQ(seen.file_name, "./scripts/拡張.nut") << "the path edit's text is the initial file";
  EXPECT_EQ(settings_.ExtensionScriptPath, "/home/player/ext.nut");
  TarvaneTest::ExpectNoFailures(answers_);
}
