#pragma once
// The report of an import: one line per list row, and, when deck lists were written, a button
// that adds them to the table.
#include <string>
#include <vector>

#include "ttl/gui/tt_dialog.h"
#include "ttl/gui/tt_window_controls.h"

namespace Tarvane {

class ImportReportDialog : public TtDialog {
public:
  static constexpr int kAddId = 10001;
  static constexpr int kCloseId = 10002;
  static constexpr int kAdd = 1;

  // report: CP932 lines separated by LF; can_add: the 追加 button is offered.
  ImportReportDialog(const std::string& report, bool can_add);

  // Dialog frame, system menu and sizing border.
  TtWin::DWORD GetStyle() const override { return 0x004C0000; }
  TtWin::DWORD GetExtendedStyle() const override { return 0; }
  bool CreatedInternal() override;

  TtListBox& GetReportList() { return report_list_; }
  TtButton& GetAddButton() { return add_; }
  TtButton& GetCloseButton() { return close_; }

private:
  void Layout(int width, int height) override;

  std::vector<std::string> lines_;
  bool can_add_;
  TtStatic label_;
  TtListBox report_list_;
  TtButton add_;
  TtButton close_;
};

}  // namespace Tarvane
