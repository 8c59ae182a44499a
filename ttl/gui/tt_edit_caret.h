#pragma once
// Where typing goes on in an edit: after the text that it holds, with nothing selected. An edit
// that took its first character from elsewhere (a name typed into the table) must not replace
// it with the second.
#include "ttl/gui/tt_window_controls.h"

namespace TtEditCaret {

// Now, and again once the widget set has finished giving the edit the focus (which selects all).
void MoveToEnd(TtEdit& edit);
// Whether the caret is after the last character and nothing is selected.
bool IsAtEnd(const TtEdit& edit);

}  // namespace TtEditCaret
