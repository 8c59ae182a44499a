// The special entry dialog: rows with their ticks, names and boards; OK writes the ticks into the
// shown flags, Cancel and the close box change nothing; its layout.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/board_type.h"
#include "model/card_type.h"
#include "model/special_entry.h"
#include "tests/dialogs/dialog_test_support.h"
#include "ui/special_entry_dialog.h"

using DialogTest::PlaceOf;
using Tarvane::BoardType;
using Tarvane::CardType;
using Tarvane::SpecialEntry;
using Tarvane::SpecialEntryDialog;
using Entries = std::vector<std::shared_ptr<SpecialEntry>>;

namespace {

std::shared_ptr<SpecialEntry> MakeEntry(int type, const std::string& name, int board_type, bool use) {
  auto entry = std::make_shared<SpecialEntry>(type, name, name + " (日本語)", board_type, TtSquirrel::Object());
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

  Entries entries_{MakeEntry(CardType::LandTotal, "Main Lands Total", BoardType::Mainboard, true),
                   MakeEntry(CardType::CreatureTotal, "Main Creatures Total", BoardType::Mainboard, false),
                   MakeEntry(CardType::SideboardStart, "-- Sideboard --", BoardType::Sideboard, true),
                   MakeEntry(CardType::MainTotal, "Side All Cards Total", BoardType::Sideboard, false)};
  DialogTest::Owner owner_;
  TtTesting::ModalAnswers answers_;
};

}  // namespace

TEST_F(SpecialEntryDialogTest, RowsShowTicksNamesAndBoardsAndOkWritesTheTicks) {
  SpecialEntryDialog dialog(entries_);
  answers_.Dialog([&](TtWindow&) {
    TtReportListView& list = dialog.GetList();
    EXPECT_EQ(dialog.GetText(), "特殊項目の選択");
    EXPECT_EQ(TtTesting::ListHeaderText(list, 0), "名前");
    EXPECT_EQ(TtTesting::ListHeaderText(list, 1), "ボード");
    EXPECT_EQ(list.GetColumnWidth(0), 168);
    EXPECT_EQ(list.GetColumnWidth(1), 128);
    EXPECT_EQ(list.GetListExtendedStyle(),
              TtWin::LVS_EX_CHECKBOXES | TtWin::LVS_EX_FULLROWSELECT | TtWin::LVS_EX_GRIDLINES);
    ASSERT_EQ(list.GetItemCount(), 4);
    EXPECT_EQ(TtTesting::ListCellText(list, 0, 0), "Main Lands Total");
    EXPECT_EQ(TtTesting::ListCellText(list, 0, 1), "メインボード");
    EXPECT_EQ(TtTesting::ListCellText(list, 2, 1), "サイドボード");
    for (int item = 0; item < 4; ++item) EXPECT_EQ(list.IsItemChecked(item), entries_[item]->use()) << item;
    list.SetItemChecked(0, false);
    list.SetItemChecked(3, true);
    EXPECT_EQ(Uses(), (std::vector<bool>{true, false, true, false})) << "nothing changes before OK";
    DialogTest::SaveScreenshotIfAsked(dialog, "special-entry");
    TtTesting::Click(dialog.GetOkButton());
  });
  EXPECT_EQ(dialog.ShowDialog(&owner_), 1);
  EXPECT_EQ(Uses(), (std::vector<bool>{false, false, true, true}));
  DialogTest::ExpectNoFailures(answers_);
}

TEST_F(SpecialEntryDialogTest, CancelAndTheCloseBoxLeaveEveryFlag) {
  SpecialEntryDialog dialog(entries_);
  auto untick_all = [&](TtWindow&) {
    for (int item = 0; item < dialog.GetList().GetItemCount(); ++item) dialog.GetList().SetItemChecked(item, false);
  };
  answers_
      .Dialog([&](TtWindow& shown) {
        untick_all(shown);
        TtTesting::Click(dialog.GetCancelButton());
      })
      .Dialog([&](TtWindow& shown) {
        EXPECT_EQ(dialog.GetList().GetItemCount(), 4) << "a second showing lists every entry once";
        EXPECT_TRUE(dialog.GetList().IsItemChecked(0)) << "the ticks of the cancelled showing are gone";
        untick_all(shown);
        TtTesting::CloseWindow(shown);
      });
  EXPECT_EQ(dialog.ShowDialog(&owner_), 0);
  EXPECT_EQ(Uses(), (std::vector<bool>{true, false, true, false}));
  EXPECT_EQ(dialog.ShowDialog(&owner_), 0);
  EXPECT_EQ(Uses(), (std::vector<bool>{true, false, true, false}));
  DialogTest::ExpectNoFailures(answers_);
}

TEST_F(SpecialEntryDialogTest, ClickingARowSelectsItWithoutTouchingItsTick) {
  SpecialEntryDialog dialog(entries_);
  answers_.Dialog([&](TtWindow&) {
    TtTesting::ClickListItem(dialog.GetList(), 1, 1);
    EXPECT_EQ(dialog.GetList().GetFirstSelectedItem(), 1);
    EXPECT_FALSE(dialog.GetList().IsItemChecked(1));
    TtTesting::Click(dialog.GetOkButton());
  });
  EXPECT_EQ(dialog.ShowDialog(&owner_), 1);
  EXPECT_EQ(Uses(), (std::vector<bool>{true, false, true, false}));
  DialogTest::ExpectNoFailures(answers_);
}

TEST_F(SpecialEntryDialogTest, WithNoSpecialEntriesOkReturnsOne) {
  Entries none;
  SpecialEntryDialog dialog(none);
  answers_.Dialog([&](TtWindow&) {
    EXPECT_EQ(dialog.GetList().GetItemCount(), 0);
    TtTesting::Click(dialog.GetOkButton());
  });
  EXPECT_EQ(dialog.ShowDialog(&owner_), 1);
  DialogTest::ExpectNoFailures(answers_);
}

TEST_F(SpecialEntryDialogTest, ResizingKeepsTheListFilledAndTheButtonsBottomRight) {
  SpecialEntryDialog dialog(entries_);
  answers_.Dialog([&](TtWindow&) {
    TtWin::RECT outer = dialog.GetRectangle();
    EXPECT_EQ(outer.right - outer.left, 320);
    EXPECT_EQ(outer.bottom - outer.top, 450);
    for (TtWin::POINT size : {TtWin::POINT{320, 450}, TtWin::POINT{480, 300}}) {
      dialog.SetSize(size.x, size.y);
      auto [w, h] = DialogTest::ClientSize(dialog);
      SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
      EXPECT_EQ(PlaceOf(dialog.GetList()), (DialogTest::Place{2, 4, w - 4, h - 40}));
      EXPECT_EQ(PlaceOf(dialog.GetOkButton()), (DialogTest::Place{w - 194, h - 26, 88, 21}));
      EXPECT_EQ(PlaceOf(dialog.GetCancelButton()), (DialogTest::Place{w - 94, h - 26, 88, 21}));
    }
    TtTesting::Click(dialog.GetCancelButton());
  });
  dialog.ShowDialog(&owner_);
  DialogTest::ExpectNoFailures(answers_);
}
