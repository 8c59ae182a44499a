// 表示 → グラフ...: the chart window opens with the selected card, follows the table (decks
// loaded, board mode, columns), switches between the three charts, and saves and copies the
// picture at the size given in it.
#include <chrono>
#include <cstdlib>
#include <thread>

#include "table/chart_drawing.h"
#include "tests/ui/main_window_test_support.h"

namespace TarvaneTest {
namespace {

using namespace Tarvane;

constexpr int kView = 4;

unsigned BigEndian(const std::string& bytes, size_t at) {
  unsigned value = 0;
  for (size_t i = 0; i < 4; ++i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

class ChartWindowTest : public MainWindowFixture {
protected:
  void SetUp() override {
    Open();
    AddDecks({folder.burn, folder.blue});
  }

  ChartWindow& Charts() { return frame->GetChartWindow(); }

  // The X server maps and paints in its own time.
  void LetItPaint() {
    for (int round = 0; round < 10; ++round) {
      TtTesting::ProcessEvents();
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  }

  int RowOf(const std::string& name) {
    std::vector<std::string> names = Column(0);
    return static_cast<int>(std::find(names.begin(), names.end(), name) - names.begin());
  }

  void ChooseKind(int index) {
    TtTesting::ClickListBoxItem(Charts().GetKindList(), index);
    TtTesting::ProcessEvents();
  }
};

TEST_F(ChartWindowTest, OpensWithTheSelectedCardAndShowsEachChart) {
  TtTesting::ClickListItem(List(), RowOf("稲妻"));
  Choose({kView, 1});
  LetItPaint();
  ASSERT_TRUE(Charts().IsVisible());
  EXPECT_EQ(Charts().GetCardEdit().GetText(), "Lightning Bolt");
  EXPECT_GT(Charts().GetDrawCount(), 0);
  EXPECT_EQ(Charts().CurrentChart().title, "メタゲーム");

  const char* const titles[] = {"メタゲーム", "採用分布: 稲妻 (Lightning Bolt)", "マナカーブ"};
  for (int kind : {1, 2, 0}) {
    const int drawn = Charts().GetDrawCount();
    ChooseKind(kind);
    LetItPaint();
    EXPECT_EQ(Charts().CurrentChart().title, titles[kind]);
    EXPECT_GT(Charts().GetDrawCount(), drawn) << kind;
  }
  // The metagame's bars are on screen in the chart's first colour.
  const TtWin::RECT client = Charts().GetClientRectangle();
  int bar_pixels = 0;
  for (int y = client.top; y < client.bottom; y += 4) {
    const TtWin::POINT point =
        Charts().ClientToScreen(TtWin::POINT{ChartWindow::kSettingsWidth + 300, y});
    bar_pixels += TtTesting::ScreenPixel(point) == ChartPalette()[0];
  }
  EXPECT_GT(bar_pixels, 10);
  if (const char* folder = std::getenv("TARVANE_SCREENSHOT_DIR")) {
    EXPECT_TRUE(TtTesting::SaveScreenshot(&Charts(), std::string(folder) + "/chart-window.png"));
  }

  // Closing hides it; the menu brings it back as it was.
  TtTesting::CloseWindow(Charts());
  TtTesting::ProcessEvents();
  EXPECT_FALSE(Charts().IsVisible());
  Choose({kView, 1});
  EXPECT_TRUE(Charts().IsVisible());
  EXPECT_EQ(Charts().GetRequest().kind, ChartKind::Metagame);
}

TEST_F(ChartWindowTest, FollowsTheTable) {
  Choose({kView, 1});
  ChooseKind(1);
  Charts().GetCardEdit().SetText("Lightning Bolt");
  LetItPaint();
  ASSERT_EQ(Charts().CurrentChart().series.size(), 2u);  // main deck and sideboard

  int drawn = Charts().GetDrawCount();
  frame->GetTable().SetBoardMode(Hybrid);
  LetItPaint();
  EXPECT_GT(Charts().GetDrawCount(), drawn);
  EXPECT_EQ(Charts().CurrentChart().series.size(), 1u);

  // A new deck adds its archetype to the list and redraws.
  drawn = Charts().GetDrawCount();
  AddDecks({folder.Write("decks/tron.txt", "#ARCHETYPE トロン\n4 Island\n")});
  LetItPaint();
  EXPECT_GT(Charts().GetDrawCount(), drawn);
  EXPECT_EQ(Charts().GetArchetypeList().GetString(Charts().GetArchetypeList().GetCount() - 1),
            "トロン");
  EXPECT_EQ(Charts().CurrentChart().note, "3デッキ");

  // The mana curve is of the deck columns once there are some.
  ChooseKind(2);
  EXPECT_EQ(Charts().CurrentChart().note.rfind("読み込んだ3デッキ", 0), 0u);
  Choose({3, 0});
  LetItPaint();
  EXPECT_EQ(Charts().CurrentChart().note.rfind("カラムの3デッキ", 0), 0u);
}

TEST_F(ChartWindowTest, SavesAndCopiesAtTheChosenSize) {
  Choose({kView, 1});
  Charts().GetWidthEdit().SetText("640");
  Charts().GetHeightEdit().SetText("480");
  const std::string png = folder.Join("chart.png"), svg = folder.Join("chart.svg");
  EXPECT_TRUE(Charts().SaveChart(png));
  const std::string bytes = ScratchFolder::Read(png);
  ASSERT_GT(bytes.size(), 24u);
  EXPECT_EQ(BigEndian(bytes, 16), 640u);
  EXPECT_EQ(BigEndian(bytes, 20), 480u);
  EXPECT_TRUE(Charts().SaveChart(svg));
  EXPECT_NE(ScratchFolder::Read(svg).find(">burn.txt</text>"), std::string::npos);
  EXPECT_TRUE(Charts().CopyChart());

  // A size out of range saves nothing and says why.
  TtTesting::MessageBoxSeen seen;
  answers.MessageBox(TtWin::IDOK, &seen);
  Charts().GetWidthEdit().SetText("10");
  EXPECT_FALSE(Charts().SaveChart(folder.Join("small.png")));
  EXPECT_FALSE(std::filesystem::exists(folder.Join("small.png")));
  EXPECT_EQ(seen.caption, "グラフ");
}

}  // namespace
}  // namespace TarvaneTest
