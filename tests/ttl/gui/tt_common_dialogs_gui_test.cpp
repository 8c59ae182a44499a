// Message boxes, file dialogs and the folder browser, answered by the test hook.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ttl/gui/tt_file_dialog.h"
#include "ttl/gui/tt_folder_browser_dialog.h"
#include "ttl/gui/tt_form.h"
#include "ttl/gui/tt_message_box.h"
#include "ttl/testing/tt_testing.h"

namespace {

class Owner : public TtForm {};

}  // namespace

TEST(TtCommonDialogsGuiTest, AMessageBoxReturnsTheButtonAndShowsItsTexts) {
  Owner owner;
  owner.Create({});
  TtTesting::MessageBoxSeen seen;
  TtTesting::ModalAnswers answers;
  answers.MessageBox(TtWin::IDNO, &seen).MessageBox(TtWin::IDYES);
  TtMessageBox box("現在のデータを削除して初期化します。よろしいですか？", "初期化の確認",
                   TtWin::MB_YESNO, TtWin::MB_ICONWARNING);
  EXPECT_EQ(box.Show(&owner), TtWin::IDNO);
  EXPECT_EQ(box.Show(nullptr), TtWin::IDYES);
  EXPECT_EQ(seen.text, "現在のデータを削除して初期化します。よろしいですか？");
  EXPECT_EQ(seen.caption, "初期化の確認");
  EXPECT_EQ(seen.button_set, TtWin::MB_YESNO);
  EXPECT_EQ(seen.icon, TtWin::MB_ICONWARNING);
  // The program speaks Japanese whatever the desktop's language, its buttons too.
  EXPECT_TRUE(seen.icon_shown);
  EXPECT_EQ(seen.buttons, (std::vector<std::string>{"はい", "いいえ"}));

  TtTesting::MessageBoxSeen error;
  TtTesting::MessageBoxSeen plain;
  answers.MessageBox(TtWin::IDCANCEL, &error).MessageBox(TtWin::IDOK, &plain);
  TtMessageBox("保存できませんでした。", "エラー", TtWin::MB_OKCANCEL, TtWin::MB_ICONERROR)
      .Show(&owner);
  TtMessageBox("完了しました。", "情報", TtWin::MB_OK, 0).Show(&owner);
  EXPECT_TRUE(error.icon_shown);
  EXPECT_EQ(error.buttons, (std::vector<std::string>{"OK", "キャンセル"}));
  EXPECT_FALSE(plain.icon_shown);
  EXPECT_EQ(plain.buttons, (std::vector<std::string>{"OK"}));
  EXPECT_TRUE(answers.Finish().empty());
}

TEST(TtCommonDialogsGuiTest, AnUnexpectedBoxIsCancelledAndReported) {
  TtTesting::ModalAnswers answers;
  EXPECT_EQ(TtMessageBox("?", "?", TtWin::MB_OKCANCEL).Show(nullptr), TtWin::IDCANCEL);
  answers.MessageBox(TtWin::IDOK);
  std::vector<std::string> failures = answers.Finish();
  ASSERT_EQ(failures.size(), 2u) << "the unexpected box and the box that never came";
}

