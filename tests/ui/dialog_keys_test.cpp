// The keyboard and the double click in the program's dialogs: Enter answers as OK (or the
// dialog's first answer), Escape cancels, neither reaches the owner; a double click on an entry
// of a single choice chooses it; Tab leaves the list of 特殊項目の選択.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/card_database.h"
#include "model/deck.h"
#include "model/special_entry.h"
#include "tests/ui/dialog_test_support.h"
#include "ui/deck_name_dialog.h"
#include "ui/import_report_dialog.h"
#include "ui/open_list_dialog.h"
#include "ui/select_list_dialog.h"
#include "ui/special_entry_dialog.h"

using namespace Tarvane;
using Decks = std::vector<std::shared_ptr<Deck>>;

namespace {

class DialogKeysTest : public ::testing::Test {
protected:
  DialogKeysTest() {
    for (const char* name : {"赤単.txt", "青単.txt"}) {
      decks_.push_back(
          Deck::Load(TarvaneTest::WriteFile(scratch_, name, "4 Llanowar Elves\n"), database_));
    }
  }
  void TearDown() override { TarvaneTest::ExpectNoFailures(answers_); }

  // What ShowDialog returns when the dialog is answered with Enter, and with Escape.
  std::pair<int, int> EnterAndEscape(TtDialog& dialog,
                                     const std::function<void()>& before_enter = {}) {
    answers_
        .Dialog([&](TtWindow& shown) {
          if (before_enter) before_enter();
          TtTesting::PressEnter(shown);
        })
        .Dialog([](TtWindow& shown) { TtTesting::PressEscape(shown); });
    int entered = dialog.ShowDialog(&owner_);
    int escaped = dialog.ShowDialog(&owner_);
    for (int key_command : {TtWin::IDOK, TtWin::IDCANCEL}) {
      EXPECT_EQ(std::count(owner_.commands.begin(), owner_.commands.end(), key_command), 0)
          << "the keys stay with the dialog";
    }
    return {entered, escaped};
  }

  TarvaneTest::ScratchFolder scratch_;
  CardDatabase database_;
  Decks decks_;
  TarvaneTest::Owner owner_;
  TtTesting::ModalAnswers answers_;
};

TEST_F(DialogKeysTest, EnterAcceptsAndEscapeCancelsEveryDialogWithOkAndCancel) {
  OpenListDialog files(decks_);
  EXPECT_EQ(EnterAndEscape(files), std::make_pair(TtDialog::kAccepted, TtDialog::kCancelled));
  EXPECT_EQ(files.GetPaths().size(), 2u) << "Enter took the list as OK does";

  SelectListDialog many(decks_);
  auto select_second = [&] { many.GetListBox().SetSelected(1, true); };
  EXPECT_EQ(EnterAndEscape(many, select_second),
            std::make_pair(TtDialog::kAccepted, TtDialog::kCancelled));
  EXPECT_EQ(many.GetSelectedPositions(), std::vector<int>{1});

  SelectListDialog one(decks_, SelectListDialog::Choice::Single);
  EXPECT_EQ(EnterAndEscape(one), std::make_pair(TtDialog::kAccepted, TtDialog::kCancelled));

  std::vector<std::shared_ptr<SpecialEntry>> entries{
      std::make_shared<SpecialEntry>(0, "Main Total", "メイン合計", 0, TtSquirrel::Object())};
  SpecialEntryDialog special(entries);
  EXPECT_EQ(EnterAndEscape(special, [&] { special.GetList().SetItemChecked(0, true); }),
            std::make_pair(TtDialog::kAccepted, TtDialog::kCancelled));
  EXPECT_TRUE(entries[0]->use());

  DeckNameDialog name("Burn");
  EXPECT_EQ(EnterAndEscape(name, [&] { name.GetNameEdit().SetText("  Zoo "); }),
            std::make_pair(TtDialog::kAccepted, TtDialog::kCancelled));
  EXPECT_EQ(name.GetName(), "Zoo");
}

TEST_F(DialogKeysTest, EnterGivesTheImportReportsFirstAnswer) {
  ImportReportDialog written("a.dck → decks/a.txt\n", true);
  EXPECT_EQ(EnterAndEscape(written),
            std::make_pair(ImportReportDialog::kAdd, TtDialog::kCancelled));
  ImportReportDialog nothing("notes.txt\n", false);
  EXPECT_EQ(EnterAndEscape(nothing), std::make_pair(TtDialog::kCancelled, TtDialog::kCancelled));
}

TEST_F(DialogKeysTest, ADoubleClickOnAnEntryOfASingleChoiceChoosesIt) {
  SelectListDialog one(decks_, SelectListDialog::Choice::Single);
  answers_.Dialog([&](TtWindow&) { TtTesting::DoubleClickListBoxItem(one.GetListBox(), 1); });
  EXPECT_EQ(one.ShowDialog(&owner_), TtDialog::kAccepted);
  EXPECT_EQ(one.GetSelectedPositions(), std::vector<int>{1});

  // Where several may be chosen, a double click is two clicks and ends nothing.
  SelectListDialog many(decks_);
  answers_.Dialog([&](TtWindow& shown) {
    TtTesting::DoubleClickListBoxItem(many.GetListBox(), 1);
    EXPECT_FALSE(many.HasEnded());
    TtTesting::PressEscape(shown);
  });
  EXPECT_EQ(many.ShowDialog(&owner_), TtDialog::kCancelled);
}

TEST_F(DialogKeysTest, TabLeavesTheListOfSpecialEntries) {
  std::vector<std::shared_ptr<SpecialEntry>> entries{
      std::make_shared<SpecialEntry>(0, "Main Total", "メイン合計", 0, TtSquirrel::Object()),
      std::make_shared<SpecialEntry>(0, "Side Total", "サイド合計", 1, TtSquirrel::Object())};
  SpecialEntryDialog special(entries);
  answers_.DialogShown([&](TtWindow&) {
    special.GetList().SetFocus();
    ASSERT_TRUE(TtTesting::HasFocus(special.GetList()));
    TtTesting::PressTab(special.GetList());
    EXPECT_FALSE(TtTesting::HasFocus(special.GetList()));
    EXPECT_TRUE(TtTesting::HasFocus(special.GetOkButton())) << "the next control in creation order";
  });
  EXPECT_NE(special.ShowDialog(&owner_), TtDialog::kAccepted);
}

}  // namespace
