#pragma once
// A menu that the scripts' lists of sorters and processors fill (SquirrelVM::FillScriptMenu):
// labels, separators, nested sub-menus and one held script object per leaf. The main window's
// menus and the headless tool each implement it, so the filling rules live in one place.
#include <string>

#include "squirrel/tt_squirrel_object.h"

namespace Tarvane {

class ScriptMenu {
public:
  virtual ~ScriptMenu() = default;

  // A separator line after the items so far.
  virtual void AppendSeparator() = 0;
  // Appends a nested sub-menu with the label and returns it; the sub-menu belongs to this menu
  // and lives as long as it does.
  virtual ScriptMenu& AppendSubMenu(const std::string& label) = 0;
  // Appends a leaf with the label. `leaf` holds an engine reference to the script's sorter or
  // processor, so the value stays alive as long as the menu keeps it.
  virtual void AppendItem(const std::string& label, const TtSquirrel::Object& leaf) = 0;
};

}  // namespace Tarvane
