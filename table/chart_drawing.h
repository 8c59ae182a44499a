#pragma once
// Draws a chart on any canvas: a picture in memory, an SVG file or a window all get the same
// drawing, laid out for the canvas's size.
#include <cstdint>
#include <vector>

#include "table/chart_data.h"
#include "ttl/core/tt_canvas.h"

namespace Tarvane {

// The colours of the series, in order: colours that colour-blind readers tell apart, ordered so
// that the first four also differ in lightness when printed in grey.
const std::vector<TtWin::COLORREF>& ChartPalette();

void DrawChart(const ChartData& chart, TtCanvas& canvas);

}  // namespace Tarvane
