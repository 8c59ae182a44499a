// The deck list file dialog: its list, the add, remove and folder buttons, its results and its
// layout.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/program_files.h"
#include "app/settings.h"
#include "model/card_database.h"
#include "model/deck.h"
#include "tests/support/desktop_names.h"
#include "tests/ui/dialog_test_support.h"
#include "ttl/core/tt_string.h"
#include "ui/open_list_dialog.h"

using TarvaneTest::ScratchFolder;
using Paths = std::vector<std::string>;
using Tarvane::OpenListDialog;

namespace {

class OpenListDialogTest : public ::testing::Test {
protected:
  // The settings file, which keeps the last folder, is <scratch>/tarvane.ini.
  OpenListDialogTest() : program_(scratch_.Join("tarvane")) {}

  std::shared_ptr<Tarvane::Deck> LoadDeck(const std::string& name) {
    return Tarvane::Deck::Load(
        TarvaneTest::WriteFile(scratch_, name, "4 Lightning Bolt\n20 Mountain\n"), database_);
  }

  ScratchFolder scratch_;
  Tarvane::ProgramFiles::Scope program_;
  Tarvane::CardDatabase database_;
  TarvaneTest::Owner owner_;
  TtTesting::ModalAnswers answers_;
};

Paths ListEntries(TtListBox& list) {
  Paths entries;
  for (int index = 0; index < list.GetCount(); ++index) entries.push_back(list.GetString(index));
  return entries;
}

}  // namespace

TEST_F(OpenListDialogTest, EditingStartsWithTheDecksAndOkReturnsTheListWithAFileAddedTwice) {
  std::vector<std::shared_ptr<Tarvane::Deck>> decks{LoadDeck("赤単.txt"), LoadDeck("青白.txt")};
  OpenListDialog dialog(decks);
  dialog.SetTitle("デッキリストファイルの編集");
  TtTesting::FileDialogSeen seen;
  answers_
      .Dialog([&](TtWindow&) {
        EXPECT_EQ(dialog.GetText(), "デッキリストファイルの編集");
        EXPECT_EQ(ListEntries(dialog.GetListBox()), (Paths{decks[0]->path(), decks[1]->path()}));
        TtTesting::Click(dialog.GetAddButton());
        TtTesting::Click(dialog.GetAddButton());
        TtTesting::Click(dialog.GetAddButton());
        TarvaneTest::SaveScreenshotIfAsked(dialog, "open-list");
        TtTesting::Click(dialog.GetOkButton());
      })
      .FileDialog({"/decks/緑.txt", "/decks/黒.txt"}, &seen)
      .CancelFileDialog()
      .FileDialog({"/decks/緑.txt"});
  EXPECT_EQ(dialog.ShowDialog(&owner_), TtDialog::kAccepted);
  EXPECT_EQ(dialog.GetPaths(), (Paths{decks[0]->path(), decks[1]->path(), "/decks/緑.txt",
                                      "/decks/黒.txt", "/decks/緑.txt"}));
  EXPECT_TRUE(seen.multiple);
  EXPECT_EQ(seen.filter_text, "すべてのファイル(*.*)|*");
  TarvaneTest::ExpectNoFailures(answers_);
}

TEST_F(OpenListDialogTest, CancelAndTheCloseBoxLeaveThePathsAsTheyWere) {
  std::vector<std::shared_ptr<Tarvane::Deck>> decks{LoadDeck("a.txt")};
  OpenListDialog dialog(decks);
  answers_
      .Dialog([&](TtWindow&) {
        dialog.GetListBox().SetCurrentSelection(0);
        TtTesting::Click(dialog.GetRemoveButton());
        TtTesting::Click(dialog.GetAddButton());
        TtTesting::Click(dialog.GetCancelButton());
      })
      .FileDialog({"/x/b.txt"})
      .Dialog([&](TtWindow& shown) { TtTesting::CloseWindow(shown); });
  EXPECT_EQ(dialog.ShowDialog(&owner_), TtDialog::kCancelled);
  EXPECT_EQ(dialog.GetPaths(), Paths{decks[0]->path()});
  EXPECT_EQ(dialog.ShowDialog(&owner_), TtDialog::kCancelled);
  TarvaneTest::ExpectNoFailures(answers_);
}

