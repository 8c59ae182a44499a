#pragma once
// The script menus (special columns, sort rules) as toolkit menus: SquirrelVM::FillScriptMenu
// fills one of these, and each leaf carries its script value as item data, a Sorter in the sort
// menu and the processor in the special-column menu. The menus report a choice by position, so
// the handler reads the data of the chosen item and calls the table with it.
#include <memory>
#include <string>
#include <vector>

#include "script/script_menu.h"
#include "script/squirrel_vm.h"
#include "table/sorter.h"
#include "ttl/core/tt_menu.h"

namespace Tarvane {

class ScriptItemMenu : public ScriptMenu {
public:
  // Fills `menu` (shared, not copied) with the items of the given script list.
  ScriptItemMenu(ScriptMenuList list, const TtMenu& menu);

  ScriptMenuList GetList() const { return list_; }
  const TtMenu& GetMenu() const { return menu_; }

  void AppendSeparator() override;
  ScriptMenu& AppendSubMenu(const std::string& label) override;
  void AppendItem(const std::string& label, const TtSquirrel::Object& leaf) override;

  // The data of a leaf of a sort menu, or of a special-column menu; null for a separator or a
  // sub-menu.
  static std::shared_ptr<Sorter> SorterAt(const TtMenu& sort_menu, int position);
  static std::shared_ptr<TtSquirrel::Object> ProcessorAt(const TtMenu& column_menu, int position);

private:
  ScriptMenuList list_;
  TtMenu menu_;
  std::vector<std::unique_ptr<ScriptItemMenu>> sub_menus_;
};

}  // namespace Tarvane
