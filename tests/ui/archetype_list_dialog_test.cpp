// The archetype list: one row per deck with its archetype, how it was decided and its file, a
// second click on a header sorts the other way round; its layout.
#include <gtest/gtest.h>

#include "model/card_database.h"
#include "model/deck.h"
#include "tests/support/scratch_folder.h"
#include "tests/ui/dialog_test_support.h"
#include "ui/archetype_list_dialog.h"

using Tarvane::ArchetypeHow;
using Tarvane::ArchetypeListDialog;

namespace {

class ArchetypeListDialogTest : public ::testing::Test {
protected:
  ArchetypeListDialogTest() {
    const std::pair<const char*, Tarvane::ArchetypeLabel> labels[] = {
        {"a.txt", {"Mono Red Burn", ArchetypeHow::Rule}},
        {"b.txt", {"Izzet Burn / Izzet Tempo", ArchetypeHow::Conflict}},
        {"c.txt", {"Unknown", ArchetypeHow::Unknown}}};
    for (const auto& [file, label] : labels) {
      decks_.push_back(Tarvane::Deck::Load(scratch_.Write(file, "4 Island\n"), database_));
      decks_.back()->set_archetype_label(label);
    }
  }
  std::vector<std::string> Column(int column) {
    std::vector<std::string> texts;
    for (int item = 0; item < dialog_.GetList().GetItemCount(); ++item) {
      texts.push_back(TtTesting::ListCellText(dialog_.GetList(), item, column));
    }
    return texts;
  }

  TarvaneTest::ScratchFolder scratch_;
  Tarvane::CardDatabase database_;
  std::vector<std::shared_ptr<Tarvane::Deck>> decks_;
  TarvaneTest::Owner owner_;
  TtTesting::ModalAnswers answers_;
  ArchetypeListDialog dialog_{decks_};
};

}  // namespace

TEST_F(ArchetypeListDialogTest, RowsInLoadOrderThenByTheClickedColumnEitherWay) {
  answers_.Dialog([&](TtWindow&) {
    EXPECT_EQ(TtTesting::ListHeaderText(dialog_.GetList(), 1), "決め方");
    EXPECT_EQ(Column(0),
              (std::vector<std::string>{"Mono Red Burn", "Izzet Burn / Izzet Tempo", "Unknown"}));
    EXPECT_EQ(Column(1), (std::vector<std::string>{"規則", "競合", "不明"}));
    EXPECT_EQ(Column(2)[0], scratch_.Join("a.txt"));
    dialog_.SortByColumn(ArchetypeListDialog::kArchetypeColumn);
    EXPECT_EQ(Column(2), (std::vector<std::string>{scratch_.Join("b.txt"), scratch_.Join("a.txt"),
                                                   scratch_.Join("c.txt")}));
    dialog_.SortByColumn(ArchetypeListDialog::kArchetypeColumn);
    EXPECT_EQ(Column(0)[0], "Unknown");
    TarvaneTest::SaveScreenshotIfAsked(dialog_, "archetype-list");
    TarvaneTest::ExpectSoundLayoutAtTwoSizes(dialog_);
    TtTesting::Click(dialog_.GetOkButton());
  });
  EXPECT_EQ(dialog_.ShowDialog(&owner_), TtDialog::kAccepted);
  TarvaneTest::ExpectNoFailures(answers_);
}
