#pragma once
// The deck selection dialog: the user picks, from the loaded decks, the ones to show as columns
// of the table. It lists every deck's file path and returns the chosen decks in list order.
#include <memory>
#include <string>
#include <vector>

#include "ttl/gui/tt_dialog.h"
#include "ttl/gui/tt_window_controls.h"

namespace Tarvane {

class Deck;

class SelectListDialog : public TtDialog {
public:
  static constexpr int kSelectAllId = 10001;
  static constexpr int kOkId = 10002;
  static constexpr int kCancelId = 10003;

  // Several decks (a click toggles one), or one deck (a click selects it alone, and there is no
  // 全て選択する).
  enum class Choice { Multiple, Single };

  // The dialog reads the caller's list while it is open and does not change it.
  explicit SelectListDialog(const std::vector<std::shared_ptr<Deck>>& decks,
                            Choice choice = Choice::Multiple);

  TtWin::DWORD GetStyle() const override { return 0x004C0000; }
  TtWin::DWORD GetExtendedStyle() const override { return 0; }
  bool CreatedInternal() override;

  // The window title; without one the window shows kDefaultTitle.
  static constexpr char kDefaultTitle[] = "表示するデッキリストファイル選択リストダイアログ";
  void SetTitle(const std::string& title) { title_ = title; }
  const std::string& GetTitle() const { return title_; }

  // After kAccepted: the selected decks from top to bottom, and their positions in the
  // caller's list (the form the table's AddDeckColumns takes).
  const std::vector<std::shared_ptr<Deck>>& GetSelectedDecks() const { return selected_decks_; }
  const std::vector<int>& GetSelectedPositions() const { return selected_positions_; }

  // The controls, for tests that drive the dialog as the user does.
  TtListBox& GetListBox() { return ListBox(); }
  TtButton& GetSelectAllButton() { return select_all_; }

private:
  void Layout(int width, int height) override;
  void Accept() override;
  void SelectAll();
  TtListBox& ListBox();

  const std::vector<std::shared_ptr<Deck>>& decks_;
  Choice choice_;
  std::string title_;
  std::vector<std::shared_ptr<Deck>> selected_decks_;
  std::vector<int> selected_positions_;

  TtStatic label_;
  TtWindowWithStyle<TtListBoxMultiSelect, 0x300100> list_;
  // The list of the single choice, made instead of list_.
  TtWindowWithStyle<TtListBox, 0x300100> single_list_;
  TtButton select_all_;
};

}  // namespace Tarvane
