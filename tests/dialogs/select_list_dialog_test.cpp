// The deck selection dialog: the chosen decks in list order, select-all, an empty list, the
// title, and its layout.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/card_database.h"
#include "model/deck.h"
#include "tests/dialogs/dialog_test_support.h"
#include "ui/select_list_dialog.h"

using DialogTest::PlaceOf;
using Decks = std::vector<std::shared_ptr<Tarvane::Deck>>;
using Tarvane::SelectListDialog;

namespace {

class SelectListDialogTest : public ::testing::Test {
protected:
  SelectListDialogTest() {
    for (const char* name : {"赤単アグロ.txt", "青白コントロール.txt", "緑ランプ.txt"}) {
      decks_.push_back(Tarvane::Deck::Load(DialogTest::WriteFile(scratch_, name, "4 Llanowar Elves\n"), database_));
    }
  }

  ScratchFolder scratch_;
  Tarvane::CardDatabase database_;
  Decks decks_;
  DialogTest::Owner owner_;
  TtTesting::ModalAnswers answers_;
};

}  // namespace

TEST_F(SelectListDialogTest, TheFirstAndThirdDeckComeBackInThatOrder) {
  SelectListDialog dialog(decks_);
  dialog.SetTitle("カラム表示するデッキの選択");
  answers_.Dialog([&](TtWindow&) {
    EXPECT_EQ(dialog.GetText(), "カラム表示するデッキの選択");
    TtListBox& list = dialog.GetListBox();
    ASSERT_EQ(list.GetCount(), 3);
    for (int index = 0; index < 3; ++index) {
      EXPECT_EQ(list.GetString(index), decks_[index]->path());
      EXPECT_FALSE(list.GetSelected(index)) << "no entry starts selected";
    }
    list.SetSelected(2, true);
    list.SetSelected(0, true);
    DialogTest::SaveScreenshotIfAsked(dialog, "select-list");
    TtTesting::Click(dialog.GetOkButton());
  });
  EXPECT_EQ(dialog.ShowDialog(&owner_), 1);
  EXPECT_EQ(dialog.GetSelectedDecks(), (Decks{decks_[0], decks_[2]}));
  EXPECT_EQ(dialog.GetSelectedPositions(), (std::vector<int>{0, 2}));
  DialogTest::ExpectNoFailures(answers_);
}

TEST_F(SelectListDialogTest, SelectAllThenOkReturnsEveryDeckInLoadOrder) {
  SelectListDialog dialog(decks_);
  answers_.Dialog([&](TtWindow&) {
    EXPECT_EQ(dialog.GetText(), SelectListDialog::kDefaultTitle) << "no title given";
    dialog.GetListBox().SetSelected(1, true);
    TtTesting::Click(dialog.GetSelectAllButton());
    TtTesting::Click(dialog.GetOkButton());
  });
  EXPECT_EQ(dialog.ShowDialog(&owner_), 1);
  EXPECT_EQ(dialog.GetSelectedDecks(), decks_);
  EXPECT_EQ(dialog.GetSelectedPositions(), (std::vector<int>{0, 1, 2}));
  DialogTest::ExpectNoFailures(answers_);
}

TEST_F(SelectListDialogTest, CancelAndTheCloseBoxEndWithZero) {
  SelectListDialog dialog(decks_);
  answers_
      .Dialog([&](TtWindow&) {
        TtTesting::Click(dialog.GetSelectAllButton());
        TtTesting::Click(dialog.GetCancelButton());
      })
      .Dialog([&](TtWindow& shown) { TtTesting::CloseWindow(shown); });
  EXPECT_EQ(dialog.ShowDialog(&owner_), 0);
  EXPECT_TRUE(dialog.GetSelectedDecks().empty());
  EXPECT_EQ(dialog.ShowDialog(&owner_), 0);
  DialogTest::ExpectNoFailures(answers_);
}

TEST_F(SelectListDialogTest, WithNoDecksTheListIsEmptyAndOkReturnsNothing) {
  Decks none;
  SelectListDialog dialog(none);
  answers_.Dialog([&](TtWindow&) {
    EXPECT_EQ(dialog.GetListBox().GetCount(), 0);
    TtTesting::Click(dialog.GetSelectAllButton());
    TtTesting::Click(dialog.GetOkButton());
  });
  EXPECT_EQ(dialog.ShowDialog(&owner_), 1);
  EXPECT_TRUE(dialog.GetSelectedDecks().empty());
  DialogTest::ExpectNoFailures(answers_);
}

TEST_F(SelectListDialogTest, ResizingKeepsTheListFullWidthAndTheButtonsRight) {
  SelectListDialog dialog(decks_);
  answers_.Dialog([&](TtWindow&) {
    for (TtWin::POINT size : {TtWin::POINT{550, 450}, TtWin::POINT{420, 520}}) {
      dialog.SetSize(size.x, size.y);
      auto [w, h] = DialogTest::ClientSize(dialog);
      SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
      EXPECT_EQ(PlaceOf(dialog.GetSelectAllButton()), (DialogTest::Place{w - 94, 2, 88, 21}));
      EXPECT_EQ(PlaceOf(dialog.GetListBox()), (DialogTest::Place{2, 24, w - 4, h - 60}));
      EXPECT_EQ(PlaceOf(dialog.GetOkButton()), (DialogTest::Place{w - 194, h - 26, 88, 21}));
      EXPECT_EQ(PlaceOf(dialog.GetCancelButton()), (DialogTest::Place{w - 94, h - 26, 88, 21}));
    }
    TtTesting::Click(dialog.GetCancelButton());
  });
  dialog.ShowDialog(&owner_);
  DialogTest::ExpectNoFailures(answers_);
}
