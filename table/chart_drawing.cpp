#include "table/chart_drawing.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace Tarvane {

namespace {

using TtWin::Rgb;

constexpr TtWin::COLORREF kInk = Rgb(33, 33, 33);
constexpr TtWin::COLORREF kNoteInk = Rgb(85, 85, 85);
constexpr TtWin::COLORREF kGrid = Rgb(221, 221, 221);
constexpr TtWin::COLORREF kAxis = Rgb(85, 85, 85);
constexpr TtWin::COLORREF kOutline = Rgb(64, 64, 64);
constexpr TtWin::COLORREF kMuted = Rgb(170, 170, 170);
constexpr TtWin::COLORREF kWhite = Rgb(255, 255, 255);

// Sizes are those of a 1200 by 800 picture, scaled with the canvas.
struct Style {
  double scale;
  double title_size;
  double text_size;
  double small_size;
  double margin;
  double gap;
};

Style StyleFor(const TtCanvas& canvas) {
  const double ratio = std::min(canvas.Width() / 1200.0, canvas.Height() / 800.0);
  // Smaller pictures (a window) shrink their text less than their size, so that it stays legible.
  const double scale = std::clamp(ratio < 1 ? std::pow(ratio, 0.6) : ratio, 0.3, 8.0);
  return Style{scale, 20 * scale, 12 * scale, 10 * scale, 28 * scale, 8 * scale};
}

std::string FormatValue(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

// Grid lines at round steps, about five of them, up to the first step at or above the maximum.
struct Ticks {
  double step;
  double top;
  int decimals;
};

// Counts (no decimals) keep whole steps.
Ticks NiceTicks(double maximum, int decimals_of_values) {
  if (!(maximum > 0)) maximum = 1;
  const double rough = decimals_of_values == 0 ? std::max(maximum / 5, 1.0) : maximum / 5;
  const double power = std::pow(10.0, std::floor(std::log10(rough)));
  double step = 10 * power;
  for (double multiple : {1.0, 2.0, 2.5, 5.0}) {
    if (multiple * power >= rough) {
      step = multiple * power;
      break;
    }
  }
  int decimals = 0;
  while (decimals < 3 && std::abs(step * std::pow(10.0, decimals) -
                                  std::round(step * std::pow(10.0, decimals))) > 1e-9) {
    ++decimals;
  }
  return Ticks{step, std::ceil(maximum / step - 1e-9) * step, decimals};
}

void OutlineRectangle(TtCanvas& canvas, double x, double y, double width, double height,
                      double line) {
  canvas.DrawLine(x, y, x + width, y, line, kOutline);
  canvas.DrawLine(x, y + height, x + width, y + height, line, kOutline);
  canvas.DrawLine(x, y, x, y + height, line, kOutline);
  canvas.DrawLine(x + width, y, x + width, y + height, line, kOutline);
}

// A bar with a thin dark edge, so that light colours stand apart from the white ground.
void DrawBar(TtCanvas& canvas, const Style& style, double x, double y, double width, double height,
             TtWin::COLORREF colour) {
  if (width <= 0 || height <= 0) return;
  canvas.FillRectangle(x, y, width, height, colour);
  OutlineRectangle(canvas, x, y, width, height, 0.8 * style.scale);
}

TtWin::COLORREF SeriesColour(size_t series) {
  return ChartPalette()[series % ChartPalette().size()];
}

// The legend in one row ending at `right`; returns its height.
double DrawLegend(const ChartData& chart, TtCanvas& canvas, const Style& style, double right,
                  double y) {
  if (chart.series.size() < 2) return 0;
  const double swatch = style.text_size * 1.1;
  double x = right;
  double height = 0;
  for (size_t index = chart.series.size(); index-- > 0;) {
    const TtTextSize text = canvas.MeasureText(chart.series[index].name, style.text_size, false);
    height = std::max(height, text.height);
    x -= text.width;
    canvas.DrawText(x, y, chart.series[index].name, style.text_size, false, kInk,
                    TtCanvas::Align::Left);
    x -= style.gap + swatch;
    DrawBar(canvas, style, x, y + (text.height - swatch) / 2, swatch, swatch, SeriesColour(index));
    x -= 3 * style.gap;
  }
  return height;
}

// The title, the note and the legend; returns where the plot may begin.
double DrawHeader(const ChartData& chart, TtCanvas& canvas, const Style& style) {
  double y = style.margin;
  canvas.DrawText(style.margin, y, chart.title, style.title_size, true, kInk,
                  TtCanvas::Align::Left);
  y += canvas.MeasureText(chart.title, style.title_size, true).height;
  if (!chart.note.empty()) {
    canvas.DrawText(style.margin, y, chart.note, style.small_size, false, kNoteInk,
                    TtCanvas::Align::Left);
    y += canvas.MeasureText(chart.note, style.small_size, false).height;
  }
  y += style.gap;
  const double legend = DrawLegend(chart, canvas, style, canvas.Width() - style.margin, y);
  return y + legend + (legend > 0 ? 2 * style.gap : 0);
}

double MaximumValue(const ChartData& chart) {
  double maximum = 0;
  for (size_t category = 0; category < chart.categories.size(); ++category) {
    double stacked = 0;
    for (const ChartSeries& series : chart.series) {
      const double value = category < series.values.size() ? series.values[category] : 0;
      stacked += value;
      maximum = std::max(maximum, value);
    }
    if (chart.layout == ChartData::Layout::StackedColumns) maximum = std::max(maximum, stacked);
  }
  return maximum;
}

double ValueAt(const ChartSeries& series, size_t category) {
  return category < series.values.size() ? std::max(series.values[category], 0.0) : 0;
}

double CentredTop(TtCanvas& canvas, const std::string& text, double size, double middle) {
  return middle - canvas.MeasureText(text, size, false).height / 2;
}

void DrawHorizontalBars(const ChartData& chart, TtCanvas& canvas, const Style& style, double top) {
  const Ticks ticks = NiceTicks(MaximumValue(chart), chart.decimals);
  const double axis_text =
      canvas.MeasureText(chart.value_axis + "0", style.small_size, false).height;
  const double bottom = canvas.Height() - style.margin - 2 * axis_text - style.gap;
  const size_t rows = chart.categories.size();
  const double row = (bottom - top) / rows;
  // Few archetypes get bars of a readable thickness rather than slabs.
  const double bar = std::min(row * 0.7, 56 * style.scale);
  // Many archetypes get smaller text, so that each label stays within its own row.
  const double label_size = std::min(style.text_size, row / 2.0);

  double label_width = 0, value_width = 0;
  for (size_t index = 0; index < rows; ++index) {
    label_width =
        std::max(label_width, canvas.MeasureText(chart.categories[index], label_size, false).width);
    const std::string value = index < chart.bar_labels.size()
                                  ? chart.bar_labels[index]
                                  : FormatValue(ValueAt(chart.series[0], index), chart.decimals);
    value_width = std::max(value_width, canvas.MeasureText(value, label_size, false).width);
  }
  label_width = std::min(label_width, canvas.Width() * 0.4);
  const double left = style.margin + label_width + style.gap;
  const double right = canvas.Width() - style.margin - value_width - style.gap;
  const double width = std::max(right - left, 1.0);

  for (double tick = 0; tick <= ticks.top + ticks.step / 2; tick += ticks.step) {
    const double x = left + width * tick / ticks.top;
    canvas.DrawLine(x, top, x, bottom, 1 * style.scale, kGrid);
    canvas.DrawText(x, bottom + style.gap / 2, FormatValue(tick, ticks.decimals), style.small_size,
                    false, kNoteInk, TtCanvas::Align::Centre);
  }
  canvas.DrawText(left + width / 2, bottom + style.gap / 2 + axis_text, chart.value_axis,
                  style.small_size, false, kNoteInk, TtCanvas::Align::Centre);

  for (size_t index = 0; index < rows; ++index) {
    const double middle = top + row * (index + 0.5);
    const double value = ValueAt(chart.series[0], index);
    const double length = width * value / ticks.top;
    const TtWin::COLORREF colour =
        static_cast<int>(index) == chart.muted_category ? kMuted : SeriesColour(0);
    DrawBar(canvas, style, left, middle - bar / 2, length, bar, colour);
    const std::string& label = chart.categories[index];
    canvas.DrawText(left - style.gap, CentredTop(canvas, label, label_size, middle), label,
                    label_size, false, kInk, TtCanvas::Align::Right);
    const std::string value_text = index < chart.bar_labels.size()
                                       ? chart.bar_labels[index]
                                       : FormatValue(value, chart.decimals);
    canvas.DrawText(left + length + style.gap, CentredTop(canvas, value_text, label_size, middle),
                    value_text, label_size, false, kInk, TtCanvas::Align::Left);
  }
  canvas.DrawLine(left, top, left, bottom, 1.2 * style.scale, kAxis);
}

void DrawColumns(const ChartData& chart, TtCanvas& canvas, const Style& style, double top) {
  const bool stacked = chart.layout == ChartData::Layout::StackedColumns;
  const Ticks ticks = NiceTicks(MaximumValue(chart), chart.decimals);
  const double text_height = canvas.MeasureText("0", style.text_size, false).height;
  const double small_height = canvas.MeasureText("0", style.small_size, false).height;

  // The value axis's name above the axis, since text is never turned on its side.
  canvas.DrawText(style.margin, top, chart.value_axis, style.small_size, false, kNoteInk,
                  TtCanvas::Align::Left);
  top += small_height + style.gap + small_height;
  const double bottom = canvas.Height() - style.margin - text_height - small_height - 2 * style.gap;

  double tick_width = 0;
  for (double tick = 0; tick <= ticks.top + ticks.step / 2; tick += ticks.step) {
    tick_width = std::max(
        tick_width,
        canvas.MeasureText(FormatValue(tick, ticks.decimals), style.small_size, false).width);
  }
  const double left = style.margin + tick_width + style.gap;
  const double width = canvas.Width() - style.margin - left;
  const double height = std::max(bottom - top, 1.0);
  auto y_of = [&](double value) { return bottom - height * value / ticks.top; };

  for (double tick = 0; tick <= ticks.top + ticks.step / 2; tick += ticks.step) {
    canvas.DrawLine(left, y_of(tick), left + width, y_of(tick), 1 * style.scale, kGrid);
    canvas.DrawText(left - style.gap, y_of(tick) - small_height / 2,
                    FormatValue(tick, ticks.decimals), style.small_size, false, kNoteInk,
                    TtCanvas::Align::Right);
  }

  const size_t categories = chart.categories.size();
  const double group = width / categories;
  const size_t series_count = chart.series.size();
  for (size_t category = 0; category < categories; ++category) {
    const double group_left = left + group * category;
    if (stacked) {
      const double bar_left = group_left + group * 0.2, bar_width = group * 0.6;
      double total = 0;
      for (size_t series = 0; series < series_count; ++series) {
        const double value = ValueAt(chart.series[series], category);
        DrawBar(canvas, style, bar_left, y_of(total + value), bar_width,
                y_of(total) - y_of(total + value), SeriesColour(series));
        total += value;
      }
      canvas.DrawText(bar_left + bar_width / 2, y_of(total) - small_height - style.gap / 2,
                      FormatValue(total, chart.decimals), style.small_size, false, kInk,
                      TtCanvas::Align::Centre);
    } else {
      const double bar_width = group * 0.8 / series_count;
      for (size_t series = 0; series < series_count; ++series) {
        const double value = ValueAt(chart.series[series], category);
        const double bar_left = group_left + group * 0.1 + bar_width * series;
        DrawBar(canvas, style, bar_left, y_of(value), bar_width, bottom - y_of(value),
                SeriesColour(series));
        canvas.DrawText(bar_left + bar_width / 2, y_of(value) - small_height - style.gap / 2,
                        FormatValue(value, chart.decimals), style.small_size, false, kInk,
                        TtCanvas::Align::Centre);
      }
    }
    canvas.DrawText(group_left + group / 2, bottom + style.gap / 2, chart.categories[category],
                    style.text_size, false, kInk, TtCanvas::Align::Centre);
  }
  canvas.DrawLine(left, bottom, left + width, bottom, 1.2 * style.scale, kAxis);
  canvas.DrawText(left + width / 2, bottom + style.gap + text_height, chart.category_axis,
                  style.small_size, false, kNoteInk, TtCanvas::Align::Centre);
}

}  // namespace

const std::vector<TtWin::COLORREF>& ChartPalette() {
  // Blue, orange, yellow, vermilion, sky blue, bluish green, reddish purple: grey levels about
  // 87, 162, 214, 119, 159, 106 and 151 of 255.
  static const std::vector<TtWin::COLORREF> palette = {
      Rgb(0, 114, 178),  Rgb(230, 159, 0), Rgb(240, 228, 66), Rgb(213, 94, 0),
      Rgb(86, 180, 233), Rgb(0, 158, 115), Rgb(204, 121, 167)};
  return palette;
}

void DrawChart(const ChartData& chart, TtCanvas& canvas) {
  const Style style = StyleFor(canvas);
  canvas.FillRectangle(0, 0, canvas.Width(), canvas.Height(), kWhite);
  const double top = DrawHeader(chart, canvas, style);
  if (chart.IsEmpty()) {
    canvas.DrawText(canvas.Width() / 2.0, (top + canvas.Height()) / 2, chart.empty_text,
                    style.text_size, false, kNoteInk, TtCanvas::Align::Centre);
    return;
  }
  if (chart.layout == ChartData::Layout::HorizontalBars) {
    DrawHorizontalBars(chart, canvas, style, top);
  } else {
    DrawColumns(chart, canvas, style, top);
  }
}

}  // namespace Tarvane
