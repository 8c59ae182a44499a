#pragma once
// The special entry dialog: the user ticks which computed rows (totals and the like) the table
// shows. Every special entry is a row with a check box, its name and its board; OK writes the
// ticks into the entries' shown flags and Cancel changes nothing.
#include <memory>
#include <vector>

#include "model/special_entry.h"
#include "ttl/gui/tt_dialog.h"
#include "ttl/gui/tt_list_view.h"
#include "ttl/gui/tt_window_controls.h"

namespace Tarvane {

class SpecialEntryDialog : public TtDialog {
public:
  static constexpr int kOkId = 10002;
  static constexpr int kCancelId = 10003;

  // The dialog changes only the entries' shown flags, and only on OK.
  explicit SpecialEntryDialog(std::vector<std::shared_ptr<SpecialEntry>>& special_entries);

  TtWin::DWORD GetStyle() const override { return 0x004C0000; }
  TtWin::DWORD GetExtendedStyle() const override { return 0; }
  bool CreatedInternal() override;

  // The text of the board column for a board type code.
  static const char* BoardText(int board_type);

  // The controls, for tests that drive the dialog as the user does.
  TtReportListView& GetList() { return *list_; }

private:
  void Layout(int width, int height) override;
  void Accept() override;
  void FillList();

  std::vector<std::shared_ptr<SpecialEntry>>& special_entries_;

  // Made anew for every showing, so that each showing starts with an empty list and the list of
  // an earlier showing lets go of its widget before the next one is made.
  std::unique_ptr<TtReportListView> list_;
};

}  // namespace Tarvane
