#pragma once
// 絞り込み: which card rows the table shows, by card type, by the number of decks that play the
// card, by archetype and by text. It edits a RowFilter; the table applies it.
#include <string>
#include <vector>

#include "table/row_filter.h"
#include "ttl/gui/tt_dialog.h"
#include "ttl/gui/tt_window_controls.h"

namespace Tarvane {

class RowFilterDialog : public TtDialog {
public:
  static constexpr int kOkId = 10001;
  static constexpr int kCancelId = 10002;

  // The filter shown at first and the archetypes of the loaded decks to choose from.
  RowFilterDialog(const RowFilter& filter, std::vector<std::string> archetypes)
      : filter_(filter), archetypes_(std::move(archetypes)) {}

  TtWin::DWORD GetExtendedStyle() const override { return 0; }
  bool CreatedInternal() override;

  // After OK: the filter as set.
  const RowFilter& GetFilter() const { return filter_; }

  TtListBox& GetTypeList() { return type_list_; }
  TtListBox& GetArchetypeList() { return archetype_list_; }
  TtEdit& GetMinimumDecksEdit() { return minimum_decks_edit_; }
  TtEdit& GetTextEdit() { return text_edit_; }

private:
  void Layout(int width, int height) override;
  void Accept() override;

  RowFilter filter_;
  std::vector<std::string> archetypes_;
  TtStatic type_label_;
  TtListBox type_list_;
  TtStatic archetype_label_;
  TtListBox archetype_list_;
  TtStatic minimum_decks_label_;
  TtNumberEdit minimum_decks_edit_;
  TtStatic text_label_;
  TtEdit text_edit_;
};

// The archetypes of the decks, each once, in alphabetical order.
std::vector<std::string> ArchetypesOf(const std::vector<std::shared_ptr<Deck>>& decks);

}  // namespace Tarvane
