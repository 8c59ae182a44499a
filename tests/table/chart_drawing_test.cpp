// The chart's drawing on a canvas that records what it is given: every label is drawn, bar
// lengths follow the values, and nothing leaves the canvas at small or large sizes.
#include <gtest/gtest.h>

#include <algorithm>

#include "table/chart_drawing.h"

namespace TarvaneTest {
namespace {

using namespace Tarvane;

struct Rectangle {
  double x, y, width, height;
  TtWin::COLORREF colour;
};
struct Text {
  double x, y;
  std::string text;
  TtCanvas::Align align;
};

// Text is as wide as its bytes at half the size, which is close enough to lay out with.
class RecordingCanvas : public TtCanvas {
public:
  RecordingCanvas(int width, int height) : width_(width), height_(height) {}
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void FillRectangle(double x, double y, double width, double height,
                     TtWin::COLORREF colour) override {
    rectangles.push_back({x, y, width, height, colour});
  }
  void DrawLine(double, double, double, double, double, TtWin::COLORREF) override {}
  void DrawText(double x, double y, const std::string& text, double size, bool bold,
                TtWin::COLORREF, Align align) override {
    texts.push_back({x, y, text, align});
    const TtTextSize extent = MeasureText(text, size, bold);
    const double left = align == Align::Left     ? x
                        : align == Align::Centre ? x - extent.width / 2
                                                 : x - extent.width;
    inside = inside && left >= -0.5 && left + extent.width <= width_ + 0.5 && y >= -0.5 &&
             y + extent.height <= height_ + 0.5;
  }
  TtTextSize MeasureText(const std::string& text, double size, bool) override {
    return {text.size() * size * 0.5, size * 1.9};
  }

  bool Drew(const std::string& text) const {
    return std::any_of(texts.begin(), texts.end(), [&](const Text& t) { return t.text == text; });
  }
  // The filled rectangles of a colour, the white ground left out.
  std::vector<Rectangle> Bars(TtWin::COLORREF colour) const {
    std::vector<Rectangle> bars;
    for (const Rectangle& r : rectangles) {
      if (r.colour == colour && !(r.width == width_ && r.height == height_)) bars.push_back(r);
    }
    return bars;
  }

