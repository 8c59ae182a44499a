#include "ui/open_list_dialog.h"

#include <algorithm>

#include "app/exception.h"
#include "app/settings.h"
#include "model/deck.h"
#include "ttl/core/tt_directory.h"
#include "ttl/core/tt_path.h"
#include "ttl/core/tt_string.h"
#include "ttl/gui/tt_file_dialog.h"
#include "ttl/gui/tt_folder_browser_dialog.h"
#include "ttl/gui/tt_message_box.h"
#include "ui/file_chooser.h"

namespace Tarvane {

namespace {

// Room for many chosen files at once.
constexpr int kPathBufferSize = 33280;

}  // namespace

OpenListDialog::OpenListDialog() = default;

OpenListDialog::OpenListDialog(const std::vector<std::shared_ptr<Deck>>& decks) {
  for (const std::shared_ptr<Deck>& deck : decks) paths_.push_back(deck->path());
}

bool OpenListDialog::CreatedInternal() {
  SetText(title_);
  CreateChild(label_).SetText("追加するデッキリストファイルのリスト");
  CreateChild(list_);
  CreateChild(add_, kAddId).SetText("追加...");
  CreateChild(remove_, kRemoveId).SetText("削除");
  CreateChild(folder_, kFolderId).SetText("フォルダ\n指定...");
  CreateOkCancelButtons(kOkId, kCancelId);
  SetSize(550, 450);
  SetCenterRelativeToParent();

  list_.SetItemHeight(16);
  for (const std::string& path : paths_) list_.AddString(path);

  RegisterCommandHandler(kAddId, [this](int, TtWin::HWND) {
    AddFiles();
    return Handled();
  });
  RegisterCommandHandler(kRemoveId, [this](int, TtWin::HWND) {
    RemoveSelected();
    return Handled();
  });
  RegisterCommandHandler(kFolderId, [this](int, TtWin::HWND) {
    AddFolder();
    return Handled();
  });
  return true;
}

void OpenListDialog::Layout(int width, int height) {
  label_.SetPositionSize(4, 4, width - 4, 16);
  list_.SetPositionSize(2, 24, width - 70, height - 60);
  add_.SetPositionSize(width - 64, 24, 60, 24);
  remove_.SetPositionSize(width - 64, 54, 60, 24);
  folder_.SetPositionSize(width - 64, 84, 60, 48);
  LayoutOkCancelButtons(width, height);
}

void OpenListDialog::AddFiles() {
  TtOpenFileDialog dialog(kPathBufferSize);
  dialog.SetAllowMultiSelect(true);
  dialog.AddFilter("すべてのファイル(*.*)", "*.*");
  if (!ShowFileChooser(dialog, *this)) return;
  // Nothing is checked here: a path already listed is listed again, as the user chose it.
  for (const std::string& path : dialog.GetFileNames()) list_.AddString(path);
}

void OpenListDialog::RemoveSelected() {
  int selected = list_.GetCurrentSelection();
  if (selected < 0) return;
  list_.DeleteString(selected);
  int count = list_.GetCount();
  if (count > 0) list_.SetCurrentSelection(std::min(selected, count - 1));
}

void OpenListDialog::AddFolder() {
  TtFolderBrowserDialog browser;
  browser.SetDescription("データが格納されたフォルダを指定してください。");
  browser.SetSelectedPath(GetLastFolderBrowserPath());
  if (!ShowFolderChooser(browser, *this)) return;
  // Stored at once, so the next browser starts there even when this dialog is cancelled.
  try {
    SetLastFolderBrowserPath(browser.GetSelectedPath());
  } catch (const TtException& error) {
    TtMessageBox(SettingsNotSavedText("フォルダの場所を保存できませんでした。", error),
                 kSettingsNotSavedCaption, TtWin::MB_OK, TtWin::MB_ICONERROR)
        .Show(this);
  }
  TtDirectory folder(browser.GetSelectedPath());
  std::vector<std::string> unrepresentable;
  for (const std::string& path :
       folder.GetFiles("*.*", TtDirectory::FilterNotDirectory, &unrepresentable)) {
    list_.AddString(path);
  }
  if (!unrepresentable.empty()) ShowNamesNotAdded(folder.GetPath(), unrepresentable);
}

void OpenListDialog::ShowNamesNotAdded(const std::string& folder,
                                       const std::vector<std::string>& paths) {
  std::string text =
      std::string("名前を表せないため追加しなかったファイルがあります。\r\nフォルダ ： ") + folder +
      "\r\n原因 ： " + TtString::kUnrepresentablePathReason;
  for (const std::string& path : paths) text += "\r\n" + TtPath::FindFileName(path);
  TtMessageBox(text, kFileAccessErrorCaption, TtWin::MB_OK, TtWin::MB_ICONWARNING).Show(this);
}

void OpenListDialog::Accept() {
  paths_.clear();
  for (int index = 0; index < list_.GetCount(); ++index) paths_.push_back(list_.GetString(index));
  TtDialog::Accept();
}

}  // namespace Tarvane
