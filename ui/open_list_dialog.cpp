#include "ui/open_list_dialog.h"

#include <algorithm>
#include <initializer_list>

#include "app/exception.h"
#include "app/settings.h"
#include "model/deck.h"
#include "ttl/tt_directory.h"
#include "ttl/tt_file_dialog.h"
#include "ttl/tt_folder_browser_dialog.h"
#include "ttl/tt_message_box.h"
#include "ttl/tt_path.h"
#include "ttl/tt_string.h"

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
  label_.Create({this});
  list_.Create({this});
  add_.Create({this, kAddId});
  remove_.Create({this, kRemoveId});
  folder_.Create({this, kFolderId});
  ok_.Create({this, kOkId});
  cancel_.Create({this, kCancelId});

  SetSize(550, 450);
  SetCenterRelativeToParent();
  RegisterSizeHandler([this](int, int width, int height) {
    Layout(width, height);
    return Handled();
  });

  label_.SetText("追加するデッキリストファイルのリスト");
  add_.SetText("追加...");
  remove_.SetText("削除");
  folder_.SetText("フォルダ\n指定...");
  ok_.SetText("OK");
  cancel_.SetText("キャンセル");

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
  RegisterCommandHandler(kOkId, [this](int, TtWin::HWND) {
    Accept();
    return Handled();
  });
  RegisterCommandHandler(kCancelId, [this](int, TtWin::HWND) {
    EndDialog(0);
    return Handled();
  });

  for (TtWindow* control : std::initializer_list<TtWindow*>{&label_, &list_, &add_, &remove_, &folder_, &ok_, &cancel_}) {
    control->Show();
  }
  return true;
}

void OpenListDialog::Layout(int width, int height) {
  label_.SetPositionSize(4, 4, width - 4, 16);
  list_.SetPositionSize(2, 24, width - 70, height - 60);
  add_.SetPositionSize(width - 64, 24, 60, 24);
  remove_.SetPositionSize(width - 64, 54, 60, 24);
  folder_.SetPositionSize(width - 64, 84, 60, 48);
  ok_.SetPositionSize(width - 194, height - 26, 88, 21);
  cancel_.SetPositionSize(width - 94, height - 26, 88, 21);
}

void OpenListDialog::AddFiles() {
  TtOpenFileDialog dialog(kPathBufferSize);
  dialog.SetAllowMultiSelect(true);
  dialog.AddFilter("すべてのファイル(*.*)", "*.*");
  if (!ShowFileDialog(dialog)) return;
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
  try {
    if (!browser.ShowDialog(this)) return;
  } catch (const TtFileAccessException& error) {
    ShowFileAccessError(error);
    return;
  }
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
  for (const std::string& path : folder.GetFiles("*.*", TtDirectory::FilterNotDirectory, &unrepresentable)) {
    list_.AddString(path);
  }
  if (!unrepresentable.empty()) ShowNamesNotAdded(folder.GetPath(), unrepresentable);
}

// A chosen name the program cannot spell ends the command with the reason; nothing is added.
bool OpenListDialog::ShowFileDialog(TtOpenFileDialog& dialog) {
  try {
    return dialog.ShowDialog(this);
  } catch (const TtFileAccessException& error) {
    ShowFileAccessError(error);
    return false;
  }
}

void OpenListDialog::ShowFileAccessError(const TtFileAccessException& error) {
  TtMessageBox(FileAccessErrorText(error), kFileAccessErrorCaption, TtWin::MB_OK, TtWin::MB_ICONERROR).Show(this);
}

void OpenListDialog::ShowNamesNotAdded(const std::string& folder, const std::vector<std::string>& paths) {
  std::string text = std::string("名前を表せないため追加しなかったファイルがあります。\r\nフォルダ ： ") + folder +
                     "\r\n原因 ： " + TtString::kUnrepresentablePathReason;
  for (const std::string& path : paths) text += "\r\n" + TtPath::FindFileName(path);
  TtMessageBox(text, kFileAccessErrorCaption, TtWin::MB_OK, TtWin::MB_ICONWARNING).Show(this);
}

void OpenListDialog::Accept() {
  paths_.clear();
  for (int index = 0; index < list_.GetCount(); ++index) paths_.push_back(list_.GetString(index));
  EndDialog(1);
}

}  // namespace Tarvane
