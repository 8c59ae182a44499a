#pragma once
// Test driving of the keyboard beyond Enter and Escape: a character typed into a window, and
// the shortcut that the widget set made of a menu item's text; and the font of a list cell.
#include <string>
#include <vector>

#include "ttl/gui/tt_list_view.h"
#include "ttl/gui/tt_window.h"

namespace TtTesting {

// One character (CP932) typed into the window, as the widget set delivers it after the key.
void TypeCharacter(TtWindow& window, const std::string& character);

// The shortcut of a menu bar item (positions as for ChooseMenuBarItem) as the widget set
// understood it from the item's text ("Ctrl+F", "F5"); empty when it found none.
std::string MenuItemShortcut(TtWindow& form, const std::vector<int>& positions);

// The font a list cell is painted in, described by the widget set ("Sans 10").
std::string ListCellFont(TtListView& list, int item, int column);

}  // namespace TtTesting
