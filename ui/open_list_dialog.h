#pragma once
// The deck list file dialog: the user puts together the list of deck list files to load, adding
// files one by one or several at a time, or every file of a folder, and removing single entries.
// The dialog only edits paths; loading them is the caller's business.
#include <memory>
#include <string>
#include <vector>

#include "ttl/core/tt_exception.h"
#include "ttl/gui/tt_dialog.h"
#include "ttl/gui/tt_file_dialog.h"
#include "ttl/gui/tt_window_controls.h"

namespace Tarvane {

class Deck;

class OpenListDialog : public TtDialog {
public:
  // Button identifiers.
  static constexpr int kAddId = 10001;
  static constexpr int kRemoveId = 10002;
  static constexpr int kFolderId = 10003;
  static constexpr int kOkId = 10004;
  static constexpr int kCancelId = 10005;

  // The list starts empty (adding deck list files).
  OpenListDialog();
  // The list starts with the file path of every deck, in deck order (editing the loaded set).
  explicit OpenListDialog(const std::vector<std::shared_ptr<Deck>>& decks);

  // Dialog frame, system menu and sizing border: the user can resize it.
  TtWin::DWORD GetStyle() const override { return 0x004C0000; }
  TtWin::DWORD GetExtendedStyle() const override { return 0; }
  bool CreatedInternal() override;

  // The window title; set before showing.
  void SetTitle(const std::string& title) { title_ = title; }
  const std::string& GetTitle() const { return title_; }
  // After kAccepted: the entries from top to bottom. Otherwise the initial list.
  const std::vector<std::string>& GetPaths() const { return paths_; }

  // The controls, for tests that drive the dialog as the user does.
  TtListBox& GetListBox() { return list_; }
  TtButton& GetAddButton() { return add_; }
  TtButton& GetRemoveButton() { return remove_; }
  TtButton& GetFolderButton() { return folder_; }

private:
  void Layout(int width, int height) override;
  void Accept() override;
  void AddFiles();
  void RemoveSelected();
  void AddFolder();
  // Tells which files of the folder were left out because their names cannot be spelt.
  void ShowNamesNotAdded(const std::string& folder, const std::vector<std::string>& paths);

  std::string title_;
  std::vector<std::string> paths_;

  TtStatic label_;
  TtWindowWithStyle<TtListBox, 0x300100> list_;
  TtButton add_;
  TtButton remove_;
  TtMultiLineButton folder_;
};

}  // namespace Tarvane
