#include "ttl/core/tt_list_view_store.h"

#include <algorithm>
#include <cerrno>
#include <utility>

#include "ttl/core/tt_exception.h"

namespace {

const std::string kEmptyText;

// A stable merge sort of positions that never reads outside its ranges, whatever the
// comparison answers: the comparison is script code and need not be a consistent order.
void MergeSortPositions(std::vector<int>& order, const std::function<bool(int, int)>& before) {
  std::vector<int> buffer(order.size());
  for (size_t width = 1; width < order.size(); width *= 2) {
    for (size_t left = 0; left < order.size(); left += 2 * width) {
      size_t middle = std::min(left + width, order.size());
      size_t right = std::min(left + 2 * width, order.size());
      size_t i = left, j = middle, out = left;
      while (i < middle && j < right) {
        // Taking the right element only when it strictly precedes keeps equal items in order.
        buffer[out++] = before(order[j], order[i]) ? order[j++] : order[i++];
      }
      while (i < middle) buffer[out++] = order[i++];
      while (j < right) buffer[out++] = order[j++];
    }
    order.swap(buffer);
  }
}

}  // namespace

TtListViewStore::TtListViewStore() = default;
TtListViewStore::~TtListViewStore() {
  if (observer_) observer_->StoreDestroyed();
}

const TtListViewStore::Column& TtListViewStore::ColumnAt(int index, const char* call) const {
  if (index < 0 || index >= GetColumnCount())
    throw TT_SYSTEM_CALL_ERROR("tt_list_view", call, EINVAL);
  return columns_[index];
}

TtListViewStore::Column& TtListViewStore::ColumnAt(int index, const char* call) {
  return const_cast<Column&>(std::as_const(*this).ColumnAt(index, call));
}

const TtListViewStore::Item& TtListViewStore::ItemAt(int index, const char* call) const {
  if (index < 0 || index >= GetItemCount())
    throw TT_SYSTEM_CALL_ERROR("tt_list_view", call, EINVAL);
  return items_[index];
}

TtListViewStore::Item& TtListViewStore::ItemAt(int index, const char* call) {
  return const_cast<Item&>(std::as_const(*this).ItemAt(index, call));
}

void TtListViewStore::NotifyItemChanged(int index) {
  if (observer_) observer_->ItemsChanged(index);
}

int TtListViewStore::InsertColumn(int index, const std::string& text, int width) {
  if (index < 0 || index > GetColumnCount()) index = GetColumnCount();
  columns_.insert(columns_.begin() + index, Column{text, std::string(), width, 0});
  for (Item& item : items_) {
    if (static_cast<int>(item.texts.size()) > index)
      item.texts.insert(item.texts.begin() + index, std::string());
  }
  if (observer_) observer_->ColumnsInserted(index, 1);
  return index;
}

void TtListViewStore::DeleteColumn(int index) {
  ColumnAt(index, "ListView_DeleteColumn");
  columns_.erase(columns_.begin() + index);
  for (Item& item : items_) {
    if (static_cast<int>(item.texts.size()) > index) item.texts.erase(item.texts.begin() + index);
  }
  if (observer_) observer_->ColumnsDeleted(index, 1);
}

void TtListViewStore::DeleteAllColumns() {
  int count = GetColumnCount();
  if (count == 0) return;
  columns_.clear();
  for (Item& item : items_) item.texts.clear();
  if (observer_) observer_->ColumnsDeleted(0, count);
}

const std::string& TtListViewStore::GetColumnText(int index) const {
  return ColumnAt(index, "ListView_GetColumn").text;
}

void TtListViewStore::SetColumnText(int index, const std::string& text) {
  ColumnAt(index, "ListView_SetColumn").text = text;
  if (observer_) observer_->ColumnChanged(index);
}

const std::string& TtListViewStore::GetColumnToolTip(int index) const {
  return ColumnAt(index, "ListView_GetColumn").tool_tip;
}

void TtListViewStore::SetColumnToolTip(int index, const std::string& text) {
  ColumnAt(index, "ListView_SetColumn").tool_tip = text;
}

int TtListViewStore::GetColumnWidth(int index) const {
  return ColumnAt(index, "ListView_GetColumnWidth").width;
}

void TtListViewStore::SetColumnWidth(int index, int width) {
  ColumnAt(index, "ListView_SetColumnWidth").width = width;
  if (observer_) observer_->ColumnChanged(index);
}

TtWin::LPARAM TtListViewStore::GetColumnData(int index) const {
  return ColumnAt(index, "Header_GetItem").data;
}

