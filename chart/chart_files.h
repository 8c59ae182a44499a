#pragma once
// A chart as a picture: the bytes of a PNG or SVG file, the file itself, or a bitmap on the
// clipboard, all drawn by DrawChart at the size the user chose.
#include <optional>
#include <string>

#include "app/message_reporter.h"
#include "table/chart_data.h"

namespace Tarvane {

enum class ChartFileFormat { Png, Svg };

constexpr int kDefaultChartWidth = 1200;
constexpr int kDefaultChartHeight = 800;
// The smallest side a chart is legible at, and the largest a picture may have.
constexpr int kMinimumChartSide = 200;
constexpr int kMaximumChartSide = 10000;

// The format a file name asks for by its extension (.png, .svg, either case); none for others.
std::optional<ChartFileFormat> ChartFileFormatOf(const std::string& path);

// True when both sides are within kMinimumChartSide and kMaximumChartSide.
bool IsChartSizeAllowed(int width, int height);

// The file's bytes. The size must be allowed.
std::string ChartFileBytes(const ChartData& chart, ChartFileFormat format, int width, int height);

// Writes the chart into the file as the table's export writes text: a file that cannot be made
// or written gets the same error box, and a file that was there stays as it was.
bool WriteChartFile(const ChartData& chart, ChartFileFormat format, int width, int height,
                    const std::string& path, MessageReporter& reporter);

// Puts the chart on the clipboard as a picture; when the clipboard cannot be opened or filled,
// an error box says that nothing was copied and the result is false.
bool CopyChartToClipboard(const ChartData& chart, int width, int height, MessageReporter& reporter);

}  // namespace Tarvane