TEST(TtCommonDialogsGuiTest, TheOpenDialogReturnsEveryChosenPath) {
  TtOpenFileDialog dialog(33280);
  dialog.SetAllowMultiSelect(true);
  dialog.AddFilter("すべてのファイル(*.*)", "*.*");
  TtTesting::FileDialogSeen seen;
  TtTesting::ModalAnswers answers;
  answers.FileDialog({"/tmp/デッキ1.txt", "/tmp/deck2.txt"}, &seen);
  ASSERT_TRUE(dialog.ShowDialog(nullptr));
  EXPECT_EQ(dialog.GetFileNames(),
            (std::vector<std::string>{"/tmp/デッキ1.txt", "/tmp/deck2.txt"}));
  EXPECT_EQ(dialog.GetFileName(), "/tmp/デッキ1.txt");
  EXPECT_TRUE(seen.multiple);
  EXPECT_FALSE(seen.save);
  EXPECT_EQ(seen.filter_text, "すべてのファイル(*.*)|*");
  EXPECT_EQ(seen.accept_button, "開く") << "Japanese whatever the desktop's language";
  EXPECT_EQ(seen.cancel_button, "キャンセル");

  answers.CancelFileDialog();
  EXPECT_FALSE(dialog.ShowDialog(nullptr));
  EXPECT_EQ(dialog.GetFileNames().size(), 2u) << "a cancelled dialog keeps the last choice";
  EXPECT_TRUE(answers.Finish().empty());
}

TEST(TtCommonDialogsGuiTest, TheSaveDialogAsksBeforeOverwritingAndAddsTheDefaultExtension) {
  TtSaveFileDialog dialog;
  dialog.AddFilter("CSVファイル(*.csv)", "*.csv");
  dialog.AddFilter("すべてのファイル(*.*)", "*.*");
  TtTesting::FileDialogSeen seen;
  TtTesting::ModalAnswers answers;
  answers.FileDialog({"/tmp/table"}, &seen);
  ASSERT_TRUE(dialog.ShowDialog(nullptr));
  EXPECT_EQ(dialog.GetFileName(), "/tmp/table") << "no default extension: the name as given";
  EXPECT_TRUE(seen.save);
  EXPECT_TRUE(seen.overwrite_prompt);
  EXPECT_EQ(seen.filter_text, "CSVファイル(*.csv)|*.csv|すべてのファイル(*.*)|*");
  EXPECT_EQ(seen.accept_button, "保存");

  dialog.SetDefaultExtension("csv");
  answers.FileDialog({"/tmp/table"}).FileDialog({"/tmp/table.txt"});
  ASSERT_TRUE(dialog.ShowDialog(nullptr));
  EXPECT_EQ(dialog.GetFileName(), "/tmp/table.csv");
  ASSERT_TRUE(dialog.ShowDialog(nullptr));
  EXPECT_EQ(dialog.GetFileName(), "/tmp/table.txt");
  EXPECT_TRUE(answers.Finish().empty());
}

TEST(TtCommonDialogsGuiTest, TheFolderBrowserStartsAtTheInitialFolderAndKeepsItOnCancel) {
  TtFolderBrowserDialog browser;
  browser.SetDescription("データが格納されたフォルダを指定してください。");
  browser.SetSelectedPath("/tmp");
  TtTesting::FolderBrowserSeen seen;
  TtTesting::ModalAnswers answers;
  answers.CancelFolderBrowser(&seen).FolderBrowser("/tmp/デッキ");
  EXPECT_FALSE(browser.ShowDialog(nullptr));
  EXPECT_EQ(browser.GetSelectedPath(), "/tmp");
  EXPECT_EQ(seen.description, "データが格納されたフォルダを指定してください。");
  EXPECT_EQ(seen.initial_path, "/tmp");
  EXPECT_EQ(seen.accept_button, "選択");
  EXPECT_EQ(seen.cancel_button, "キャンセル");
  EXPECT_TRUE(browser.ShowDialog(nullptr));
  EXPECT_EQ(browser.GetSelectedPath(), "/tmp/デッキ");
  EXPECT_TRUE(answers.Finish().empty());
}

// The texts the widget set writes itself (the chooser's places, the question before a file is
// replaced) are Japanese like the program's, also on a desktop in another language.
TEST(TtCommonDialogsGuiTest, TheWidgetSetsOwnTextsAreInTheProgramsLanguage) {
  EXPECT_EQ(TtTesting::WidgetSetText("_Cancel"), "キャンセル(_C)");
  EXPECT_EQ(TtTesting::WidgetSetText("_Replace"), "置き換える(_R)");
}
