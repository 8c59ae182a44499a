// The table as text and the CSV file: quoting, separators, line ends, and the two error boxes.
#include <unistd.h>

#include "table/table_export.h"
#include "tests/table/table_test_support.h"

namespace TarvaneTest {
namespace {

using Tarvane::BuildTableText;
using Tarvane::WriteTableFile;

class ExportTest : public ::testing::Test {
protected:
  void AddRow(const std::vector<std::string>& texts) {
    int item = list.InsertItem(-1, 0);
    for (size_t column = 0; column < texts.size(); ++column) {
      list.SetItemText(item, static_cast<int>(column), texts[column]);
    }
  }
  TtListViewStore list;
  RecordingReporter reporter;
  ScratchFolder scratch;
};

TEST_F(ExportTest, ATableWithoutRowsIsItsHeaderLine) {
  list.InsertColumn(0, "カード名", 64);
  list.InsertColumn(1, "burn.txt", 64);
  EXPECT_EQ(BuildTableText(list, ","), "\"カード名\",\"burn.txt\"\r\n");
  TtListViewStore empty;
  EXPECT_EQ(BuildTableText(empty, ","), "\r\n");
}

TEST_F(ExportTest, EveryFieldIsQuotedWithItsQuotesDoubled) {
  list.InsertColumn(0, "名前", 64);
  list.InsertColumn(1, "a\"b", 64);
  list.InsertColumn(2, "", 64);
  AddRow({"Say \"\"Cheese\"", "1,5", "\t"});
  AddRow({"", "0.00"});
  EXPECT_EQ(BuildTableText(list, ","),
            "\"名前\",\"a\"\"b\",\"\"\r\n"
            "\"Say \"\"\"\"Cheese\"\"\",\"1,5\",\"\t\"\r\n"
            "\"\",\"0.00\",\"\"\r\n");
  EXPECT_EQ(BuildTableText(list, "\t"),
            "\"名前\"\t\"a\"\"b\"\t\"\"\r\n"
            "\"Say \"\"\"\"Cheese\"\"\"\t\"1,5\"\t\"\t\"\r\n"
            "\"\"\t\"0.00\"\t\"\"\r\n");
}

TEST_F(ExportTest, LongTextsAreWrittenWhole) {
  const std::string long_text(20000, 'x');
  list.InsertColumn(0, long_text, 64);
  AddRow({long_text + "y"});
  EXPECT_EQ(BuildTableText(list, ","),
            "\"" + long_text + "\"\r\n\"" + long_text + "y\"\r\n");
}

TEST_F(ExportTest, TheFileHoldsTheBytesUnderExactlyTheGivenName) {
  list.InsertColumn(0, "カード名", 64);
  AddRow({"稲妻"});
  const std::string path = scratch.Join("table");
  ASSERT_TRUE(Tarvane::ExportCsvFile(list, path, reporter));
  EXPECT_EQ(ScratchFolder::Read(path), "\"カード名\"\r\n\"稲妻\"\r\n");
  // Writing again replaces the file.
  list.DeleteItem(0);
  ASSERT_TRUE(Tarvane::ExportCsvFile(list, path, reporter));
  EXPECT_EQ(ScratchFolder::Read(path), "\"カード名\"\r\n");
  EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(ExportTest, AFileThatCannotBeOpenedIsReported) {
  const std::string folder_path = scratch.MakeFolder("a folder");
  EXPECT_FALSE(WriteTableFile(folder_path, "x", reporter));
  // A name the file system cannot spell is reported the same way.
  const std::string unspellable = scratch.Join("\x81");
  EXPECT_FALSE(WriteTableFile(unspellable, "x", reporter));
  ASSERT_EQ(reporter.messages.size(), 2u);
  EXPECT_EQ(reporter.messages[0].caption, "ファイルオープンエラー");
  EXPECT_EQ(reporter.messages[0].text, "ファイルを開くのに失敗しました。\r\nファイル名 ： " + folder_path);
  EXPECT_EQ(reporter.messages[1].text, "ファイルを開くのに失敗しました。\r\nファイル名 ： " + unspellable);
}

TEST_F(ExportTest, AFailedWriteIsReported) {
  if (::access("/dev/full", W_OK) != 0) GTEST_SKIP() << "no /dev/full";
  EXPECT_FALSE(WriteTableFile("/dev/full", std::string(100000, 'x'), reporter));
  EXPECT_FALSE(WriteTableFile("/dev/full", "short", reporter));
  ASSERT_EQ(reporter.messages.size(), 2u);
  EXPECT_EQ(reporter.messages[0].caption, "ファイル書き込みエラー");
  EXPECT_EQ(reporter.messages[0].text, "ファイルの書き込みに失敗しました。\r\nファイル名 ： /dev/full");
}

}  // namespace
}  // namespace TarvaneTest