  std::vector<Rectangle> rectangles;
  std::vector<Text> texts;
  bool inside = true;

private:
  int width_, height_;
};

ChartData Metagame() {
  ChartData chart;
  chart.title = "メタゲーム";
  chart.note = "読み込んだ10デッキ";
  chart.value_axis = "デッキ数";
  chart.categories = {"ジャンド", "バーン", "その他"};
  chart.series = {{"デッキ数", {6, 3, 1}}};
  chart.bar_labels = {"6 (60.0%)", "3 (30.0%)", "1 (10.0%)"};
  chart.muted_category = 2;
  return chart;
}

ChartData Curve() {
  ChartData chart;
  chart.layout = ChartData::Layout::StackedColumns;
  chart.title = "マナカーブ";
  chart.category_axis = "点数で見たマナ・コスト";
  chart.value_axis = "1デッキの平均枚数";
  chart.decimals = 1;
  chart.categories = {"0", "1", "2", "3", "4", "5", "6", "7+"};
  chart.series = {{"クリーチャー", {0, 4, 8, 4, 2, 1, 0, 0.5}},
                  {"インスタント", {0, 4, 2, 2, 0, 0, 0, 0}}};
  return chart;
}

TEST(ChartDrawingTest, HorizontalBarsFollowTheValuesAndCarryTheirLabels) {
  RecordingCanvas canvas(1200, 800);
  DrawChart(Metagame(), canvas);
  for (const char* text : {"メタゲーム", "読み込んだ10デッキ", "ジャンド", "バーン", "その他",
                           "6 (60.0%)", "1 (10.0%)"}) {
    EXPECT_TRUE(canvas.Drew(text)) << text;
  }
  std::vector<Rectangle> bars = canvas.Bars(ChartPalette()[0]);
  ASSERT_EQ(bars.size(), 2u);
  EXPECT_NEAR(bars[0].width / bars[1].width, 2.0, 1e-9);
  EXPECT_LT(bars[0].y, bars[1].y);  // the largest on top
  // The gathered archetypes are grey and as long as their value says.
  std::vector<Rectangle> muted = canvas.Bars(TtWin::Rgb(170, 170, 170));
  ASSERT_EQ(muted.size(), 1u);
  EXPECT_NEAR(bars[0].width / muted[0].width, 6.0, 1e-9);
  EXPECT_TRUE(canvas.inside);
}

TEST(ChartDrawingTest, StackedColumnsAddUpAndShowTheirTotals) {
  RecordingCanvas canvas(1200, 800);
  DrawChart(Curve(), canvas);
  std::vector<Rectangle> creatures = canvas.Bars(ChartPalette()[0]);
  std::vector<Rectangle> instants = canvas.Bars(ChartPalette()[1]);
  // The legend's swatch first, then no bar for a zero.
  ASSERT_EQ(creatures.size(), 7u);
  ASSERT_EQ(instants.size(), 4u);
  creatures.erase(creatures.begin());
  instants.erase(instants.begin());
  // Cost 1: four of each, the instants right on top of the creatures.
  EXPECT_NEAR(creatures[0].height, instants[0].height, 1e-9);
  EXPECT_NEAR(instants[0].y + instants[0].height, creatures[0].y, 1e-9);
  for (const char* text :
       {"8.0", "10.0", "0.5", "7+", "クリーチャー", "インスタント", "点数で見たマナ・コスト"}) {
    EXPECT_TRUE(canvas.Drew(text)) << text;
  }
}

TEST(ChartDrawingTest, EverySizeKeepsTheTextOnTheCanvas) {
  ChartData many = Metagame();
  many.categories.clear();
  many.series[0].values.clear();
  many.bar_labels.clear();
  for (int i = 0; i < 60; ++i) {
    many.categories.push_back("アーキタイプ" + std::to_string(i));
    many.series[0].values.push_back(60 - i);
    many.bar_labels.push_back(std::to_string(60 - i));
  }
  for (auto [width, height] : {std::pair{200, 200}, {1200, 800}, {640, 1600}, {4000, 3000}}) {
    for (const ChartData& chart : {Metagame(), Curve(), many}) {
      RecordingCanvas canvas(width, height);
      DrawChart(chart, canvas);
      EXPECT_TRUE(canvas.inside) << chart.title << " at " << width << "x" << height;
    }
  }
}

TEST(ChartDrawingTest, NothingToDrawSaysWhy) {
  ChartData chart;
  chart.layout = ChartData::Layout::GroupedColumns;
  chart.title = "採用分布";
  chart.empty_text = "カードが選ばれていません";
  RecordingCanvas canvas(1200, 800);
  DrawChart(chart, canvas);
  EXPECT_TRUE(canvas.Drew("カードが選ばれていません"));
  EXPECT_TRUE(canvas.Bars(ChartPalette()[0]).empty());
}

// Neighbouring series differ in lightness too, so that grey print tells them apart.
TEST(ChartDrawingTest, ThePaletteReadsInGrey) {
  auto grey = [](TtWin::COLORREF c) {
    return 0.299 * TtWin::RedOf(c) + 0.587 * TtWin::GreenOf(c) + 0.114 * TtWin::BlueOf(c);
  };
  const auto& palette = ChartPalette();
  for (size_t i = 0; i < 4; ++i) {
    for (size_t j = i + 1; j < 4; ++j)
      EXPECT_GT(std::abs(grey(palette[i]) - grey(palette[j])), 25) << i << "," << j;
  }
}

}  // namespace
}  // namespace TarvaneTest
