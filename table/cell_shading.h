#pragma once
// Shading of numeric cells (色分け): a cell's step is its value relative to the largest magnitude
// among the card rows of its column, so that patterns across hundreds of columns stand out. The
// table says how strongly a cell is shaded; the window chooses the colours.
#include <optional>
#include <string>

namespace Tarvane {

// Positive values are shaded in steps 1 to kShadeSteps, negative ones (a difference column) in
// -1 to -kShadeSteps; a few steps keep the colours told apart at a glance.
inline constexpr int kShadeSteps = 6;

// The number a cell shows, when its whole text is one ("4", "-2", "37.50").
std::optional<double> CellNumber(const std::string& text);

// The step of a cell text in a column whose largest magnitude is given: 0 for a blank, zero or
// non-numeric text, or for a column without a positive largest magnitude.
int ShadeStep(const std::string& text, double largest_magnitude);

}  // namespace Tarvane
