// The toolbar: its buttons in order, and the menus that its drop-down buttons open.
#include "ui/main_frame.h"

namespace Tarvane {

namespace {

TtToolBar::Button PlainButton(int image, int id, const char* text) {
  return TtToolBar::Button{image, id, TtWin::TBSTATE_ENABLED, TtWin::BTNS_BUTTON, text};
}

// A whole-button drop-down has no action of its own: a click anywhere on it opens its menu.
TtToolBar::Button DropDownButton(int image, int id, const char* text) {
  return TtToolBar::Button{image, id, TtWin::TBSTATE_ENABLED, TtWin::BTNS_WHOLEDROPDOWN, text};
}

}  // namespace

bool MainToolBar::Created() {
  if (!TtToolBar::Created()) return false;
  SetToolBarExtendedStyle(TtWin::TBSTYLE_EX_DRAWDDARROWS | TtWin::TBSTYLE_EX_MIXEDBUTTONS);
  SetBitmapSize(ToolImageList::kWidth, ToolImageList::kHeight);
  SetImageList(&pictures_);
  AddButtons({PlainButton(0, MainCommand::New, "新規"),
              DropDownButton(1, MainCommand::ExportDropDown, "エクスポート")});
  AddSeparator();
  AddButtons({PlainButton(2, MainCommand::AddDeckFiles, "データ追加"),
              PlainButton(3, MainCommand::EditDeckFiles, "データ編集")});
  AddSeparator();
  AddButtons({DropDownButton(4, MainCommand::BoardDropDown, "表示する項目"),
              PlainButton(5, MainCommand::Refresh, "更新")});
  AddSeparator();
  AddButton(PlainButton(6, MainCommand::SpecialEntries, "特殊項目の選択"));
  AddSeparator();
  AddButtons({PlainButton(7, MainCommand::AllDecksAsColumns, "全てのデッキをカラムに追加"),
              PlainButton(8, MainCommand::SelectDecks, "表示するデッキの選択")});
  AddSeparator();
  AddButtons({DropDownButton(9, MainCommand::SpecialColumnDropDown, "特殊カラムの追加"),
              DropDownButton(10, MainCommand::SortDropDown, "並び替え")});
  AddSeparator();
  AddButton(PlainButton(11, MainCommand::DeleteAllColumns, "全てのカラムを削除"));
  return true;
}

// The button's menu opens below the button, at its left edge.
void MainFrame::ShowDropDownMenu(int button_id) {
  const TtMenu* menu = nullptr;
  switch (button_id) {
    case MainCommand::ExportDropDown:
      menu = &main_menu_.GetExportMenu();
      break;
    case MainCommand::BoardDropDown:
      menu = &main_menu_.GetBoardMenu();
      break;
    case MainCommand::SpecialColumnDropDown:
      menu = &main_menu_.GetSpecialColumnMenu();
      break;
    case MainCommand::SortDropDown:
      menu = &main_menu_.GetSortMenu();
      break;
    default:
      return;
  }
  TtWin::RECT button = tool_bar_.GetButtonRectangle(button_id);
  TtWin::POINT corner = tool_bar_.ClientToScreen(TtWin::POINT{button.left, button.bottom});
  menu->ShowPopupMenu(*this, corner.x, corner.y);
}

}  // namespace Tarvane
