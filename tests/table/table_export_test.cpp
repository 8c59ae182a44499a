// The table as text and the CSV file: quoting, separators, line ends, and the two error boxes.
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "table/table_export.h"
#include "tests/table/table_test_support.h"
#include "ttl/core/tt_exception.h"

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
  EXPECT_EQ(BuildTableText(list, ","), "\"" + long_text + "\"\r\n\"" + long_text + "y\"\r\n");
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

TEST_F(ExportTest, ATargetThatCannotBeWrittenIsReportedWithTheReasonAndLeftAlone) {
  const std::string folder_path = scratch.MakeFolder("a folder");
  const std::string unspellable = scratch.Join("\x81");
  const std::string read_only = scratch.Write("read-only.csv", "kept");
  ::chmod(read_only.c_str(), 0444);  // refused even for root
  for (const std::string& path : {folder_path, unspellable, read_only, std::string("/dev/full")}) {
    EXPECT_FALSE(WriteTableFile(path, "x", reporter)) << path;
  }
  ASSERT_EQ(reporter.messages.size(), 4u);
  EXPECT_EQ(reporter.messages[0].caption, "ファイルオープンエラー");
  EXPECT_EQ(reporter.messages[0].text, "ファイルを開くのに失敗しました。\r\nファイル名 ： " +
                                           folder_path +
                                           "\r\n原因 ： 通常のファイルではありません");
  EXPECT_EQ(reporter.messages[1].text, "ファイルを開くのに失敗しました。\r\nファイル名 ： " +
                                           unspellable + "\r\n原因 ： " +
                                           TtString::kUnrepresentablePathReason);
  EXPECT_EQ(reporter.messages[2].text, "ファイルを開くのに失敗しました。\r\nファイル名 ： " +
                                           read_only +
                                           "\r\n原因 ： 書き込みが許可されていないファイルです");
  EXPECT_EQ(ScratchFolder::Read(read_only), "kept");
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
}

TEST_F(ExportTest, AWriteThatFailsHalfwayKeepsTheOldFileWhole) {
  const std::string path = scratch.Write("table.csv", "old table");
  rlimit saved{};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  rlimit small = saved;
  small.rlim_cur = 4096;  // beyond this a write fails as on a full disk
  auto previous = std::signal(SIGXFSZ, SIG_IGN);
  ::setrlimit(RLIMIT_FSIZE, &small);
  bool written = WriteTableFile(path, std::string(100000, 'x'), reporter);
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previous);
  EXPECT_FALSE(written);
  EXPECT_EQ(ScratchFolder::Read(path), "old table");
  ASSERT_EQ(reporter.messages.size(), 1u);
  EXPECT_EQ(reporter.messages[0].caption, "ファイル書き込みエラー");
  EXPECT_EQ(reporter.messages[0].text.rfind(
                "ファイルの書き込みに失敗しました。\r\nファイル名 ： " + path, 0),
            0u);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(scratch.Path()), {}), 1);
}

TEST_F(ExportTest, AnExportThroughASymbolicLinkWritesItsTarget) {
  const std::string target = scratch.Write("real/table.csv", "old");
  std::filesystem::create_symlink("real/table.csv", scratch.Join("table.csv"));
  EXPECT_TRUE(WriteTableFile(scratch.Join("table.csv"), "new", reporter));
  EXPECT_TRUE(std::filesystem::is_symlink(scratch.Join("table.csv")));
  EXPECT_EQ(ScratchFolder::Read(target), "new");
}

// The clipboard held by another program, or refusing the data: the user is told, and the
// program goes on.
TEST_F(ExportTest, AClipboardThatCannotBeOpenedOrFilledIsReported) {
  list.InsertColumn(0, "カード名", 64);
  AddRow({"稲妻"});
  std::string copied;
  EXPECT_TRUE(Tarvane::ExportTsvToClipboard(
      list,
      [&](const std::string& text) {
        copied = text;
        return true;
      },
      reporter));
  EXPECT_EQ(copied, "\"カード名\"\r\n\"稲妻\"\r\n");
  EXPECT_TRUE(reporter.messages.empty());

  EXPECT_FALSE(Tarvane::ExportTsvToClipboard(
      list, [](const std::string&) { return false; }, reporter));
  EXPECT_FALSE(Tarvane::ExportTsvToClipboard(
      list,
      [](const std::string&) -> bool {
        throw TT_SYSTEM_CALL_ERROR("tt_clipboard", "::SetClipboardData", 5);
      },
      reporter));
  ASSERT_EQ(reporter.messages.size(), 2u);
  for (const auto& message : reporter.messages) {
    EXPECT_EQ(message.caption, "クリップボードエラー");
    EXPECT_TRUE(message.text.starts_with("クリップボードへのコピーに失敗しました。"));
  }
}

}  // namespace
}  // namespace TarvaneTest
