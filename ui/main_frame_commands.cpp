// The command table of the main window: each menu item and toolbar button ends in one handler
// here, which calls the table's operations or opens a dialog.
#include <algorithm>

#include "app/exception.h"
#include "app/program_files.h"
#include "app/settings.h"
#include "model/import/event_file_reader.h"
#include "table/average_deck.h"
#include "table/table_export.h"
#include "ttl/core/tt_desktop.h"
#include "ttl/core/tt_directory.h"
#include "ttl/core/tt_path.h"
#include "ttl/gui/tt_clipboard.h"
#include "ttl/gui/tt_file_dialog.h"
#include "ttl/gui/tt_message_box.h"
#include "ui/file_chooser.h"
#include "ui/main_frame.h"
#include "ui/open_list_dialog.h"
#include "ui/select_list_dialog.h"
#include "ui/settings_property_sheet.h"
#include "ui/special_entry_dialog.h"
#include "ui/version_dialog.h"

namespace Tarvane {

void MainFrame::RegisterCommandHandlers() {
  auto on = [this](int id, std::function<void()> action) {
    RegisterCommandHandler(id, [action = std::move(action)](int, TtWin::HWND) {
      action();
      return Handled();
    });
  };
  // The close request saves the placement before the window goes.
  on(MainCommand::Exit, [this] { SendMessage(TtWin::WM_CLOSE); });
  on(MainCommand::New, [this] { New(); });
  on(MainCommand::ExportCsv, [this] { ExportCsv(); });
  on(MainCommand::ExportTsv, [this] { ExportTsv(); });
  on(MainCommand::AddDeckFiles, [this] { AddDeckFiles(); });
  on(MainCommand::EditDeckFiles, [this] { EditDeckFiles(); });
  on(MainCommand::ImportDeckLists, [this] { ImportDeckLists(); });
  on(MainCommand::DeckFromClipboard, [this] { CreateDeckFromClipboard(); });
  for (int mode = 0; mode < 4; ++mode) {
    on(MainCommand::BoardBoth + mode, [this, mode] { SetBoardMode(mode); });
  }
  on(MainCommand::SpecialEntries, [this] { SelectSpecialEntries(); });
  on(MainCommand::AllDecksAsColumns, [this] { GetTable().AddAllDeckColumns(); });
  on(MainCommand::SelectDecks, [this] { SelectDecks(); });
  on(MainCommand::Refresh, [this] { GetTable().Refresh(); });
  on(MainCommand::DeleteAllColumns, [this] { GetTable().DeleteAllColumns(); });
  on(MainCommand::Settings, [this] { ShowSettings(); });
  on(MainCommand::AverageDeck, [this] { WriteAverageDeck(); });
  on(MainCommand::Version, [this] { ShowVersion(); });
  on(MainCommand::Guide, [this] { ShowGuide(); });
  on(MainCommand::HideRow, [this] { HideRow(); });
  on(MainCommand::Preview, [this] { PreviewSelectedRow(); });
  on(MainCommand::DeleteColumn, [this] { DeleteClickedColumn(); });
  on(MainCommand::SortByColumn, [this] { SortByClickedColumn(); });
  on(MainCommand::DifferenceColumn, [this] { AddDifferenceColumn(); });
  on(MainCommand::CellShading, [this] { SetCellShading(!main_list_.IsShading()); });
  RegisterArchetypeCommands();
  on(MainCommand::Chart, [this] { ShowChartWindow(); });
  on(MainCommand::Find, [this] { Find(std::string()); });
  on(MainCommand::FindNext, [this] { FindAgain(false); });
  on(MainCommand::FindPrevious, [this] { FindAgain(true); });
  on(MainCommand::FilterRows, [this] { FilterRows(); });
  on(MainCommand::ClearFilter, [this] { ClearFilter(); });
  on(MainCommand::JumpToColumn, [this] { JumpToColumn(); });
  on(MainCommand::FitAllColumns, [this] { FitAllColumns(); });
  on(MainCommand::Copy, [this] { CopySelection(); });
  on(MainCommand::OpenDeckSet, [this] { OpenDeckSet(); });
  on(MainCommand::SaveDeckSet, [this] { SaveDeckSet(); });
  on(MainCommand::LastSessionDeckSet,
     [this] { OpenDeckSetFile(ProgramFiles::GetLastDeckSetPath(), false); });
  for (int index = 0; index < kRecentDeckSetCount; ++index) {
    on(MainCommand::FirstRecentDeckSet + index, [this, index] { OpenRecentDeckSet(index); });
  }
}

void MainFrame::New() {
  TtMessageBox box("現在のデータを削除して初期化します。よろしいですか？", "初期化の確認",
                   TtWin::MB_YESNO, TtWin::MB_ICONWARNING);
  if (box.Show(this) == TtWin::IDYES) GetTable().Reset();
}

void MainFrame::ExportCsv() {
  TtSaveFileDialog dialog;
  dialog.AddFilter("CSVファイル(*.csv)", "*.csv");
  dialog.AddFilter("すべてのファイル(*.*)", "*.*");
  // No default extension: the file gets exactly the name the user gives.
  dialog.SetOverwritePrompt(true);
  if (!ShowFileChooser(dialog, *this)) return;
  if (ExportCsvFile(main_list_, dialog.GetFileName(), *this)) {
    ShowNotice("CSVファイルに書き出しました : " + dialog.GetFileName());
  }
}

void MainFrame::ExportTsv() {
  if (ExportTsvToClipboard(main_list_, TtClipboard::SetString, *this)) {
    ShowNotice("表をクリップボードにコピーしました (" + std::to_string(main_list_.GetItemCount()) +
               " 行)");
  }
}

void MainFrame::AddDeckFiles() {
  OpenListDialog dialog;
  dialog.SetTitle("デッキリストファイルの追加");
  if (dialog.ShowDialog(this) == TtDialog::kAccepted) GetTable().AddDeckFiles(dialog.GetPaths());
}

void MainFrame::OpenDeckPaths(const std::vector<std::string>& paths) {
  std::vector<std::string> files;
  std::vector<std::string> event_files;
  for (const std::string& path : paths) {
    if (!TtPath::IsDirectory(path)) {
      // An event file holds many decks in another shape: it is imported, not opened.
      (IsEventFile(path) ? event_files : files).push_back(path);
      continue;
    }
    for (const std::string& file :
         TtDirectory(path).GetFiles("*.*", TtDirectory::FilterNotDirectory)) {
      files.push_back(file);
    }
  }
  if (!event_files.empty()) ImportFiles(event_files);
  if (files.empty()) return;
  int first_new = static_cast<int>(script_host_.GetDecks().size());
  GetTable().AddDeckFiles(files);
  std::vector<int> added;
  for (int position = first_new; position < static_cast<int>(script_host_.GetDecks().size());
       ++position) {
    added.push_back(position);
  }
  GetTable().AddDeckColumns(added);
}

void MainFrame::OpenDeckPathsOnceShown(const std::vector<std::string>& paths) {
  if (paths.empty()) return;
  // The window is put on screen and painted before the first deck is read, so that the loading's
  // progress and any error box show over it.
  TtForm::PaintPendingWindows();
  OpenDeckPaths(paths);
}

void MainFrame::EditDeckFiles() {
  OpenListDialog dialog(script_host_.GetDecks());
  dialog.SetTitle("デッキリストファイルの編集");
  if (dialog.ShowDialog(this) == TtDialog::kAccepted)
    GetTable().ReplaceDeckFiles(dialog.GetPaths());
}

void MainFrame::SetBoardMode(int mode) {
  main_menu_.CheckBoardMode(mode);
  GetTable().SetBoardMode(mode);
}

void MainFrame::SelectSpecialEntries() {
  SpecialEntryDialog dialog(script_host_.GetSpecialEntries());
  if (dialog.ShowDialog(this) == TtDialog::kAccepted) GetTable().Refresh();
}

void MainFrame::SelectDecks() {
  SelectListDialog dialog(script_host_.GetDecks());
  dialog.SetTitle("カラム表示するデッキの選択");
  if (dialog.ShowDialog(this) == TtDialog::kAccepted)
    GetTable().AddDeckColumns(dialog.GetSelectedPositions());
}

void MainFrame::ShowSettings() {
  const std::string rule_folder = script_host_.GetSettings().ArchetypeRules;
  SettingsPropertySheet sheet(script_host_.GetSettings());
  sheet.ShowDialog(this);
  // Whatever the sheet's result: the first column follows the record as it now is.
  GetTable().ApplySettings();
  if (script_host_.GetSettings().ArchetypeRules != rule_folder) ApplyArchetypeRules(true);
}

void MainFrame::WriteAverageDeck() {
  TtSaveFileDialog dialog;
  dialog.SetTitle("平均デッキを作成");
  dialog.AddFilter("テキストファイル(*.txt)", "*.txt");
  dialog.AddFilter("すべてのファイル(*.*)", "*.*");
  dialog.SetFileName("average.txt");
  dialog.SetOverwritePrompt(true);
  if (!ShowFileChooser(dialog, *this)) return;
  if (WriteAverageDeckFile(GetTable(), dialog.GetFileName(), *this)) {
    ShowNotice("平均デッキを書き出しました : " + dialog.GetFileName());
  }
}

void MainFrame::ShowVersion() {
  VersionDialog dialog;
  dialog.ShowDialog(this);
}

void MainFrame::ShowGuide() {
  const std::string page = ProgramFiles::GetGuidePath();
  std::string problem;
  if (!TtPath::FileExists(page)) {
    problem = "使い方のページが見つかりません。\r\n" + page;
  } else if (!TtDesktop::OpenInBrowser(page)) {
    problem =
        "ブラウザーを開けませんでした。xdg-open（xdg-utils）があるか確かめてください。\r\n" + page;
  }
  if (!problem.empty())
    ShowMessage(problem, "使い方", MessageButtons::Ok, MessageIcon::Error, true);
}

void MainFrame::HideRow() {
  const int row = main_list_.GetFirstSelectedItem();
  GetTable().HideRow(row);
  // The next row takes the selection, so that Delete pressed again hides one row after another.
  if (row >= 0 && main_list_.GetItemCount() > 0) {
    main_list_.SetItemSelected(std::min(row, main_list_.GetItemCount() - 1), true);
  }
}

void MainFrame::PreviewSelectedRow() {
  const Entry* entry = GetTable().GetRowEntry(main_list_.GetFirstSelectedItem());
  // Totals and the other computed rows have no card text to show.
  if (!entry || !entry->is_normal()) return;
  preview_.Show(entry->card());
  preview_.SetWindowPosition(TtWin::HWND_TOP, 0, 0, 0, 0, TtWin::SWP_NOMOVE | TtWin::SWP_NOSIZE);
}

void MainFrame::ShowChartWindow() {
  const Entry* entry = GetTable().GetRowEntry(main_list_.GetFirstSelectedItem());
  chart_window_.ShowWithCard(entry && entry->is_normal() ? entry->card().name : std::string());
}

// The clicked column is checked against the columns as they are now: the column menu may have
// been opened before a command that removed columns.
void MainFrame::DeleteClickedColumn() {
  if (clicked_column_ < 1 || clicked_column_ >= main_list_.GetColumnCount()) return;
  GetTable().DeleteColumn(clicked_column_);
}

void MainFrame::SortByClickedColumn() {
  if (clicked_column_ < 0 || clicked_column_ >= main_list_.GetColumnCount()) return;
  GetTable().SortByColumn(clicked_column_);
}

void MainFrame::SetCellShading(bool shading) {
  main_list_.SetShading(shading);
  main_menu_.CheckCellShading(shading);
  try {
    SaveCellShading(shading);
  } catch (const TtException& error) {
    // The table is shaded all the same; the user learns that the next start will not remember it.
    ShowMessage(SettingsNotSavedText("色分けの設定を保存できませんでした。", error),
                kSettingsNotSavedCaption, MessageButtons::Ok, MessageIcon::Error, true);
  }
}

// The clicked column's deck minus the deck that the user picks.
void MainFrame::AddDifferenceColumn() {
  const ColumnInfo* column = GetTable().GetColumnInfo(clicked_column_);
  if (!column || !column->deck) return;
  SelectListDialog dialog(script_host_.GetDecks(), SelectListDialog::Choice::Single);
  dialog.SetTitle("差分を取るデッキの選択");
  if (dialog.ShowDialog(this) != 1 || dialog.GetSelectedPositions().empty()) return;
  GetTable().AddDifferenceColumn(clicked_column_, dialog.GetSelectedPositions()[0]);
}

}  // namespace Tarvane
