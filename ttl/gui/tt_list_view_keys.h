#pragma once
// What a table program's list adds to the report list: typing a name while the list has the
// focus, bringing a column into view, and fitting every column to its texts at once.
#include <functional>
#include <string>

#include "ttl/gui/tt_list_view.h"

namespace TtListViewKeys {

// Called with each character typed into the list (CP932, one character) that is no navigation
// or command key: letters, digits, punctuation and Japanese characters, not a space. Set once
// per list, after the list has been created.
void OnTypedText(TtListView& list, std::function<void(const std::string& text)> handler);

// Scrolls the list sideways so that the column is in view; the rows stay where they are.
void EnsureColumnVisible(TtListView& list, int column);

// Sets every column's width to show its header and each of its texts whole.
void FitAllColumns(TtListView& list);

}  // namespace TtListViewKeys
