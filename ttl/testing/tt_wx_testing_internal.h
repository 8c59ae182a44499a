#pragma once
// Shared by the test driver's sources only.
#include <string>
#include <vector>

class TtWindow;
class wxWindow;

namespace TtTestingInternal {

// The widget of a created window.
wxWindow* Widget(const TtWindow& window);
// The labels of the window's buttons, left to right.
std::vector<std::string> LabelsLeftToRight(wxWindow* window);

}  // namespace TtTestingInternal
