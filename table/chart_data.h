#pragma once
// What a chart shows, independent of where it is drawn: bars in categories, one value per series
// and category, and the texts around them. The window, the clipboard and the picture files all
// draw this one description (table/chart_drawing.h).
#include <string>
#include <vector>

namespace Tarvane {

struct ChartSeries {
  std::string name;
  // One value per category.
  std::vector<double> values;
};

struct ChartData {
  enum class Layout {
    HorizontalBars,  // one bar per category, top to bottom, its label at its end
    GroupedColumns,  // per category one column per series, side by side
    StackedColumns,  // per category one column, the series stacked, the total on top
  };

  Layout layout = Layout::HorizontalBars;
  std::string title;
  // Under the title: what the chart was made from.
  std::string note;
  std::string category_axis;
  std::string value_axis;
  std::vector<std::string> categories;
  std::vector<ChartSeries> series;
  // Horizontal bars: the text at the end of each bar; values are written when it is empty.
  std::vector<std::string> bar_labels;
  // Digits after the decimal point of the values written on the chart.
  int decimals = 0;
  // A category drawn in grey (the gathered archetypes), or -1.
  int muted_category = -1;
  // Shown in the middle when there is nothing to draw.
  std::string empty_text;

  bool IsEmpty() const { return categories.empty() || series.empty(); }
};

}  // namespace Tarvane
