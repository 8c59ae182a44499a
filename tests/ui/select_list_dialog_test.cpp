// The deck selection dialog: the chosen decks in list order, select-all, an empty list, the
// title, and its layout.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/card_database.h"
#include "model/deck.h"
#include "tests/ui/dialog_test_support.h"
#include "ui/select_list_dialog.h"

using TarvaneTest::ScratchFolder;
using Decks = std::vector<std::shared_ptr<Tarvane::Deck>>;
using Tarvane::SelectListDialog;

namespace {

class SelectListDialogTest : public ::testing::Test {
protected:
  SelectListDialogTest() {
    for (const char* name : {"赤単アグロ.txt", "青白コントロール.txt", "緑ランプ.txt"}) {
      decks_.push_back(Tarvane::Deck::Load(
          TarvaneTest::WriteFile(scratch_, name, "4 Llanowar Elves\n"), database_));
    }
  }

  ScratchFolder scratch_;
  Tarvane::CardDatabase database_;
  Decks decks_;
  TarvaneTest::Owner owner_;
  TtTesting::ModalAnswers answers_;
  SelectListDialog dialog_{decks_};
};

}  // namespace

TEST_F(SelectListDialogTest, TheFirstAndThirdDeckComeBackInThatOrderAndSelectAllGivesEvery) {
  dialog_.SetTitle("カラム表示するデッキの選択");
  answers_
      .Dialog([&](TtWindow&) {
        EXPECT_EQ(dialog_.GetText(), "カラム表示するデッキの選択");
        TtListBox& list = dialog_.GetListBox();
        ASSERT_EQ(list.GetCount(), 3);
        for (int index = 0; index < 3; ++index) {
          EXPECT_EQ(list.GetString(index), decks_[index]->path());
          EXPECT_FALSE(list.GetSelected(index)) << "no entry starts selected";
        }
        // A click toggles one entry and leaves the others: the second is chosen and dropped again.
        TtTesting::ClickListBoxItem(list, 0);
        TtTesting::ClickListBoxItem(list, 1);
        TtTesting::ClickListBoxItem(list, 2);
        TtTesting::ClickListBoxItem(list, 1);
        EXPECT_TRUE(list.GetSelected(0));
        EXPECT_FALSE(list.GetSelected(1));
        TarvaneTest::SaveScreenshotIfAsked(dialog_, "select-list");
        TtTesting::Click(dialog_.GetOkButton());
      })
      .Dialog([&](TtWindow&) {
        dialog_.GetListBox().SetSelected(1, true);
        TtTesting::Click(dialog_.GetSelectAllButton());
        TtTesting::Click(dialog_.GetOkButton());
      });
  EXPECT_EQ(dialog_.ShowDialog(&owner_), TtDialog::kAccepted);
  EXPECT_EQ(dialog_.GetSelectedDecks(), (Decks{decks_[0], decks_[2]}));
  EXPECT_EQ(dialog_.GetSelectedPositions(), (std::vector<int>{0, 2}));
  EXPECT_EQ(dialog_.ShowDialog(&owner_), TtDialog::kAccepted);
  EXPECT_EQ(dialog_.GetSelectedDecks(), decks_);
  EXPECT_EQ(dialog_.GetSelectedPositions(), (std::vector<int>{0, 1, 2}));
  TarvaneTest::ExpectNoFailures(answers_);
}

TEST_F(SelectListDialogTest, CancelAndTheCloseBoxEndWithZero) {
  answers_
      .Dialog([&](TtWindow&) {
        EXPECT_EQ(dialog_.GetText(), SelectListDialog::kDefaultTitle) << "no title given";
        TtTesting::Click(dialog_.GetSelectAllButton());
        TtTesting::Click(dialog_.GetCancelButton());
      })
      .Dialog([&](TtWindow& shown) { TtTesting::CloseWindow(shown); });
  EXPECT_EQ(dialog_.ShowDialog(&owner_), TtDialog::kCancelled);
  EXPECT_EQ(dialog_.ShowDialog(&owner_), TtDialog::kCancelled);
  EXPECT_TRUE(dialog_.GetSelectedDecks().empty());
  TarvaneTest::ExpectNoFailures(answers_);
}

TEST_F(SelectListDialogTest, WithNoDecksTheListIsEmptyAndOkReturnsNothing) {
  Decks none;
  SelectListDialog empty(none);
  answers_.Dialog([&](TtWindow&) {
    EXPECT_EQ(empty.GetListBox().GetCount(), 0);
    TtTesting::Click(empty.GetSelectAllButton());
    TtTesting::Click(empty.GetOkButton());
  });
  EXPECT_EQ(empty.ShowDialog(&owner_), TtDialog::kAccepted);
  EXPECT_TRUE(empty.GetSelectedDecks().empty());
  TarvaneTest::ExpectNoFailures(answers_);
}

TEST_F(SelectListDialogTest, TheLayoutHoldsAtTwoSizesWithSelectAllOverTheLabel) {
  answers_.Dialog([&](TtWindow&) {
    const TtWindow* label = dialog_.GetChildren().front();
    TarvaneTest::ExpectSoundLayoutAtTwoSizes(
        dialog_, {.overlapping = {{label, &dialog_.GetSelectAllButton()}}, .past_edge = {}});
    TtTesting::Click(dialog_.GetCancelButton());
  });
  dialog_.ShowDialog(&owner_);
  TarvaneTest::ExpectNoFailures(answers_);
}
