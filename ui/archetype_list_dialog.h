#pragma once
// The archetype list: every loaded deck with its archetype and how it was decided, so that a
// player can check the rules against the decks. Rows start in load order; a click on a header
// sorts by that column (again: the other way round), ties staying in load order.
#include <memory>
#include <string>
#include <vector>

#include "ttl/gui/tt_dialog.h"
#include "ttl/gui/tt_list_view.h"

namespace Tarvane {

class Deck;

class ArchetypeListDialog : public TtDialog {
public:
  static constexpr int kListId = 10001;
  static constexpr int kOkId = 10002;
  static constexpr int kCancelId = 10003;

  enum Column { kArchetypeColumn = 0, kHowColumn = 1, kFileColumn = 2 };

  // The dialog reads the caller's list while it is open and does not change it.
  explicit ArchetypeListDialog(const std::vector<std::shared_ptr<Deck>>& decks);

  TtWin::DWORD GetStyle() const override { return 0x004C0000; }
  TtWin::DWORD GetExtendedStyle() const override { return 0; }
  bool CreatedInternal() override;

  // Sorts the rows by the column, as a header click does.
  void SortByColumn(int column);

  // The controls, for tests that drive the dialog as the user does.
  TtReportListView& GetList() { return *list_; }

private:
  struct Row {
    std::string archetype, how, file;
    size_t load_order;
  };

  void Layout(int width, int height) override;
  void FillList();
  static const std::string& TextOf(const Row& row, int column);

  const std::vector<std::shared_ptr<Deck>>& decks_;
  std::vector<Row> rows_;
  int sorted_column_ = -1;
  bool descending_ = false;
  // Made anew for every showing, as in the other list dialogs.
  std::unique_ptr<TtReportListView> list_;
};

}  // namespace Tarvane
