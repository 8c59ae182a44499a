#include "ttl/core/tt_menu.h"

#include <algorithm>
#include <cerrno>
#include <utility>

#include "ttl/core/tt_exception.h"

const TtMenuModel::Item& TtMenuModel::ItemAt(int index, const char* call) const {
  if (index < 0 || index >= static_cast<int>(items_.size())) {
    throw TT_SYSTEM_CALL_ERROR("tt_menu", call, EINVAL);
  }
  return items_[index];
}

TtMenuModel::Item& TtMenuModel::ItemAt(int index, const char* call) {
  return const_cast<Item&>(std::as_const(*this).ItemAt(index, call));
}

void TtMenuModel::AddObserver(Observer* observer) { observers_.push_back(observer); }

void TtMenuModel::RemoveObserver(Observer* observer) {
  observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

void TtMenuModel::NotifyItemChanged(int index) {
  // A copy, because an observer may rebuild itself and leave or join the list.
  std::vector<Observer*> observers = observers_;
  for (Observer* observer : observers) observer->MenuItemChanged(*this, index);
}

void TtMenuModel::NotifyStructureChanged() {
  std::vector<Observer*> observers = observers_;
  for (Observer* observer : observers) observer->MenuStructureChanged(*this);
}

TtMenu::TtMenu(TtWin::HMENU handle) {
  if (!handle) throw TT_SYSTEM_CALL_ERROR("tt_menu", "::GetSubMenu", EINVAL);
  model_ = handle->shared_from_this();
}

TtMenu::TtMenu(TtMenuModel::Kind kind, bool notify_by_position)
    : model_(std::make_shared<TtMenuModel>(kind, notify_by_position)) {}

TtMenu::~TtMenu() = default;

namespace {

// True when `menu` is `target` or holds it at any depth; such an insertion would make a loop.
bool Reaches(const TtMenuModel& menu, const TtMenuModel& target) {
  if (&menu == &target) return true;
  for (const auto& item : menu.Items()) {
    if (item.sub_menu && Reaches(*item.sub_menu, target)) return true;
  }
  return false;
}

int InsertionIndex(int index, const TtMenuModel& model) {
  int count = static_cast<int>(model.Items().size());
  return index < 0 || index > count ? count : index;
}

}  // namespace

void TtMenu::InsertItem(int index, const std::string& text, int id) {
  TtMenuModel::Item item;
  item.text = text;
  item.id = id;
  auto& items = model_->MutableItems();
  items.insert(items.begin() + InsertionIndex(index, *model_), std::move(item));
  model_->NotifyStructureChanged();
}

void TtMenu::InsertMenu(int index, const std::string& text, const TtMenu& sub_menu, int id) {
  if (Reaches(*sub_menu.model_, *model_))
    throw TT_SYSTEM_CALL_ERROR("tt_menu", "::InsertMenuItem", EINVAL);
  TtMenuModel::Item item;
  item.text = text;
  item.id = id;
  item.sub_menu = sub_menu.model_;
  auto& items = model_->MutableItems();
  items.insert(items.begin() + InsertionIndex(index, *model_), std::move(item));
  model_->NotifyStructureChanged();
}

void TtMenu::InsertSeparator(int index) {
  TtMenuModel::Item item;
  item.separator = true;
  auto& items = model_->MutableItems();
  items.insert(items.begin() + InsertionIndex(index, *model_), std::move(item));
  model_->NotifyStructureChanged();
}

void TtMenu::DeleteItem(int index) {
  model_->ItemAt(index, "::DeleteMenu");
  auto& items = model_->MutableItems();
  items.erase(items.begin() + index);
  model_->NotifyStructureChanged();
}

std::string TtMenu::GetItemText(int index) const {
  return model_->ItemAt(index, "::GetMenuItemInfo").text;
}

void TtMenu::SetItemText(int index, const std::string& text) {
  model_->ItemAt(index, "::SetMenuItemInfo").text = text;
  model_->NotifyItemChanged(index);
}

int TtMenu::GetItemId(int index) const { return model_->ItemAt(index, "::GetMenuItemInfo").id; }

void TtMenu::SetItemId(int index, int id) {
  model_->ItemAt(index, "::SetMenuItemInfo").id = id;
  model_->NotifyItemChanged(index);
}

bool TtMenu::IsSeparator(int index) const {
  return model_->ItemAt(index, "::GetMenuItemInfo").separator;
}

bool TtMenu::HasSubMenu(int index) const {
  return model_->ItemAt(index, "::GetMenuItemInfo").sub_menu != nullptr;
}

TtMenu TtMenu::GetSubMenu(int index) const {
  const auto& sub_menu = model_->ItemAt(index, "::GetSubMenu").sub_menu;
  if (!sub_menu) throw TT_SYSTEM_CALL_ERROR("tt_menu", "::GetSubMenu", EINVAL);
  return TtMenu(sub_menu.get());
}

bool TtMenu::IsItemEnabled(int index) const {
  return model_->ItemAt(index, "::GetMenuItemInfo").enabled;
}

void TtMenu::SetItemEnabled(int index, bool enabled) {
  auto& item = model_->ItemAt(index, "::SetMenuItemInfo");
  if (item.enabled == enabled) return;
  item.enabled = enabled;
  model_->NotifyItemChanged(index);
}

bool TtMenu::IsItemChecked(int index) const {
  return model_->ItemAt(index, "::GetMenuItemInfo").checked;
}

void TtMenu::SetItemChecked(int index, bool checked) {
  auto& item = model_->ItemAt(index, "::SetMenuItemInfo");
  if (item.checked == checked) return;
  item.checked = checked;
  model_->NotifyItemChanged(index);
}

void TtMenu::CheckRadioItem(int first, int last, int checked) {
  if (first > last || checked < first || checked > last) {
    throw TT_SYSTEM_CALL_ERROR("tt_menu", "::CheckMenuRadioItem", EINVAL);
  }
  model_->ItemAt(first, "::CheckMenuRadioItem");
  model_->ItemAt(last, "::CheckMenuRadioItem");
  bool kind_changed = false;
  for (int index = first; index <= last; ++index) {
    auto& item = model_->MutableItems()[index];
    kind_changed = kind_changed || !item.radio;
    item.radio = true;
    item.checked = index == checked;
  }
  if (kind_changed) {
    model_->NotifyStructureChanged();
  } else {
    for (int index = first; index <= last; ++index) model_->NotifyItemChanged(index);
  }
}

const std::shared_ptr<void>& TtMenu::GetItemData(int index) const {
  return model_->ItemAt(index, "::GetMenuItemInfo").data;
}

void TtMenu::SetItemData(int index, std::shared_ptr<void> data) {
  model_->ItemAt(index, "::SetMenuItemInfo").data = std::move(data);
}

int TtMenu::FindItemById(int id) const {
  const auto& items = model_->Items();
  for (size_t index = 0; index < items.size(); ++index) {
    if (!items[index].separator && items[index].id == id) return static_cast<int>(index);
  }
  return -1;
}

TtSubMenu::TtSubMenu(bool) : TtMenu(TtMenuModel::Kind::Popup, false) {}

TtSubMenu::TtSubMenu(bool, bool notify_by_position)
    : TtMenu(TtMenuModel::Kind::Popup, notify_by_position) {}

TtSubMenuCommand::TtSubMenuCommand(bool owned) : TtSubMenu(owned, true) {}

TtMenuBar::TtMenuBar(bool) : TtMenu(TtMenuModel::Kind::Bar, false) {}
