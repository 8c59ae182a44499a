// A small window built with the toolkit the way the program's main window is: a toolbar with
// pictures and a drop-down, a report list with Japanese text and coloured total rows, and a
// two-part status bar. With TARVANE_SCREENSHOT set to a file name, the test also saves a
// picture of the window there.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/ttl/gui/bmp_file.h"
#include "ttl/core/tt_menu.h"
#include "ttl/gui/tt_bmp_image.h"
#include "ttl/gui/tt_font.h"
#include "ttl/gui/tt_form.h"
#include "ttl/gui/tt_image_list.h"
#include "ttl/gui/tt_list_view.h"
#include "ttl/gui/tt_tool_bar.h"
#include "ttl/gui/tt_window_controls.h"
#include "ttl/testing/tt_testing.h"

namespace {

const TtWin::COLORREF kMagenta = TtWin::Rgb(255, 0, 255);
const TtWin::COLORREF kTotalRow = TtWin::Rgb(255, 255, 172);

// Six 16 x 15 pictures: a page, an arrow out, a plus, a pencil, a funnel, two arrows round.
TtWin::COLORREF Picture(int x, int y) {
  int image = x / 16;
  int px = x % 16;
  const TtWin::COLORREF ink = TtWin::Rgb(30, 60, 140);
  switch (image) {
    case 0:  // a blank page with a folded corner
      if (px >= 3 && px <= 12 && y >= 1 && y <= 13)
        return (px == 3 || px == 12 || y == 1 || y == 13) ? ink : TtWin::Rgb(255, 255, 255);
      break;
    case 1:  // an arrow pointing right out of a box
      if ((px == 2 || y == 2 || y == 12) && px <= 8 && y >= 2 && y <= 12) return ink;
      if (y == 7 && px >= 5 && px <= 13) return TtWin::Rgb(0, 140, 0);
      if (std::abs(y - 7) == 13 - px && px >= 10) return TtWin::Rgb(0, 140, 0);
      break;
    case 2:  // a plus
      if ((px >= 7 && px <= 8 && y >= 2 && y <= 12) || (y >= 6 && y <= 7 && px >= 2 && px <= 13))
        return TtWin::Rgb(0, 140, 0);
      break;
    case 3:  // a pencil
      if (std::abs((14 - px) - y) <= 1 && px >= 2)
        return px < 5 ? TtWin::Rgb(60, 60, 60) : TtWin::Rgb(220, 160, 0);
      break;
    case 4:  // a funnel
      if (y >= 2 && y <= 6 && std::abs(px - 7) <= 6 - (y - 2)) return ink;
      if (y > 6 && y <= 12 && px >= 6 && px <= 8) return ink;
      break;
    default:  // two arrows round
      if ((y == 3 || y == 11) && px >= 4 && px <= 11) return TtWin::Rgb(0, 120, 180);
      if ((px == 3 && y >= 4 && y <= 7) || (px == 12 && y >= 7 && y <= 10))
        return TtWin::Rgb(0, 120, 180);
      if ((y == 2 || y == 4) && px == 10) return TtWin::Rgb(0, 120, 180);
      break;
  }
  return kMagenta;
}

class ExampleWindow : public TtForm {
public:
  explicit ExampleWindow(const TtImageList& pictures) : pictures_(pictures) {}

  TtWin::DWORD GetStyle() const override { return TtWin::WS_OVERLAPPEDWINDOW; }

  bool CreatedInternal() override {
    SetText("Tarvane / タルヴェイン");
    tool_bar.Create({this, 2000});
    list.Create({this, 2001});
    status.Create({this});
    status.SetParts({100, 300});
    tool_bar.SetImageList(&pictures_);
    tool_bar.AddButtons(
        {{0, 1001, TtWin::TBSTATE_ENABLED, TtWin::BTNS_BUTTON, "新規"},
         {1, 1002, TtWin::TBSTATE_ENABLED, TtWin::BTNS_WHOLEDROPDOWN, "エクスポート"}});
    tool_bar.AddSeparator();
    tool_bar.AddButtons({{2, 1005, TtWin::TBSTATE_ENABLED, TtWin::BTNS_BUTTON, "データ追加"},
                         {3, 1006, TtWin::TBSTATE_ENABLED, TtWin::BTNS_BUTTON, "データ編集"}});
    tool_bar.AddSeparator();
    tool_bar.AddButtons({{4, 1017, TtWin::TBSTATE_ENABLED, TtWin::BTNS_WHOLEDROPDOWN, "並び替え"},
                         {5, 1012, TtWin::TBSTATE_ENABLED, TtWin::BTNS_BUTTON, "更新"}});
    list.SetFont(list_font_);
    list.SetListExtendedStyle(TtWin::LVS_EX_FULLROWSELECT | TtWin::LVS_EX_GRIDLINES |
                              TtWin::LVS_EX_HEADERDRAGDROP);
    RegisterSizeHandler([this](int, int width, int height) {
      tool_bar.SetPositionSize(0, 0, width, 28);
      list.SetPositionSize(1, 33, width - 2, height - 54);
      status.SendMessage(TtWin::WM_SIZE);
      return Handled();
    });
    RegisterNotifyHandler(2001, [](TtWin::NMHDR* header) {
      if (header->code != TtWin::NM_CUSTOMDRAW) return NotHandled();
      auto* draw = reinterpret_cast<TtWin::NMLVCUSTOMDRAW*>(header);
      if (draw->nmcd.dwDrawStage == TtWin::CDDS_PREPAINT)
        return Handled(TtWin::CDRF_NOTIFYITEMDRAW);
      if (draw->nmcd.lItemlParam >= 100) {
        draw->clrTextBk = kTotalRow;
        return Handled(TtWin::CDRF_NEWFONT);
      }
      return Handled(TtWin::CDRF_DODEFAULT);
    });
    FillTable();
    status.SetPartText(0, "デッキ数 : 3");
    status.SetPartText(1, "並び替え : カードタイプ順");
    tool_bar.Show();
    list.Show();
    return true;
  }

