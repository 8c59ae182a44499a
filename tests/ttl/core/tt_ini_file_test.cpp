#include "ttl/core/tt_ini_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/scratch_folder.h"
#include "ttl/core/tt_exception.h"

using TarvaneTest::ScratchFolder;

namespace {

class TtIniFileTest : public ::testing::Test {
protected:
  std::string Path() const { return scratch_.Join("settings.ini"); }
  std::string Text() const { return ScratchFolder::Read(Path()); }
  void SetText(const std::string& text) const { scratch_.Write("settings.ini", text); }

  ScratchFolder scratch_;
};

}  // namespace

TEST_F(TtIniFileTest, MissingFileGivesDefaults) {
  TtIniFile file(Path());
  TtIniSection section = file["Tarvane"];
  EXPECT_EQ(section.GetString("Key", "fallback"), "fallback");
  EXPECT_EQ(section.GetInteger("Key", 64), 64);
  EXPECT_TRUE(section.GetBoolean("Key", true));
  EXPECT_DOUBLE_EQ(section.GetDouble("Key", 2.5), 2.5);
  EXPECT_TRUE(section.GetKeyNames().empty());
  EXPECT_TRUE(file.GetSectionNames().empty());
  EXPECT_FALSE(std::filesystem::exists(Path()));
}

TEST_F(TtIniFileTest, ValuesRoundTrip) {
  {
    TtIniFile file(Path());
    TtIniSection section = file["Tarvane"];
    section.SetString("Name", "\x83\x41 deck");
    section.SetInteger("Width", -12);
    section.SetBoolean("On", true);
    section.SetBoolean("Off", false);
    section.SetDouble("Half", 0.5);
    section.SetDouble("Big", 1e7);
  }
  EXPECT_EQ(Text(), "[Tarvane]\nName=\x83\x41 deck\nWidth=-12\nOn=1\nOff=0\nHalf=0.5\nBig=1e+07\n");
  TtIniFile file(Path());
  TtIniSection section = file["Tarvane"];
  EXPECT_EQ(section.GetString("Name"), "\x83\x41 deck");
  EXPECT_EQ(section.GetInteger("Width", 0), -12);
  EXPECT_TRUE(section.GetBoolean("On", false));
  EXPECT_FALSE(section.GetBoolean("Off", true));
  EXPECT_DOUBLE_EQ(section.GetDouble("Half", 0), 0.5);
  EXPECT_DOUBLE_EQ(section.GetDouble("Big", 0), 1e7);
}

TEST_F(TtIniFileTest, StoredTextsReadAsThePlatformReadsThem) {
  SetText("[S]\nTwo=2\nZero=0\nWord=abc\nLeading=12px\nSpaced =  padded value  \nBad=1.5x\n");
  TtIniFile file(Path());
  TtIniSection section = file["S"];
  EXPECT_TRUE(section.GetBoolean("Two", false));
  EXPECT_FALSE(section.GetBoolean("Zero", true));
  EXPECT_EQ(section.GetInteger("Word", 7), 7);
  EXPECT_EQ(section.GetInteger("Leading", 7), 12);
  EXPECT_EQ(section.GetString("Spaced"), "padded value");
  EXPECT_DOUBLE_EQ(section.GetDouble("Bad", 3.0), 3.0);
}

TEST_F(TtIniFileTest, NamesCompareCaseInsensitivelyAndListInFileOrder) {
  SetText("[First]\nb=1\n[tarvane]\nZeta=1\nalpha=2\nPlacement=3\n");
  TtIniFile file(Path());
  EXPECT_EQ(file["TARVANE"].GetString("ALPHA"), "2");
  EXPECT_EQ(file["Tarvane"].GetKeyNames(),
            (std::vector<std::string>{"Zeta", "alpha", "Placement"}));
  EXPECT_EQ(file.GetSectionNames(), (std::vector<std::string>{"First", "tarvane"}));
  file["Tarvane"].SetString("ZETA", "9");
  EXPECT_EQ(Text(), "[First]\nb=1\n[tarvane]\nZETA=9\nalpha=2\nPlacement=3\n");
}

TEST_F(TtIniFileTest, OtherLinesAreKept) {
  SetText("; written by hand\r\n[A]\r\n# note\r\nx=1\r\n\r\n[B]\r\ny=2\r\n");
  TtIniFile file(Path());
  file["A"].SetString("z", "3");
  file["C"].SetString("w", "4");
  EXPECT_EQ(Text(), "; written by hand\n[A]\n# note\nx=1\nz=3\n\n[B]\ny=2\n[C]\nw=4\n");
}

TEST_F(TtIniFileTest, DeletesKeysAndSections) {
  SetText("[A]\nx=1\ny=2\n[B]\nz=3\n");
  TtIniFile file(Path());
  file["A"].DeleteKey("X");
  EXPECT_EQ(Text(), "[A]\ny=2\n[B]\nz=3\n");
  file["a"].Delete();
  EXPECT_EQ(Text(), "[B]\nz=3\n");
  EXPECT_EQ(file["A"].GetString("y", "gone"), "gone");
}

TEST_F(TtIniFileTest, ALineBreakInAValueCannotAddLines) {
  TtIniFile file(Path());
  file["ErrorLog"].SetString("Dump", "first\r\n[Tarvane]\nPlacement=00");
  EXPECT_EQ(file.GetSectionNames(), std::vector<std::string>{"ErrorLog"});
  EXPECT_EQ(file["ErrorLog"].GetKeyNames(), std::vector<std::string>{"Dump"});
}

TEST_F(TtIniFileTest, LongValuesAndLongNameListsReadWhole) {
  std::string long_value(70000, 'v');
  TtIniFile file(Path());
  file["S"].SetString("Long", long_value);
  EXPECT_EQ(file["S"].GetString("Long"), long_value);

  std::string text = "[Many]\n";
  std::vector<std::string> keys;
  for (int i = 0; i < 10000; ++i) {
    keys.push_back("LongishKeyName" + std::to_string(i));
    text += keys.back() + "=1\n";
  }
  SetText(text);
  TtIniFile many(Path(), 1024);
  EXPECT_EQ(many["Many"].GetKeyNames(), keys);
}

TEST_F(TtIniFileTest, RelativePathIsFixedWhenOpened) {
  std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(scratch_.Path());
  TtIniFile file("relative.ini");
  std::filesystem::current_path(previous);
  file["S"].SetString("k", "v");
  EXPECT_TRUE(std::filesystem::exists(scratch_.Join("relative.ini")));
}

TEST_F(TtIniFileTest, FailedWritesThrowAndLeaveNoTemporaryFiles) {
  TtIniFile in_missing_folder(scratch_.Join("missing/settings.ini"));
  try {
    in_missing_folder["S"].SetString("k", "v");
    FAIL() << "no exception";
  } catch (const TtWindowsSystemCallException& e) {
    EXPECT_EQ(e.GetCall(), "::WritePrivateProfileString");
    EXPECT_EQ(e.GetModule(), "tt_ini_file");
  }
  std::string folder = scratch_.MakeFolder("folder.ini");
  TtIniFile is_a_folder(folder);
  EXPECT_THROW(is_a_folder["S"].SetString("k", "v"), TtWindowsSystemCallException);

  TtIniFile good(Path());
  good["S"].SetString("k", "v");
  good["S"].SetString("k", "w");
  size_t entries = 0;
  for (auto& entry : std::filesystem::directory_iterator(scratch_.Path())) {
    (void)entry;
    ++entries;
  }
  EXPECT_EQ(entries, 2u);  // settings.ini and folder.ini
}
