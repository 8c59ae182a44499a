#include "app/settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "app/program_files.h"
#include "tests/support/scratch_folder.h"
#include "ttl/core/tt_exception.h"
#include "ttl/core/tt_path.h"

using TarvaneTest::ScratchFolder;
using namespace Tarvane;

namespace {

class SettingsTest : public ::testing::Test {
protected:
  SettingsTest() : program_(scratch_.Join("tarvane")) {}
  std::string SettingsText() const { return ScratchFolder::Read(scratch_.Join("tarvane.ini")); }
  void WriteSettings(const std::string& text) const { scratch_.Write("tarvane.ini", text); }

  ScratchFolder scratch_;
  ProgramFiles::Scope program_;
};

WindowPlacement SamplePlacement() {
  WindowPlacement placement;
  placement.show_command = WindowPlacement::Maximized;
  placement.minimized_x = -1;
  placement.minimized_y = -32000;
  placement.normal_left = 100;
  placement.normal_top = 50;
  placement.normal_right = 1380;
  placement.normal_bottom = 1010;
  return placement;
}

}  // namespace

TEST(ProgramFilesTest, FilesAreNamedAfterTheExecutable) {
  ProgramFiles::Scope program("/tools/other.exe");
  EXPECT_EQ(ProgramFiles::GetSettingsFilePath(), "/tools/other.ini");
  EXPECT_EQ(ProgramFiles::GetStartupScriptPath(), "/tools/other.nut");
  EXPECT_EQ(ProgramFiles::GetToolbarBitmapPath(), "/tools/other.bmp");
  EXPECT_EQ(ProgramFiles::GetExecutableDirectory(), "/tools");
  EXPECT_EQ(ProgramFiles::GetDictionaryFolderPath(), "/tools/dictionary");
  EXPECT_EQ(ProgramFiles::ResolveUserScriptPath("ext/my.nut"), "/tools/ext/my.nut");
  EXPECT_EQ(ProgramFiles::ResolveUserScriptPath("/abs/my.nut"), "/abs/my.nut");
}

TEST(ProgramFilesTest, DefaultsToTheRunningExecutableAndScopesRestore) {
  std::string running = TtPath::GetExecutableFilePath();
  EXPECT_EQ(ProgramFiles::GetExecutablePath(), running);
  {
    ProgramFiles::Scope outer("/a/tarvane");
    {
      ProgramFiles::Scope inner("/b/tarvane");
      EXPECT_EQ(ProgramFiles::GetExecutableDirectory(), "/b");
    }
    EXPECT_EQ(ProgramFiles::GetExecutableDirectory(), "/a");
  }
  EXPECT_EQ(ProgramFiles::GetExecutablePath(), running);
}

TEST_F(SettingsTest, NoSettingsFileGivesTheDefaults) {
  Settings settings;
  settings.FirstColumnIsJapanese = false;
  settings.DefaultColumnWidth = 3;
  settings.ExtensionScriptPath = "x";
  LoadSettings(settings);
  EXPECT_EQ(settings, Settings());
  EXPECT_TRUE(settings.FirstColumnIsJapanese);
  EXPECT_TRUE(settings.IfZeroNullString);
  EXPECT_EQ(settings.DefaultColumnWidth, 64);
  EXPECT_FALSE(settings.UseExtensionScript);
  EXPECT_FALSE(IsTestMode());
  EXPECT_EQ(GetLastFolderBrowserPath(), "");
  WindowPlacement placement;
  EXPECT_FALSE(LoadWindowPlacement(placement));
}

TEST_F(SettingsTest, SettingsRoundTripUnderTheirKeys) {
  Settings saved;
  saved.FirstColumnIsJapanese = false;
  saved.IfZeroNullString = false;
  saved.DefaultColumnWidth = 120;
  saved.UseExtensionScript = true;
  saved.ExtensionScriptPath = "ext/\x83\x41.nut";
  SaveSettings(saved);
  EXPECT_EQ(SettingsText(),
            "[Tarvane]\nFirstColumnIsJapanese=0\nIfZeroNullString=0\nDefaultColumnWidth=120\n"
            "UseExtensionScript=1\nExtensionScriptPath=ext/\x83\x41.nut\n");
  Settings loaded;
  LoadSettings(loaded);
  EXPECT_EQ(loaded, saved);
  // The rule folder is written once chosen, and its key stays when it is cleared again.
  saved.ArchetypeRules = "rules/Modern";
  SaveSettings(saved);
  LoadSettings(loaded);
  EXPECT_EQ(loaded.ArchetypeRules, "rules/Modern");
  saved.ArchetypeRules = "";
  SaveSettings(saved);
  EXPECT_NE(SettingsText().find("ArchetypeRules=\n"), std::string::npos);
}

