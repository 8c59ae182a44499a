#include "ui/row_filter_dialog.h"

#include <algorithm>

#include "table/average_deck.h"
#include "ttl/core/tt_utility.h"

namespace Tarvane {

namespace {

const char kAny[] = "(すべて)";

}  // namespace

std::vector<std::string> ArchetypesOf(const std::vector<std::shared_ptr<Deck>>& decks) {
  std::vector<std::string> archetypes;
  for (const std::shared_ptr<Deck>& deck : decks) archetypes.push_back(DeckArchetype(*deck));
  std::sort(archetypes.begin(), archetypes.end());
  archetypes.erase(std::unique(archetypes.begin(), archetypes.end()), archetypes.end());
  return archetypes;
}

bool RowFilterDialog::CreatedInternal() {
  SetText("絞り込み");
  CreateChild(type_label_).SetText("カードの種類");
  CreateChild(type_list_);
  type_list_.AddString(kAny);
  type_list_.SetCurrentSelection(0);
  for (const FilterCardType& type : FilterCardTypes()) {
    int index = type_list_.AddString(type.name);
    if (type.code == filter_.card_type) type_list_.SetCurrentSelection(index);
  }
  CreateChild(archetype_label_).SetText("アーキタイプ");
  CreateChild(archetype_list_);
  archetype_list_.AddString(kAny);
  archetype_list_.SetCurrentSelection(0);
  for (const std::string& archetype : archetypes_) {
    int index = archetype_list_.AddString(archetype);
    if (archetype == filter_.archetype) archetype_list_.SetCurrentSelection(index);
  }
  CreateChild(minimum_decks_label_).SetText("採用しているデッキ数 (以上)");
  CreateChild(minimum_decks_edit_)
      .SetText(filter_.minimum_decks > 1 ? std::to_string(filter_.minimum_decks) : "");
  CreateChild(text_label_).SetText("テキスト (カード名・タイプ・ルール文の一部)");
  CreateChild(text_edit_).SetText(filter_.text);
  CreateOkCancelButtons(kOkId, kCancelId);
  SetSize(480, 360);
  SetCenterRelativeToParent();
  return true;
}

void RowFilterDialog::Layout(int width, int height) {
  const int half = (width - 24) / 2;
  type_label_.SetPositionSize(8, 8, half, 16);
  type_list_.SetPositionSize(8, 28, half, 150);
  archetype_label_.SetPositionSize(16 + half, 8, half, 16);
  archetype_list_.SetPositionSize(16 + half, 28, half, 150);
  minimum_decks_label_.SetPositionSize(8, 188, width - 16, 16);
  minimum_decks_edit_.SetPositionSize(8, 208, 80, 24);
  text_label_.SetPositionSize(8, 242, width - 16, 16);
  text_edit_.SetPositionSize(8, 262, width - 16, 24);
  LayoutOkCancelButtons(width, height);
}

void RowFilterDialog::Accept() {
  RowFilter filter;
  const int type = type_list_.GetCurrentSelection();
  if (type >= 1 && type <= static_cast<int>(FilterCardTypes().size()))
    filter.card_type = FilterCardTypes()[type - 1].code;
  const int archetype = archetype_list_.GetCurrentSelection();
  if (archetype >= 1 && archetype <= static_cast<int>(archetypes_.size()))
    filter.archetype = archetypes_[archetype - 1];
  const std::string decks = minimum_decks_edit_.GetText();
  // A pasted text that is no number leaves the dialog open, as a number box would refuse it.
  if (!decks.empty() &&
      (!TtUtility::StringToInteger(decks, filter.minimum_decks) || filter.minimum_decks < 0)) {
    minimum_decks_edit_.SetFocus();
    return;
  }
  filter.text = text_edit_.GetText();
  filter_ = filter;
  TtDialog::Accept();
}

}  // namespace Tarvane
