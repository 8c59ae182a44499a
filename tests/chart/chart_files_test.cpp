// Charts as PNG and SVG files and as pictures, drawn with no display: the files come back at the
// chosen size, the SVG is well-formed and holds its labels, and a file that cannot be written is
// reported and left as it was.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <vector>

#include "chart/chart_files.h"
#include "table/chart_drawing.h"
#include "tests/support/recording_reporter.h"
#include "tests/support/scratch_folder.h"
#include "ttl/core/tt_string.h"
#include "ttl/gui/tt_picture.h"

namespace TarvaneTest {
namespace {

using namespace Tarvane;

// Everything here must work as the headless tool runs: without a display.
const bool kNoDisplay = ::unsetenv("DISPLAY") == 0;

ChartData Metagame() {
  ChartData chart;
  chart.title = "メタゲーム";
  chart.value_axis = "デッキ数";
  chart.categories = {"ジャンド", "<Dredge & Co>"};
  chart.series = {{"デッキ数", {3, 1}}};
  chart.bar_labels = {"3 (75.0%)", "1 (25.0%)"};
  return chart;
}

unsigned BigEndian(const std::string& bytes, size_t at) {
  unsigned value = 0;
  for (size_t i = 0; i < 4; ++i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

// Enough of XML to catch a broken file: matched tags, quoted attributes, known entities.
bool IsWellFormed(const std::string& xml) {
  std::vector<std::string> open;
  size_t at = 0;
  while (at < xml.size()) {
    if (xml[at] == '&') {
      const size_t end = xml.find(';', at);
      if (end == std::string::npos) return false;
      const std::string entity = xml.substr(at, end - at + 1);
      if (entity != "&amp;" && entity != "&lt;" && entity != "&gt;" && entity != "&quot;")
        return false;
      at = end + 1;
    } else if (xml[at] == '>') {
      return false;
    } else if (xml[at] != '<') {
      ++at;
    } else if (xml.compare(at, 2, "<?") == 0) {
      at = xml.find("?>", at) + 2;
      if (at == std::string::npos + 2) return false;
    } else {
      size_t end = at + 1;
      bool quoted = false;
      while (end < xml.size() && (quoted || xml[end] != '>')) {
        if (xml[end] == '"') quoted = !quoted;
        if (quoted && xml[end] == '<') return false;
        ++end;
      }
      if (end >= xml.size()) return false;
      const std::string tag = xml.substr(at + 1, end - at - 1);
      const std::string name = tag.substr(0, tag.find_first_of(" /\n"));
      if (tag.starts_with("/")) {
        if (open.empty() || open.back() != tag.substr(1)) return false;
        open.pop_back();
      } else if (!tag.ends_with("/")) {
        open.push_back(name);
      }
      at = end + 1;
    }
  }
  return open.empty();
}

TEST(ChartFilesTest, APngComesBackAtTheChosenSize) {
  ASSERT_TRUE(kNoDisplay);
  for (auto [width, height] : {std::pair{1200, 800}, {640, 480}}) {
    const std::string png = ChartFileBytes(Metagame(), ChartFileFormat::Png, width, height);
    ASSERT_GT(png.size(), 1000u);
    EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n");
    EXPECT_EQ(png.substr(12, 4), "IHDR");
    EXPECT_EQ(BigEndian(png, 16), static_cast<unsigned>(width));
    EXPECT_EQ(BigEndian(png, 20), static_cast<unsigned>(height));
  }
}

// The bars are drawn in the first colour, and the Japanese face is found (a missing one would
// draw narrower boxes).
TEST(ChartFilesTest, ThePictureHoldsTheBarsAndJapaneseText) {
  TtPicture picture(1200, 800);
  DrawChart(Metagame(), picture);
  // Every other pixel of every other row: the bar of 3 decks alone covers about 45,000 pixels.
  int bar_pixels = 0;
  for (int y = 0; y < 800; y += 2) {
    for (int x = 0; x < 1200; x += 2) bar_pixels += picture.PixelAt(x, y) == ChartPalette()[0];
  }
  EXPECT_GT(bar_pixels, 8000);
  const TtTextSize kana = TtPicture::MeasureTextOnPicture("アイウエオ", 12, false);
  EXPECT_NEAR(kana.width, 5 * 16.0, 8.0);  // five full-width characters of 12 points at 96 dpi
}

TEST(ChartFilesTest, AnSvgIsWellFormedAndHoldsItsLabels) {
  const std::string svg = ChartFileBytes(Metagame(), ChartFileFormat::Svg, 1200, 800);
  EXPECT_TRUE(IsWellFormed(svg));
  EXPECT_NE(svg.find("width=\"1200\" height=\"800\""), std::string::npos);
  for (const char* label : {"メタゲーム", "ジャンド", "3 (75.0%)", "デッキ数"}) {
    EXPECT_NE(svg.find(">" + TtString::Cp932ToUtf8(label) + "</text>"), std::string::npos) << label;
  }
  EXPECT_NE(svg.find("&lt;Dredge &amp; Co&gt;"), std::string::npos);
}

TEST(ChartFilesTest, AFileThatCannotBeWrittenIsReportedAndKeptAsItWas) {
  ScratchFolder folder;
  RecordingReporter reporter;
  const std::string kept = folder.Write("kept.png", "old");
  ::chmod(kept.c_str(), 0444);
  EXPECT_FALSE(WriteChartFile(Metagame(), ChartFileFormat::Png, 640, 480, kept, reporter));
  EXPECT_EQ(ScratchFolder::Read(kept), "old");
  EXPECT_FALSE(WriteChartFile(Metagame(), ChartFileFormat::Svg, 640, 480,
                              folder.Join("missing/chart.svg"), reporter));
  ASSERT_EQ(reporter.messages.size(), 2u);
  EXPECT_EQ(reporter.messages[0].caption, "ファイルオープンエラー");

  const std::string written = folder.Join("chart.svg");
  EXPECT_TRUE(WriteChartFile(Metagame(), ChartFileFormat::Svg, 640, 480, written, reporter));
  EXPECT_TRUE(IsWellFormed(ScratchFolder::Read(written)));
}

TEST(ChartFilesTest, FormatsBySuffixAndSizesWithinLimits) {
  EXPECT_EQ(ChartFileFormatOf("a/chart.PNG"), ChartFileFormat::Png);
  EXPECT_EQ(ChartFileFormatOf("chart.svg"), ChartFileFormat::Svg);
  EXPECT_EQ(ChartFileFormatOf("charts.svg/picture"), std::nullopt);
  EXPECT_EQ(ChartFileFormatOf("chart"), std::nullopt);
  EXPECT_TRUE(IsChartSizeAllowed(kMinimumChartSide, kMaximumChartSide));
  EXPECT_FALSE(IsChartSizeAllowed(kMinimumChartSide - 1, 800));
  EXPECT_FALSE(IsChartSizeAllowed(1200, kMaximumChartSide + 1));
}

}  // namespace
}  // namespace TarvaneTest
