#include "chart/chart_files.h"

#include <algorithm>
#include <cctype>

#include "table/chart_drawing.h"
#include "table/table_export.h"
#include "ttl/core/tt_exception.h"
#include "ttl/gui/tt_clipboard.h"
#include "ttl/gui/tt_picture.h"
#include "ttl/gui/tt_svg_picture.h"

namespace Tarvane {

namespace {

std::string LowerExtension(const std::string& path) {
  const size_t dot = path.rfind('.');
  const size_t slash = path.find_last_of("/\\");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  std::string extension = path.substr(dot);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension;
}

}  // namespace

std::optional<ChartFileFormat> ChartFileFormatOf(const std::string& path) {
  const std::string extension = LowerExtension(path);
  if (extension == ".png") return ChartFileFormat::Png;
  if (extension == ".svg") return ChartFileFormat::Svg;
  return std::nullopt;
}

bool IsChartSizeAllowed(int width, int height) {
  auto allowed = [](int side) { return side >= kMinimumChartSide && side <= kMaximumChartSide; };
  return allowed(width) && allowed(height);
}

std::string ChartFileBytes(const ChartData& chart, ChartFileFormat format, int width, int height) {
  if (format == ChartFileFormat::Svg) {
    TtSvgPicture picture(width, height);
    DrawChart(chart, picture);
    return picture.Document();
  }
  TtPicture picture(width, height);
  DrawChart(chart, picture);
  return picture.PngBytes();
}

bool WriteChartFile(const ChartData& chart, ChartFileFormat format, int width, int height,
                    const std::string& path, MessageReporter& reporter) {
  return WriteTableFile(path, ChartFileBytes(chart, format, width, height), reporter);
}

bool CopyChartToClipboard(const ChartData& chart, int width, int height,
                          MessageReporter& reporter) {
  bool copied = false;
  try {
    TtPicture picture(width, height);
    DrawChart(chart, picture);
    copied = TtClipboard::SetPicture(picture);
  } catch (const TtException&) {
    // The platform refused the picture; the user is told, and the program goes on.
    copied = false;
  }
  if (!copied) {
    reporter.ShowMessage("グラフをクリップボードにコピーできませんでした。", "クリップボードエラー",
                         MessageButtons::Ok, MessageIcon::Error, true);
  }
  return copied;
}

}  // namespace Tarvane