void TtListViewStore::SetColumnData(int index, TtWin::LPARAM data) {
  ColumnAt(index, "Header_SetItem").data = data;
}

int TtListViewStore::InsertItem(int index, TtWin::LPARAM data) {
  if (index < 0 || index > GetItemCount()) index = GetItemCount();
  Item item;
  item.data = data;
  items_.insert(items_.begin() + index, std::move(item));
  if (observer_) observer_->ItemsInserted(index, 1);
  return index;
}

void TtListViewStore::DeleteItem(int index) {
  ItemAt(index, "ListView_DeleteItem");
  items_.erase(items_.begin() + index);
  if (observer_) observer_->ItemsDeleted(index, 1);
}

void TtListViewStore::DeleteAllItems() {
  int count = GetItemCount();
  if (count == 0) return;
  items_.clear();
  if (observer_) observer_->ItemsDeleted(0, count);
}

TtWin::LPARAM TtListViewStore::GetItemData(int index) const {
  return ItemAt(index, "ListView_GetItem").data;
}

void TtListViewStore::SetItemData(int index, TtWin::LPARAM data) {
  ItemAt(index, "ListView_SetItem").data = data;
}

const std::string& TtListViewStore::GetItemText(int index, int column) const {
  const Item& item = ItemAt(index, "ListView_GetItemText");
  ColumnAt(column, "ListView_GetItemText");
  return column < static_cast<int>(item.texts.size()) ? item.texts[column] : kEmptyText;
}

void TtListViewStore::SetItemText(int index, int column, const std::string& text) {
  Item& item = ItemAt(index, "ListView_SetItemText");
  ColumnAt(column, "ListView_SetItemText");
  if (column >= static_cast<int>(item.texts.size())) {
    if (text.empty()) return;
    item.texts.resize(column + 1);
  }
  item.texts[column] = text;
  NotifyItemChanged(index);
}

bool TtListViewStore::IsItemSelected(int index) const {
  return ItemAt(index, "ListView_GetItemState").selected;
}

void TtListViewStore::SetItemSelected(int index, bool selected) {
  Item& item = ItemAt(index, "ListView_SetItemState");
  if (selected && single_selection_) {
    for (int other = 0; other < GetItemCount(); ++other) {
      if (other != index && items_[other].selected) {
        items_[other].selected = false;
        NotifyItemChanged(other);
      }
    }
  }
  if (item.selected == selected) return;
  item.selected = selected;
  NotifyItemChanged(index);
}

void TtListViewStore::ClearSelection() {
  for (int index = 0; index < GetItemCount(); ++index) {
    if (items_[index].selected) {
      items_[index].selected = false;
      NotifyItemChanged(index);
    }
  }
}

int TtListViewStore::GetNextSelectedItem(int start) const {
  for (int index = std::max(start, 0); index < GetItemCount(); ++index) {
    if (items_[index].selected) return index;
  }
  return -1;
}

bool TtListViewStore::IsItemDropHighlighted(int index) const {
  return ItemAt(index, "ListView_GetItemState").drop_highlighted;
}

void TtListViewStore::SetItemDropHighlighted(int index, bool highlighted) {
  Item& item = ItemAt(index, "ListView_SetItemState");
  if (item.drop_highlighted == highlighted) return;
  item.drop_highlighted = highlighted;
  NotifyItemChanged(index);
}

int TtListViewStore::GetDropHighlightedItem() const {
  for (int index = 0; index < GetItemCount(); ++index) {
    if (items_[index].drop_highlighted) return index;
  }
  return -1;
}

bool TtListViewStore::IsItemChecked(int index) const {
  return ItemAt(index, "ListView_GetCheckState").checked;
}

void TtListViewStore::SetItemChecked(int index, bool checked) {
  Item& item = ItemAt(index, "ListView_SetCheckState");
  if (item.checked == checked) return;
  item.checked = checked;
  NotifyItemChanged(index);
}

void TtListViewStore::SortItems(const Comparison& compare) {
  std::vector<int> order(items_.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
  MergeSortPositions(order,
                     [&](int a, int b) { return compare(items_[a].data, items_[b].data) < 0; });
  std::vector<Item> sorted;
  sorted.reserve(items_.size());
  for (int position : order) sorted.push_back(std::move(items_[position]));
  items_.swap(sorted);
  NotifyItemChanged(-1);
}

void TtListViewStore::SuspendUpdates() {
  if (suspended_++ == 0 && observer_) observer_->UpdatesSuspended();
}

void TtListViewStore::ResumeUpdates() {
  if (suspended_ == 0) return;
  if (--suspended_ == 0 && observer_) observer_->UpdatesResumed();
}
