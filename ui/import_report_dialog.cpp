#include "ui/import_report_dialog.h"

namespace Tarvane {

ImportReportDialog::ImportReportDialog(const std::string& report, bool can_add)
    : can_add_(can_add) {
  for (size_t start = 0; start < report.size();) {
    size_t end = std::min(report.find('\n', start), report.size());
    lines_.push_back(report.substr(start, end - start));
    start = end + 1;
  }
}

bool ImportReportDialog::CreatedInternal() {
  SetText("インポートの結果");
  CreateChild(label_).SetText(can_add_ ? "作成したデッキリストを追加しますか？"
                                       : "デッキリストは作成されませんでした。");
  CreateChild(report_list_);
  CreateChild(add_, kAddId).SetText("追加");
  // Without lists to add, 追加 is not offered.
  if (!can_add_) add_.Hide();
  CreateChild(close_, kCloseId).SetText("閉じる");
  SetSize(640, 450);
  SetCenterRelativeToParent();
  for (const std::string& line : lines_) report_list_.AddString(line);
  RegisterCommandHandler(kAddId, [this](int, TtWin::HWND) {
    EndDialog(kAdd);
    return Handled();
  });
  RegisterCommandHandler(kCloseId, [this](int, TtWin::HWND) {
    EndDialog(kCancelled);
    return Handled();
  });
  // Enter gives the answer the dialog offers first: 追加 where there is something to add.
  RegisterCommandHandler(TtWin::IDOK, [this](int, TtWin::HWND) {
    EndDialog(can_add_ ? kAdd : kCancelled);
    return Handled();
  });
  (can_add_ ? add_ : close_).SetFocus();
  return true;
}

void ImportReportDialog::Layout(int width, int height) {
  report_list_.SetPositionSize(2, 4, width - 4, height - 36);
  label_.SetPositionSize(4, height - 24, width - 200, 16);
  add_.SetPositionSize(width - 194, height - 26, 88, 21);
  close_.SetPositionSize(width - 94, height - 26, 88, 21);
}

}  // namespace Tarvane
