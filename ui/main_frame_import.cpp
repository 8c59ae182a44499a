// Deck lists from other programs and web pages: データ → インポート... (and an event file dropped
// on the window) converts files into a folder, shows the report and offers to add the new
// lists; the clipboard command makes one deck from a list copied from a web page.
#include "app/program_files.h"
#include "model/import/card_name_resolver.h"
#include "model/import/deck_list_file_import.h"
#include "ttl/gui/tt_clipboard.h"
#include "ttl/gui/tt_file_dialog.h"
#include "ttl/gui/tt_folder_browser_dialog.h"
#include "ttl/gui/tt_message_box.h"
#include "ui/deck_name_dialog.h"
#include "ui/file_chooser.h"
#include "ui/import_report_dialog.h"
#include "ui/main_frame.h"

namespace Tarvane {

namespace {

// Made on first use, since the user's own folder for deck lists starts out missing.
std::string DefaultImportFolder() {
  std::string folder = ProgramFiles::GetUserDecksFolderPath();
  ProgramFiles::PrepareFolderOf(folder + "/");
  return folder;
}

}  // namespace

bool MainFrame::MayReplace(const std::string& path) {
  TtMessageBox box(path + "\nは既にあります。置き換えますか？", "上書きの確認", TtWin::MB_YESNO,
                   TtWin::MB_ICONWARNING);
  return box.Show(this) == TtWin::IDYES;
}

void MainFrame::ImportDeckLists() {
  TtOpenFileDialog files;
  files.SetTitle("インポートするデッキリスト");
  files.SetAllowMultiSelect(true);
  files.AddFilter("すべてのファイル(*.*)", "*.*");
  if (!ShowFileChooser(files, *this)) return;
  ImportFiles(files.GetFileNames());
}

void MainFrame::ImportFiles(const std::vector<std::string>& files) {
  TtFolderBrowserDialog folder;
  folder.SetDescription("変換したデッキリストを書き出すフォルダを指定してください。");
  folder.SetSelectedPath(import_folder_.empty() ? DefaultImportFolder() : import_folder_);
  if (!ShowFolderChooser(folder, *this)) return;
  import_folder_ = folder.GetSelectedPath();

  CardNameResolver names(script_host_.GetCardDatabase());
  DeckListFileImporter importer(names, import_folder_,
                                [this](const std::string& path) { return MayReplace(path); });
  std::string report;
  std::vector<std::string> written;
  for (const std::string& path : files) {
    InputFileImport import = importer.ImportFile(path);
    report += import.Report() + "\n";
    for (const DeckListFileImport& list : import.lists) {
      if (list.written) written.push_back(list.output_path);
    }
  }
  ImportReportDialog dialog(report, !written.empty());
  if (dialog.ShowDialog(this) == ImportReportDialog::kAdd) GetTable().AddDeckFiles(written);
}

void MainFrame::CreateDeckFromClipboard() {
  std::string text;
  if (!TtClipboard::GetUtf8String(text) || text.find_first_not_of(" \t\r\n") == std::string::npos) {
    TtMessageBox("クリップボードにテキストがありません。", "クリップボードからデッキを作成",
                 TtWin::MB_OK, TtWin::MB_ICONINFORMATION)
        .Show(this);
    return;
  }
  DeckNameDialog name_dialog("");
  if (name_dialog.ShowDialog(this) != 1) return;
  if (import_folder_.empty()) import_folder_ = DefaultImportFolder();
  CardNameResolver names(script_host_.GetCardDatabase());
  DeckListFileImporter importer(names, import_folder_,
                                [this](const std::string& path) { return MayReplace(path); });
  DeckListFileImport import = importer.ImportText(text, name_dialog.GetName());
  if (!import.written) {
    TtMessageBox(import.Report(), "クリップボードからデッキを作成", TtWin::MB_OK,
                 TtWin::MB_ICONWARNING)
        .Show(this);
    return;
  }
  GetTable().AddDeckFiles({import.output_path});
}

}  // namespace Tarvane
