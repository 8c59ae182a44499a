// The special entry dialog: rows with their ticks, names and boards; OK writes the ticks into the
// shown flags, Cancel and the close box change nothing; its layout.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/board_type.h"
#include "model/card_type.h"
#include "tests/ui/dialog_test_support.h"
#include "ui/special_entry_dialog.h"

using Tarvane::BoardType;
using Tarvane::CardType;
using Tarvane::SpecialEntry;
using Tarvane::SpecialEntryDialog;

namespace {

std::shared_ptr<SpecialEntry> MakeEntry(int type, const std::string& name, int board_type,
                                        bool use) {
  auto entry = std::make_shared<SpecialEntry>(type, name, name + " (日本語)", board_type,
                                              TtSquirrel::Object());
  entry->set_use(use);
  return entry;
}

class SpecialEntryDialogTest : public ::testing::Test {
protected:
  std::vector<bool> Uses() const {
    std::vector<bool> uses;
    for (const auto& entry : entries_) uses.push_back(entry->use());
    return uses;
  }

  std::vector<std::shared_ptr<SpecialEntry>> entries_{
      MakeEntry(CardType::LandTotal, "Main Lands Total", BoardType::Mainboard, true),
      MakeEntry(CardType::CreatureTotal, "Main Creatures Total", BoardType::Mainboard, false),
      MakeEntry(CardType::SideboardStart, "-- Sideboard --", BoardType::Sideboard, true),
      MakeEntry(CardType::MainTotal, "Side All Cards Total", BoardType::Sideboard, false)};
  TarvaneTest::Owner owner_;
  TtTesting::ModalAnswers answers_;
  SpecialEntryDialog dialog_{entries_};
};

}  // namespace

TEST_F(SpecialEntryDialogTest, RowsShowTicksNamesAndBoardsAndOkWritesTheTicks) {
  answers_.Dialog([&](TtWindow&) {
    TtReportListView& list = dialog_.GetList();
    EXPECT_EQ(TtTesting::ListHeaderText(list, 0), "名前");
    EXPECT_EQ(TtTesting::ListHeaderText(list, 1), "ボード");
    ASSERT_EQ(list.GetItemCount(), 4);
    EXPECT_EQ(TtTesting::ListCellText(list, 0, 0), "Main Lands Total");
    EXPECT_EQ(TtTesting::ListCellText(list, 0, 1), "メインボード");
    EXPECT_EQ(TtTesting::ListCellText(list, 2, 1), "サイドボード");
    for (int item = 0; item < 4; ++item)
      EXPECT_EQ(list.IsItemChecked(item), entries_[item]->use()) << item;
    TtTesting::ClickListItem(list, 1, 1);
    EXPECT_FALSE(list.IsItemChecked(1)) << "a click beside the check box only selects";
    list.SetItemChecked(0, false);
    list.SetItemChecked(3, true);
    EXPECT_EQ(Uses(), (std::vector<bool>{true, false, true, false})) << "nothing changes before OK";
    TarvaneTest::SaveScreenshotIfAsked(dialog_, "special-entry");
    TtTesting::Click(dialog_.GetOkButton());
  });
  EXPECT_EQ(dialog_.ShowDialog(&owner_), TtDialog::kAccepted);
  EXPECT_EQ(Uses(), (std::vector<bool>{false, false, true, true}));
  TarvaneTest::ExpectNoFailures(answers_);
}

TEST_F(SpecialEntryDialogTest, CancelAndTheCloseBoxLeaveEveryFlag) {
  auto untick_all = [&] {
    for (int item = 0; item < dialog_.GetList().GetItemCount(); ++item)
      dialog_.GetList().SetItemChecked(item, false);
  };
  answers_
      .Dialog([&](TtWindow&) {
        untick_all();
        TtTesting::Click(dialog_.GetCancelButton());
      })
      .Dialog([&](TtWindow& shown) {
        EXPECT_EQ(dialog_.GetList().GetItemCount(), 4) << "a second showing lists every entry once";
        EXPECT_TRUE(dialog_.GetList().IsItemChecked(0))
            << "the ticks of the cancelled showing are gone";
        untick_all();
        TtTesting::CloseWindow(shown);
      });
  EXPECT_EQ(dialog_.ShowDialog(&owner_), TtDialog::kCancelled);
  EXPECT_EQ(dialog_.ShowDialog(&owner_), TtDialog::kCancelled);
  EXPECT_EQ(Uses(), (std::vector<bool>{true, false, true, false}));
  TarvaneTest::ExpectNoFailures(answers_);
}

TEST_F(SpecialEntryDialogTest, WithNoSpecialEntriesOkReturnsOne) {
  std::vector<std::shared_ptr<SpecialEntry>> none;
  SpecialEntryDialog empty(none);
  answers_.Dialog([&](TtWindow&) { TtTesting::Click(empty.GetOkButton()); });
  EXPECT_EQ(empty.ShowDialog(&owner_), TtDialog::kAccepted);
  TarvaneTest::ExpectNoFailures(answers_);
}

TEST_F(SpecialEntryDialogTest, TheLayoutHoldsAtTwoSizes) {
  answers_.Dialog([&](TtWindow&) {
    TarvaneTest::ExpectSoundLayoutAtTwoSizes(dialog_);
    TtTesting::Click(dialog_.GetCancelButton());
  });
  dialog_.ShowDialog(&owner_);
  TarvaneTest::ExpectNoFailures(answers_);
}
