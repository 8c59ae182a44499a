#include "table/cell_shading.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace Tarvane {

std::optional<double> CellNumber(const std::string& text) {
  if (text.empty()) return std::nullopt;
  const char* start = text.c_str();
  char* end = nullptr;
  errno = 0;
  double number = std::strtod(start, &end);
  if (end != start + text.size() || errno == ERANGE || !std::isfinite(number)) return std::nullopt;
  return number;
}

int ShadeStep(const std::string& text, double largest_magnitude) {
  if (!(largest_magnitude > 0)) return 0;
  std::optional<double> number = CellNumber(text);
  if (!number || *number == 0) return 0;
  double share = std::min(std::fabs(*number) / largest_magnitude, 1.0);
  int step = std::max(1, static_cast<int>(std::ceil(share * kShadeSteps)));
  return *number < 0 ? -step : step;
}

}  // namespace Tarvane
