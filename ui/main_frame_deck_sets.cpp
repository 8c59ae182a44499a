// Deck sets: the decks, columns, board mode and sort of a session saved as a file and opened
// again, from a file, from the recent files, or as the last session.
#include "app/exception.h"
#include "app/program_files.h"
#include "app/settings.h"
#include "table/deck_set_file.h"
#include "ttl/core/tt_path.h"
#include "ttl/gui/tt_file_dialog.h"
#include "ui/main_frame.h"

namespace Tarvane {

namespace {

void AddDeckSetFilters(TtFileDialog& dialog) {
  dialog.AddFilter("デッキセット(*.tvset)", "*.tvset");
  dialog.AddFilter("すべてのファイル(*.*)", "*.*");
}

}  // namespace

// A name the program cannot spell would name another file: it is refused with a box.
bool MainFrame::ChooseDeckSetFile(TtFileDialog& dialog) {
  try {
    return dialog.ShowDialog(this);
  } catch (const TtFileAccessException& error) {
    ShowMessage(FileAccessErrorText(error), kFileAccessErrorCaption, MessageButtons::Ok,
                MessageIcon::Error, true);
    return false;
  }
}

void MainFrame::RememberDeckSet(const std::string& path) {
  try {
    AddRecentDeckSet(TtPath::GetFullPath(path));
  } catch (const TtException& error) {
    ShowMessage(SettingsNotSavedText("最近使ったデッキセットを保存できませんでした。", error),
                kSettingsNotSavedCaption, MessageButtons::Ok, MessageIcon::Error, true);
  }
  UpdateRecentMenu();
}

void MainFrame::OpenDeckSet() {
  TtOpenFileDialog dialog;
  dialog.SetTitle("デッキセットを開く");
  AddDeckSetFilters(dialog);
  dialog.SetFileMustExist(true);
  if (!ChooseDeckSetFile(dialog)) return;
  OpenDeckSetFile(dialog.GetFileName(), true);
}

void MainFrame::SaveDeckSet() {
  TtSaveFileDialog dialog;
  dialog.SetTitle("デッキセットを保存");
  AddDeckSetFilters(dialog);
  dialog.SetDefaultExtension(kDeckSetExtension);
  dialog.SetFileName(std::string("decks.") + kDeckSetExtension);
  dialog.SetOverwritePrompt(true);
  if (!ChooseDeckSetFile(dialog)) return;
  const std::string path = dialog.GetFileName();
  if (!WriteDeckSetFile(path, CaptureDeckSet(GetTable()), *this)) return;
  ShowNotice("デッキセットを保存しました : " + path);
  RememberDeckSet(path);
}

void MainFrame::OpenDeckSetFile(const std::string& path, bool remember) {
  std::optional<DeckSet> set = ReadDeckSetFile(path, *this);
  if (!set) return;
  const int missing = Tarvane::OpenDeckSet(GetTable(), *set, main_menu_.GetSpecialColumnMenu(),
                                           main_menu_.GetSortMenu());
  main_menu_.CheckBoardMode(script_host_.GetBoardDisplayMode());
  ShowNotice(missing == 0 ? "デッキセットを開きました"
                          : "デッキセットを開きました (" + std::to_string(missing) +
                                " 個のカラムか並び替えは戻せませんでした)");
  if (remember) RememberDeckSet(path);
}

void MainFrame::OpenRecentDeckSet(int index) {
  const std::vector<std::string> paths = LoadRecentDeckSets();
  if (index < 0 || index >= static_cast<int>(paths.size())) return;
  OpenDeckSetFile(paths[index], true);
}

void MainFrame::SaveLastSession() {
  // A session without decks leaves the set of the last one that had some.
  if (script_host_.GetDecks().empty()) return;
  const std::string path = ProgramFiles::GetLastDeckSetPath();
  ProgramFiles::PrepareFolderOf(path);
  WriteDeckSetFile(path, CaptureDeckSet(GetTable()), *this);
}

void MainFrame::UpdateRecentMenu() {
  main_menu_.SetRecentDeckSets(TtPath::FileExists(ProgramFiles::GetLastDeckSetPath()),
                               LoadRecentDeckSets());
}

}  // namespace Tarvane