TEST_F(OpenListDialogTest, RemovingSelectsTheEntryNowAtThatPlaceOrTheNewLastOne) {
  OpenListDialog dialog;
  answers_.Dialog([&](TtWindow&) {
    TtListBox& list = dialog.GetListBox();
    for (const char* path : {"/a", "/b", "/c", "/d"}) list.AddString(path);
    TtTesting::Click(dialog.GetRemoveButton());
    EXPECT_EQ(list.GetCount(), 4) << "nothing selected: nothing removed";

    list.SetCurrentSelection(1);
    TtTesting::Click(dialog.GetRemoveButton());
    EXPECT_EQ(ListEntries(list), (Paths{"/a", "/c", "/d"}));
    EXPECT_EQ(list.GetCurrentSelection(), 1) << "the entry that moved up into the place";

    list.SetCurrentSelection(2);
    TtTesting::Click(dialog.GetRemoveButton());
    EXPECT_EQ(ListEntries(list), (Paths{"/a", "/c"}));
    EXPECT_EQ(list.GetCurrentSelection(), 1) << "the removed entry was the last: the new last one";

    TtTesting::Click(dialog.GetRemoveButton());
    TtTesting::Click(dialog.GetRemoveButton());
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.GetCurrentSelection(), -1);
    TtTesting::Click(dialog.GetOkButton());
  });
  EXPECT_EQ(dialog.ShowDialog(&owner_), TtDialog::kAccepted);
  EXPECT_TRUE(dialog.GetPaths().empty());
  TarvaneTest::ExpectNoFailures(answers_);
}

TEST_F(OpenListDialogTest, EditingOpensWithNoEntrySelectedSoThatRemoveDoesNothing) {
  std::vector<std::shared_ptr<Tarvane::Deck>> decks{LoadDeck("a.txt"), LoadDeck("b.txt"),
                                                    LoadDeck("c.txt")};
  OpenListDialog dialog(decks);
  answers_.Dialog([&](TtWindow& shown) {
    // On screen and with the keyboard focus, as the user meets it.
    TtTesting::ShowAsModal(shown);
    TtListBox& list = dialog.GetListBox();
    EXPECT_EQ(list.GetCurrentSelection(), -1);
    for (int index = 0; index < list.GetCount(); ++index)
      EXPECT_FALSE(list.GetSelected(index)) << index;
    TtTesting::Click(dialog.GetRemoveButton());
    EXPECT_EQ(list.GetCount(), 3) << "nothing chosen: nothing removed";
    TtTesting::Click(dialog.GetOkButton());
  });
  EXPECT_EQ(dialog.ShowDialog(&owner_), 1);
  EXPECT_EQ(dialog.GetPaths().size(), 3u);
  TarvaneTest::ExpectNoFailures(answers_);
}

TEST_F(OpenListDialogTest, AFolderAddsItsFilesButNotItsSubfolderAndIsStoredAtOnce) {
  std::string folder = TarvaneTest::MakeFolder(scratch_, "デッキ");
  TarvaneTest::WriteFile(scratch_, "デッキ/b.dek", "4 Island\n");
  TarvaneTest::WriteFile(scratch_, "デッキ/a.txt", "4 Forest\n");
  TarvaneTest::WriteFile(scratch_, "デッキ/sub/c.txt", "4 Swamp\n");
  Tarvane::SetLastFolderBrowserPath("/earlier");

  OpenListDialog dialog;
  TtTesting::FolderBrowserSeen first;
  TtTesting::FolderBrowserSeen second;
  answers_
      .Dialog([&](TtWindow&) {
        TtTesting::Click(dialog.GetFolderButton());
        EXPECT_EQ(ListEntries(dialog.GetListBox()), (Paths{folder + "/a.txt", folder + "/b.dek"}));
        TtTesting::Click(dialog.GetFolderButton());
        TtTesting::Click(dialog.GetFolderButton());
        EXPECT_EQ(dialog.GetListBox().GetCount(), 2)
            << "a cancelled browser or a missing folder adds nothing";
        TtTesting::Click(dialog.GetCancelButton());
      })
      .FolderBrowser(folder, &first)
      .CancelFolderBrowser(&second)
      .FolderBrowser(scratch_.Join("gone"));
  EXPECT_EQ(dialog.ShowDialog(&owner_), TtDialog::kCancelled);
  EXPECT_EQ(first.description, "データが格納されたフォルダを指定してください。");
  EXPECT_EQ(first.initial_path, "/earlier");
  EXPECT_EQ(second.initial_path, folder) << "stored as soon as it was chosen";
  EXPECT_EQ(Tarvane::GetLastFolderBrowserPath(), scratch_.Join("gone"))
      << "kept though the dialog was cancelled";
  TarvaneTest::ExpectNoFailures(answers_);
}

