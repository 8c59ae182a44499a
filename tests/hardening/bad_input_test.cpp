// Inputs that the fuzz targets found mishandled, kept as plain tests.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/scratch_folder.h"
#include "ttl/core/tt_ini_file.h"
#include "ttl/core/tt_utility.h"

using TarvaneTest::ScratchFolder;
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
  std::string path =
      scratch.Write("a.ini", "[S]\n\0\0Dump=x\nKey=before\0after\nOther=1\n[T\0ail]\nZ=2\n"s);
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

// A line that ends in a CR of its own (a file converted to CR LF twice) reads back the same
// after the program rewrites the file for another key.
TEST(BadInputTest, RewritingTheSettingsFileKeepsTheOtherLinesAsTheyRead) {
  ScratchFolder scratch;
  std::string path = scratch.Write("a.ini", "[Name\r\r\nKey=1\r\n[Name]\r\nKey=2\r\nOdd=x\r\r\n");
  TtIniFile file(path);
  auto read_all = [&] {
    std::vector<std::string> texts;
    for (const std::string& section : file.GetSectionNames()) {
      for (const std::string& key : file[section].GetKeyNames()) {
        texts.push_back(section + "/" + key + "=" + file[section].GetString(key));
      }
    }
    return texts;
  };
  const std::vector<std::string> before = read_all();
  EXPECT_EQ(file["Name"].GetString("Key"), "2");
  file["Other"].SetString("New", "3");
  EXPECT_EQ(file["Name"].GetString("Key"), "2");
  std::vector<std::string> after = read_all();
  ASSERT_EQ(after.size(), before.size() + 1);
  after.pop_back();
  EXPECT_EQ(after, before);
}
