#include "table/script_item_menu.h"

namespace Tarvane {

ScriptItemMenu::ScriptItemMenu(ScriptMenuList list, const TtMenu& menu)
    : list_(list), menu_(menu) {}

void ScriptItemMenu::AppendSeparator() { menu_.AppendSeparator(); }

ScriptMenu& ScriptItemMenu::AppendSubMenu(const std::string& label) {
  TtSubMenuCommand sub_menu;
  menu_.AppendMenu(label, sub_menu);
  sub_menus_.push_back(std::make_unique<ScriptItemMenu>(list_, sub_menu));
  return *sub_menus_.back();
}

void ScriptItemMenu::AppendItem(const std::string& label, const TtSquirrel::Object& leaf) {
  menu_.AppendItem(label, 0);
  const int position = menu_.GetItemCount() - 1;
  if (list_ == ScriptMenuList::Sorters) {
    menu_.SetItemData(position, std::make_shared<Sorter>(leaf));
  } else {
    menu_.SetItemData(position, std::make_shared<TtSquirrel::Object>(leaf));
  }
}

std::shared_ptr<Sorter> ScriptItemMenu::SorterAt(const TtMenu& sort_menu, int position) {
  if (sort_menu.IsSeparator(position) || sort_menu.HasSubMenu(position)) return nullptr;
  return sort_menu.GetItemDataAs<Sorter>(position);
}

std::shared_ptr<TtSquirrel::Object> ScriptItemMenu::ProcessorAt(const TtMenu& column_menu,
                                                                int position) {
  if (column_menu.IsSeparator(position) || column_menu.HasSubMenu(position)) return nullptr;
  return column_menu.GetItemDataAs<TtSquirrel::Object>(position);
}

}  // namespace Tarvane
