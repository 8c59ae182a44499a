// The dialogs of import: the report with its 追加 button, and the deck name asked for a list
// from the clipboard.
#include <gtest/gtest.h>

#include "tests/ui/dialog_test_support.h"
#include "ui/deck_name_dialog.h"
#include "ui/import_report_dialog.h"

using Tarvane::DeckNameDialog;
using Tarvane::ImportReportDialog;

TEST(ImportReportDialogTest, TheReportIsOneLinePerRowAndAddIsOfferedOnlyForWrittenLists) {
  TarvaneTest::Owner owner;
  ImportReportDialog dialog("a.dck → decks/a.txt\n形式: .dck\n\nb.txt → decks/b.txt\n", true);
  TtTesting::ModalAnswers answers;
  answers.Dialog([&](TtWindow&) {
    EXPECT_EQ(dialog.GetText(), "インポートの結果");
    ASSERT_EQ(dialog.GetReportList().GetCount(), 4);
    EXPECT_EQ(dialog.GetReportList().GetString(1), "形式: .dck");
    EXPECT_EQ(dialog.GetReportList().GetString(2), "");
    EXPECT_TRUE(dialog.GetAddButton().IsVisible());
    TarvaneTest::ExpectSoundLayoutAtTwoSizes(dialog);
    TarvaneTest::SaveScreenshotIfAsked(dialog, "import-report");
    TtTesting::Click(dialog.GetAddButton());
  });
  EXPECT_EQ(dialog.ShowDialog(&owner), ImportReportDialog::kAdd);

  ImportReportDialog nothing_written("notes.txt → decks/notes.txt\n", false);
  answers.Dialog([&](TtWindow&) {
    EXPECT_FALSE(nothing_written.GetAddButton().IsVisible());
    TtTesting::Click(nothing_written.GetCloseButton());
  });
  EXPECT_EQ(nothing_written.ShowDialog(&owner), TtDialog::kCancelled);
  TarvaneTest::ExpectNoFailures(answers);
}

TEST(DeckNameDialogTest, OkTakesTheTrimmedNameAndAnEmptyNameKeepsTheDialogOpen) {
  TarvaneTest::Owner owner;
  DeckNameDialog dialog("Burn");
  TtTesting::ModalAnswers answers;
  answers
      .Dialog([&](TtWindow&) {
        EXPECT_EQ(dialog.GetNameEdit().GetText(), "Burn");
        dialog.GetNameEdit().SetText(" \t ");
        TtTesting::Click(dialog.GetOkButton());
        EXPECT_FALSE(dialog.HasEnded());
        dialog.GetNameEdit().SetText("  赤単 Burn ");
        TarvaneTest::SaveScreenshotIfAsked(dialog, "deck-name");
        TtTesting::Click(dialog.GetOkButton());
      })
      .Dialog([&](TtWindow&) { TtTesting::Click(dialog.GetCancelButton()); });
  EXPECT_EQ(dialog.ShowDialog(&owner), TtDialog::kAccepted);
  EXPECT_EQ(dialog.GetName(), "赤単 Burn");
  EXPECT_EQ(dialog.ShowDialog(&owner), TtDialog::kCancelled);
  TarvaneTest::ExpectNoFailures(answers);
}
