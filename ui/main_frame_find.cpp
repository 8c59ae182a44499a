// Finding a card row or a column, filtering the rows, fitting the columns and copying: what a
// player reaches for in a table, by menu and by key.
#include "table/table_export.h"
#include "table/table_find.h"
#include "ttl/gui/tt_clipboard.h"
#include "ttl/gui/tt_list_view_keys.h"
#include "ui/main_frame.h"
#include "ui/row_filter_dialog.h"
#include "ui/text_query_dialog.h"

namespace Tarvane {

namespace {

const char kFindTitle[] = "検索";
const char kFindPrompt[] = "カード名 (英語名か日本語名の一部)";

}  // namespace

void MainFrame::Find(const std::string& initial_text) {
  TextQueryDialog dialog(kFindTitle, kFindPrompt, initial_text.empty() ? find_text_ : initial_text);
  if (dialog.ShowDialog(this) != TtDialog::kAccepted) return;
  find_text_ = dialog.GetText();
  FindAgain(false);
}

void MainFrame::FindAgain(bool backwards) {
  // Nothing looked for yet: 次を検索 asks, as the find itself does.
  if (find_text_.empty()) return Find(std::string());
  FindResult found = FindRow(GetTable(), find_text_, main_list_.GetFirstSelectedItem(), backwards);
  if (found.index >= 0) {
    main_list_.SetItemSelected(found.index, true);
    main_list_.EnsureVisible(found.index);
  }
  ShowNotice(FindStatusText(find_text_, found));
}

void MainFrame::FilterRows() {
  RowFilterDialog dialog(GetTable().GetRowFilter(), ArchetypesOf(script_host_.GetDecks()));
  if (dialog.ShowDialog(this) == TtDialog::kAccepted) GetTable().SetRowFilter(dialog.GetFilter());
}

void MainFrame::ClearFilter() {
  if (!GetTable().GetRowFilter().IsEmpty()) GetTable().SetRowFilter(RowFilter());
}

void MainFrame::JumpToColumn() {
  TextQueryDialog dialog("カラムへ移動", "デッキ名か統計の名前の一部", std::string());
  if (dialog.ShowDialog(this) != TtDialog::kAccepted) return;
  // Asked again with the same text, it goes on to the next matching column.
  const int after = dialog.GetText() == column_find_.text ? column_find_.column : -1;
  FindResult found = FindColumn(GetTable(), dialog.GetText(), after);
  column_find_ = {dialog.GetText(), found.index};
  if (found.index >= 0) TtListViewKeys::EnsureColumnVisible(main_list_, found.index);
  ShowNotice(FindStatusText(dialog.GetText(), found));
}

void MainFrame::FitAllColumns() { TtListViewKeys::FitAllColumns(main_list_); }

// The selected row, or the whole table as shown when no row is selected.
void MainFrame::CopySelection() {
  const int row = main_list_.GetFirstSelectedItem();
  const std::string text =
      row >= 0 ? BuildRowText(main_list_, row, "\t") : BuildTableText(main_list_, "\t");
  if (!CopyTextToClipboard(text, TtClipboard::SetString, *this)) return;
  ShowNotice(row >= 0
                 ? "選択した行をコピーしました"
                 : "表をコピーしました (" + std::to_string(main_list_.GetItemCount()) + " 行)");
}

void MainFrame::ShowNotice(const std::string& text) {
  SetStatusText(StatusBarTexts::kNoticePart, text);
}

}  // namespace Tarvane
