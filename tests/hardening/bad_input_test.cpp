// Inputs that the fuzz targets found mishandled, kept as plain tests.
#include <gtest/gtest.h>

#include <string>

#include "ttl/scratch_folder.h"
#include "ttl/tt_ini_file.h"
#include "ttl/tt_utility.h"

using namespace std::string_literals;

TEST(BadInputTest, BasesTheCLibraryRejectsNeverConvert) {
  for (int base : {-1, 1, 37, 100}) {
    int value = 5;
    EXPECT_FALSE(TtUtility::StringToInteger("1", value, base)) << base;
    EXPECT_FALSE(TtUtility::StringToInteger("0", value, base)) << base;
  }
  int value = 0;
  EXPECT_TRUE(TtUtility::StringToInteger("z", value, 36));
  EXPECT_EQ(value, 35);
}

// A zero byte in the settings file ends its line's text, as for the platform's profile
// functions: every key listed then reads, and no name is cut in two.
TEST(BadInputTest, ZeroBytesInTheSettingsFileEndTheLineText) {
  ScratchFolder scratch;
  std::string path = scratch.Write(
      "a.ini", "[S]\n\0\0Dump=x\nKey=before\0after\nOther=1\n[T\0ail]\nZ=2\n"s);
  TtIniFile file(path);
  EXPECT_EQ(file.GetSectionNames(), (std::vector<std::string>{"S", "T"}));
  TtIniSection section = file["S"];
  EXPECT_EQ(section.GetKeyNames(), (std::vector<std::string>{"Key", "Other"}));
  EXPECT_EQ(section.GetString("Key"), "before");
  EXPECT_EQ(file["T"].GetInteger("Z", 0), 2);
  // Rewriting a key keeps the lines that are not keys as they were.
  section.SetString("Other", "3");
  EXPECT_EQ(ScratchFolder::Read(path),
            "[S]\n\0\0Dump=x\nKey=before\0after\nOther=3\n[T\0ail]\nZ=2\n"s);
}
