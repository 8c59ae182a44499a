// データ → インポート... and データ → クリップボードからデッキを作成...: files converted into the
// chosen folder, a file already there replaced only when the user says so, the report in a
// dialog that adds the new lists; a deck made from a list copied from a web page.
#include <filesystem>

#include "tests/ui/main_window_test_support.h"
#include "ttl/gui/tt_clipboard.h"
#include "ui/deck_name_dialog.h"
#include "ui/import_report_dialog.h"

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace TarvaneTest {
namespace {

using namespace Tarvane;

constexpr int kData = 1;
constexpr int kImport = 3;
constexpr int kFromClipboard = 4;

std::string U8(std::u8string_view text) { return std::string(text.begin(), text.end()); }

class ImportWindowTest : public MainWindowFixture {
protected:
  // Answers the report dialog: remembers its lines and presses 追加 or 閉じる.
  void AnswerReport(bool add) {
    answers.Dialog([this, add](TtWindow& window) {
      auto& dialog = dynamic_cast<ImportReportDialog&>(window);
      for (int line = 0; line < dialog.GetReportList().GetCount(); ++line) {
        report.push_back(dialog.GetReportList().GetString(line));
      }
      TtTesting::Click(add ? dialog.GetAddButton() : dialog.GetCloseButton());
    });
  }

  std::vector<std::string> report;
};

TEST_F(ImportWindowTest, FilesAreConvertedIntoTheChosenFolderAndAddedFromTheReport) {
  Open();
  std::string client = folder.Write(
      "in/client.txt", "Deck\n4 Lightning Bolt (STA) 42\n\nSideboard\n2 Counterspell (MMQ) 1\n");
  std::string shop = folder.Write("in/shop.txt", U8(u8"4 稲妻\n8 山\n"));
  std::string target = folder.Join("out");
  folder.Write("out/shop.txt", "old\n");
  TtTesting::FolderBrowserSeen browser;
  TtTesting::MessageBoxSeen question;
  answers.FileDialog({client, shop})
      .FolderBrowser(target, &browser)
      .MessageBox(TtWin::IDNO, &question);
  AnswerReport(true);
  Choose({kData, kImport});

  EXPECT_EQ(browser.initial_path, folder.Join("decks"));
  EXPECT_EQ(question.text, target + "/shop.txt\nは既にあります。置き換えますか？");
  EXPECT_EQ(ScratchFolder::Read(target + "/client.txt"), "4 Lightning Bolt\n\n2 Counterspell\n");
  EXPECT_EQ(ScratchFolder::Read(target + "/shop.txt"), "old\n");
  EXPECT_THAT(report, Contains(client + " → " + target + "/client.txt"));
  EXPECT_THAT(report, Contains("書き出していません: 同じ名前のファイルがあります"));
  // Only the list written is added.
  EXPECT_EQ(Status(0), "デッキ数 : 1");
  EXPECT_THAT(Column(0), ElementsAre("稲妻", "メイン合計", "対抗呪文", "サイド合計"));

  // Again, into the folder chosen last: Yes replaces, and closing the report adds nothing.
  answers.FileDialog({shop}).FolderBrowser(target, &browser).MessageBox(TtWin::IDYES);
  AnswerReport(false);
  Choose({kData, kImport});
  EXPECT_EQ(browser.initial_path, target);
  EXPECT_EQ(ScratchFolder::Read(target + "/shop.txt"), "4 Lightning Bolt\n8 Mountain\n");
  EXPECT_EQ(Status(0), "デッキ数 : 1");
}

TEST_F(ImportWindowTest, AnEventFileDroppedOnTheWindowIsImportedDeckByDeck) {
  Open();
  std::string event = folder.Write(
      "in/league.json",
      "{\"Tournament\": {\"Name\": \"League\", \"Date\": \"2024-03-02\"}, \"Decks\": ["
      "{\"Player\": \"a\", \"Result\": \"5-0\", \"Mainboard\": [{\"Count\": 4, \"CardName\": "
      "\"Lightning Bolt\"}], \"Sideboard\": []},"
      "{\"Player\": \"b\", \"Result\": \"5-0\", \"Mainboard\": [{\"Count\": 4, \"CardName\": "
      "\"Counterspell\"}], \"Sideboard\": null}]}");
  std::string target = folder.Join("out");
  answers.FolderBrowser(target);
  AnswerReport(true);
  TtTesting::DropFiles(*frame, {event, folder.burn});

  EXPECT_EQ(
      ScratchFolder::Read(target + "/002_b.txt"),
      "#NAME 002 b\n#PLAYER b\n#RESULT 5-0\n#EVENT League\n#DATE 2024-03-02\n4 Counterspell\n");
  EXPECT_THAT(report, Contains("書き出したデッキ: 2 / 2"));
  // The event's two lists and the deck list dropped with it.
  EXPECT_EQ(Status(0), "デッキ数 : 3");
}

TEST_F(ImportWindowTest, AReportWithoutDeckListsOffersNothingToAdd) {
  Open();
  std::string notes = folder.Write("in/notes.txt", "no cards here\n");
  answers.FileDialog({notes}).FolderBrowser(folder.Join("out"));
  answers.Dialog([](TtWindow& window) {
    auto& dialog = dynamic_cast<ImportReportDialog&>(window);
    EXPECT_FALSE(dialog.GetAddButton().IsVisible());
    TtTesting::Click(dialog.GetCloseButton());
  });
  Choose({kData, kImport});
  EXPECT_FALSE(std::filesystem::exists(folder.Join("out/notes.txt")));

  // Cancelling the file dialog or the folder browser does nothing.
  answers.CancelFileDialog();
  Choose({kData, kImport});
  answers.FileDialog({notes}).CancelFolderBrowser();
  Choose({kData, kImport});
  EXPECT_EQ(Status(0), "デッキ数 : 0");
}

TEST_F(ImportWindowTest, ADeckFromTheClipboardIsSavedUnderItsNameAndAdded) {
  Open();
  ASSERT_TRUE(TtClipboard::SetString("Deck\n4 稲妻\n\nSideboard\n2 対抗呪文\n"));
  answers.Dialog([](TtWindow& window) {
    auto& dialog = dynamic_cast<DeckNameDialog&>(window);
    dialog.GetNameEdit().SetText("  ");
    TtTesting::Click(dialog.GetOkButton());  // no name: the dialog stays
    dialog.GetNameEdit().SetText(" Shop Burn ");
    TtTesting::Click(dialog.GetOkButton());
  });
  Choose({kData, kFromClipboard});
  EXPECT_EQ(ScratchFolder::Read(folder.Join("decks/Shop Burn.txt")),
            "#NAME Shop Burn\n4 Lightning Bolt\n\n2 Counterspell\n");
  EXPECT_EQ(Status(0), "デッキ数 : 1");

  // The same name again: the file is there, and No keeps it and adds nothing.
  TtTesting::MessageBoxSeen refused;
  answers
      .Dialog([](TtWindow& window) {
        auto& dialog = dynamic_cast<DeckNameDialog&>(window);
        dialog.GetNameEdit().SetText("Shop Burn");
        TtTesting::Click(dialog.GetOkButton());
      })
      .MessageBox(TtWin::IDNO)
      .MessageBox(TtWin::IDOK, &refused);
  Choose({kData, kFromClipboard});
  EXPECT_THAT(refused.text, HasSubstr("書き出していません: 同じ名前のファイルがあります"));
  EXPECT_EQ(Status(0), "デッキ数 : 1");
}

TEST_F(ImportWindowTest, AClipboardWithoutTextSaysSo) {
  Open();
  ASSERT_TRUE(TtClipboard::SetString(" \n"));
  TtTesting::MessageBoxSeen seen;
  answers.MessageBox(TtWin::IDOK, &seen);
  Choose({kData, kFromClipboard});
  EXPECT_EQ(seen.text, "クリップボードにテキストがありません。");
}

}  // namespace
}  // namespace TarvaneTest