TEST_F(OpenListDialogTest,
       ChosenNamesWithoutAnExactSpellingAreRefusedWithTheReasonAndTheDialogGoesOn) {
  using namespace DesktopNames;
  const std::string tilde = scratch_.Write(kFullwidthTilde + ".txt", "4 Island\n");
  const std::string folder = scratch_.Path();
  TtTesting::MessageBoxSeen cafe_box, wave_box, folder_box;
  OpenListDialog dialog;
  answers_
      .Dialog([&](TtWindow&) {
        TtTesting::Click(dialog.GetAddButton());
        TtTesting::Click(dialog.GetAddButton());
        TtTesting::Click(dialog.GetAddButton());
        TtTesting::Click(dialog.GetFolderButton());
        TtTesting::Click(dialog.GetOkButton());
      })
      .FileDialogAsTyped({tilde, folder + "/" + kCafe + ".txt", folder + "/" + kEmoji + ".txt"})
      .MessageBox(TtWin::IDOK, &cafe_box)
      .FileDialogAsTyped({folder + "/" + kWaveDash + ".txt"})
      .MessageBox(TtWin::IDOK, &wave_box)
      .CancelFileDialog()
      .FolderBrowserAsTyped(folder + "/" + kJose)
      .MessageBox(TtWin::IDOK, &folder_box);
  EXPECT_EQ(dialog.ShowDialog(&owner_), 1);
  // Of the three chosen at once, the one named exactly is added, and that file: w～, not w〜; the
  // two others are named in one box.
  EXPECT_EQ(dialog.GetPaths(), Paths{folder + "/" + kTildeCp932 + ".txt"});
  EXPECT_EQ(cafe_box.caption, "ファイルアクセスエラー");
  EXPECT_EQ(cafe_box.icon, TtWin::MB_ICONERROR);
  EXPECT_EQ(cafe_box.text,
            "ファイルのアクセスに失敗しました。\r\nファイル名 ： " + folder +
                "/caf<U+00E9>.txt\r\n原因 ： " + TtString::kUnrepresentablePathReason +
                "\r\n\r\nファイルのアクセスに失敗しました。\r\nファイル名 ： " + folder +
                "/<U+1F600>.txt\r\n原因 ： " + TtString::kUnrepresentablePathReason);
  EXPECT_NE(wave_box.text.find(folder + "/w<U+301C>.txt"), std::string::npos) << wave_box.text;
  EXPECT_NE(folder_box.text.find(folder + "/jos<U+00E9>"), std::string::npos) << folder_box.text;
  TarvaneTest::ExpectNoFailures(answers_);
}

TEST_F(OpenListDialogTest, AFolderNamesTheFilesItCouldNotAdd) {
  using namespace DesktopNames;
  const std::string folder = TarvaneTest::MakeFolder(scratch_, "decks");
  for (const std::string& name : {std::string("plain"), kCafe, kWaveDash, kEmoji, kLatin1}) {
    scratch_.Write("decks/" + name + ".txt", "4 Island\n");
  }
  scratch_.MakeFolder("decks/" + kJose);
  TtTesting::MessageBoxSeen seen;
  OpenListDialog dialog;
  answers_
      .Dialog([&](TtWindow&) {
        TtTesting::Click(dialog.GetFolderButton());
        EXPECT_EQ(ListEntries(dialog.GetListBox()), Paths{folder + "/plain.txt"});
        TtTesting::Click(dialog.GetOkButton());
      })
      .FolderBrowser(folder)
      .MessageBox(TtWin::IDOK, &seen);
  EXPECT_EQ(dialog.ShowDialog(&owner_), 1);
  EXPECT_EQ(seen.caption, "ファイルアクセスエラー");
  EXPECT_EQ(seen.icon, TtWin::MB_ICONWARNING);
  EXPECT_EQ(seen.text,
            "名前を表せないため追加しなかったファイルがあります。\r\nフォルダ ： " + folder +
                "\r\n原因 ： " + TtString::kUnrepresentablePathReason +
                "\r\n<U+1F600>.txt\r\ncaf<0xE9>.txt\r\ncaf<U+00E9>.txt\r\nw<U+301C>.txt");
  TarvaneTest::ExpectNoFailures(answers_);
}

TEST_F(OpenListDialogTest, TheLayoutHoldsAtTwoSizes) {
  OpenListDialog dialog;
  answers_.Dialog([&](TtWindow&) {
    TarvaneTest::ExpectSoundLayoutAtTwoSizes(dialog);
    TtTesting::Click(dialog.GetCancelButton());
  });
  dialog.ShowDialog(&owner_);
  TarvaneTest::ExpectNoFailures(answers_);
}