  void FillTable() {
    const char* headers[] = {"カード名", "赤単アグロ.txt", "青白コントロール.txt", "緑ランプ.txt"};
    for (int col = 0; col < 4; ++col) list.InsertColumn(col, headers[col], col == 0 ? 180 : 150);
    struct Row {
      const char* name;
      const char* counts[3];
    } rows[] = {
        {"稲妻", {"4", "", ""}},
        {"ゴブリンの先達", {"4", "", ""}},
        {"対抗呪文", {"", "4", ""}},
        {"神の怒り", {"", "2", ""}},
        {"ラノワールのエルフ", {"", "", "4"}},
        {"原始のタイタン", {"", "", "3"}},
        {"山", {"20", "", ""}},
        {"島", {"", "12", ""}},
        {"森", {"", "", "22"}},
        {"クリーチャー合計", {"16", "4", "18"}},
        {"土地合計", {"20", "24", "22"}},
        {"総計", {"60", "60", "60"}},
    };
    list.ExecuteWithoutRedraw([&] {
      int data = 0;
      for (const Row& row : rows) {
        // Total rows carry data from 100 up, so the custom draw can tell them apart.
        bool total = std::string(row.name).find("計") != std::string::npos;
        int item = list.InsertItem(-1, total ? 100 + data : data);
        ++data;
        list.SetItemText(item, 0, row.name);
        for (int col = 0; col < 3; ++col) list.SetItemText(item, col + 1, row.counts[col]);
      }
    });
    list.SetItemSelected(1, true);
  }

  TtFlatToolBar tool_bar;
  TtReportListView list;
  TtStatusBar status;

private:
  const TtImageList& pictures_;
  TtFont list_font_{14,    TtWin::FW_NORMAL,        false,           false,
                    false, TtWin::SHIFTJIS_CHARSET, TtWin::FF_MODERN};
};

TtImageList LoadPictures() {
  std::string path =
      (std::filesystem::temp_directory_path() / "tarvane_example_tools.bmp").string();
  TarvaneTest::Write(path, 96, 15, Picture);
  TtImageList pictures(16, 15);
  pictures.AddMasked(TtBmpImage::LoadFromFile(path), kMagenta);
  std::remove(path.c_str());
  return pictures;
}

}  // namespace

TEST(TtExampleWindowTest, ToolbarListAndStatusBarAreLaidOutAndFilled) {
  TtImageList pictures = LoadPictures();
  ASSERT_EQ(pictures.GetImageCount(), 6);
  ExampleWindow window(pictures);
  window.Create({});
  window.SetPositionSize(0, 0, 760, 420);
  window.Show();
  TtTesting::ProcessEvents();

  TtWin::RECT client = window.GetClientRectangle();
  TtWin::RECT list = window.list.GetRectangle();
  TtWin::POINT list_corner = window.ScreenToClient(TtWin::POINT{list.left, list.top});
  EXPECT_EQ(list_corner.x, 1);
  EXPECT_EQ(list_corner.y, 33);
  EXPECT_EQ(list.bottom - list.top, client.bottom - 54);
  EXPECT_EQ(TtTesting::ListCellText(window.list, 0, 0), "稲妻");
  EXPECT_EQ(TtTesting::ListRowBackground(window.list, 11), kTotalRow);
  EXPECT_EQ(window.status.GetPartText(0), "デッキ数 : 3");
  EXPECT_EQ(window.tool_bar.GetButtonCount(), 8);

  if (const char* screenshot = std::getenv("TARVANE_SCREENSHOT")) {
    for (int round = 0; round < 5; ++round) TtTesting::ProcessEvents();
    EXPECT_TRUE(TtTesting::SaveScreenshot(&window, screenshot));
  }
}