TEST_F(SettingsTest, AColumnWidthOutsideTheDrawableRangeIsBroughtIntoIt) {
  Settings loaded;
  WriteSettings("[Tarvane]\nDefaultColumnWidth=-5\n");
  LoadSettings(loaded);
  EXPECT_EQ(loaded.DefaultColumnWidth, kMinColumnWidth);
  WriteSettings("[Tarvane]\nDefaultColumnWidth=100000000\n");
  LoadSettings(loaded);
  EXPECT_EQ(loaded.DefaultColumnWidth, kMaxColumnWidth);
}

TEST_F(SettingsTest, PlacementIsOnlyWhatSavingWrote) {
  SaveWindowPlacement(SamplePlacement());
  EXPECT_NE(SettingsText().find("Placement="), std::string::npos);
  EXPECT_EQ(SettingsText().find("DefaultColumnWidth"), std::string::npos);
  WindowPlacement loaded;
  ASSERT_TRUE(LoadWindowPlacement(loaded));
  EXPECT_EQ(loaded, SamplePlacement());
}

TEST_F(SettingsTest, MalformedPlacementsAreIgnored) {
  std::string good = SamplePlacement().Encode();
  ASSERT_EQ(good.size(), 88u);
  WindowPlacement loaded;
  auto load = [&](const std::string& key, const std::string& value) {
    WriteSettings("[Tarvane]\n" + key + "=" + value + "\n");
    return LoadWindowPlacement(loaded);
  };
  EXPECT_TRUE(load("Placement", good));
  EXPECT_TRUE(load("Placement", good + "z"));  // an 89th character is ignored
  EXPECT_EQ(loaded, SamplePlacement());
  EXPECT_FALSE(load("Placement", good.substr(0, 86)));
  EXPECT_FALSE(load("Placement", good + "00"));
  EXPECT_FALSE(load("Placement", "zz" + good.substr(2)));
  EXPECT_FALSE(load("placement", good));  // the key is matched exactly
}

TEST(WindowPlacementTest, EncodesLittleEndianWordsAsLowercaseHex) {
  WindowPlacement placement;
  placement.flags = 0x0a0b0c0d;
  placement.minimized_x = -1;
  std::string text = placement.Encode();
  EXPECT_EQ(text.substr(0, 24), "2c0000000d0c0b0a01000000");
  EXPECT_EQ(text.substr(24, 8), "ffffffff");
}

TEST_F(SettingsTest, LastFolderAndTestMode) {
  SetLastFolderBrowserPath("/home/u/decks");
  EXPECT_EQ(GetLastFolderBrowserPath(), "/home/u/decks");
  WriteSettings("[Tarvane]\nTestMode=1\n");
  EXPECT_TRUE(IsTestMode());
}

TEST_F(SettingsTest, ASymlinkedSettingsFileStaysALinkAndAReadOnlyOneIsNotReplaced) {
  const std::string target = scratch_.Write("shared/tarvane.ini", "[Tarvane]\nTestMode=1\n");
  std::filesystem::create_symlink("shared/tarvane.ini", scratch_.Join("tarvane.ini"));
  Settings changed;
  changed.DefaultColumnWidth = 99;
  SaveSettings(changed);
  EXPECT_TRUE(std::filesystem::is_symlink(scratch_.Join("tarvane.ini")));
  EXPECT_NE(ScratchFolder::Read(target).find("DefaultColumnWidth=99"), std::string::npos);
  EXPECT_TRUE(IsTestMode());

  // No write permission at all: a save error, even for root, whom the system would let write.
  ::chmod(target.c_str(), 0444);
  const std::string before = ScratchFolder::Read(target);
  EXPECT_THROW(SaveSettings(Settings()), TtWindowsSystemCallException);
  EXPECT_EQ(ScratchFolder::Read(target), before);
}

TEST_F(SettingsTest, SavingWhereNoFileCanBeWrittenThrows) {
  scratch_.MakeFolder("tarvane.ini");
  EXPECT_THROW(SaveSettings(Settings()), TtWindowsSystemCallException);
  Settings loaded;
  LoadSettings(loaded);
  EXPECT_EQ(loaded, Settings());
}

TEST_F(SettingsTest, RecentDeckSetsKeepTheNewestFirstEachOnceAndAtMostEight) {
  EXPECT_TRUE(LoadRecentDeckSets().empty());
  for (int number = 1; number <= 9; ++number)
    AddRecentDeckSet("/sets/" + std::to_string(number) + ".tvset");
  AddRecentDeckSet("/sets/5.tvset");
  const std::vector<std::string> recent = LoadRecentDeckSets();
  EXPECT_EQ(recent, (std::vector<std::string>{"/sets/5.tvset", "/sets/9.tvset", "/sets/8.tvset",
                                              "/sets/7.tvset", "/sets/6.tvset", "/sets/4.tvset",
                                              "/sets/3.tvset", "/sets/2.tvset"}));
  EXPECT_NE(SettingsText().find("[RecentDeckSets]"), std::string::npos);
  EXPECT_EQ(ProgramFiles::GetLastDeckSetPath(), scratch_.Join("tarvane.last.tvset"));
}
