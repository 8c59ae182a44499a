// The menu bar, the row and column pop-up menus, and the two menus that the scripts fill.
#include "app/settings.h"
#include "ui/main_frame.h"

namespace Tarvane {

namespace {

// The items of the board sub-menu, in board display mode order.
constexpr int kBoardModeCount = 4;

TtSubMenu MakeMenu(std::initializer_list<std::pair<const char*, int>> items) {
  TtSubMenu menu;
  for (const auto& [text, id] : items) {
    if (text) {
      menu.AppendItem(text, id);
    } else {
      menu.AppendSeparator();
    }
  }
  return menu;
}

// Drops every item's data, in the nested sub-menus too.
void ReleaseItemData(TtMenu menu) {
  for (int position = 0; position < menu.GetItemCount(); ++position) {
    if (menu.HasSubMenu(position)) ReleaseItemData(menu.GetSubMenu(position));
    menu.SetItemData(position, nullptr);
  }
}

}  // namespace

MainMenu::MainMenu() {
  export_menu_.AppendItem("CSV形式でファイルへ(&F)...\tCtrl+S", MainCommand::ExportCsv);
  export_menu_.AppendItem("TSV形式でクリップボードへ(&C)", MainCommand::ExportTsv);

  board_menu_.AppendItem("両方(&B)", MainCommand::BoardBoth);
  board_menu_.AppendItem("メインのみ(&M)", MainCommand::BoardMainboardOnly);
  board_menu_.AppendItem("サイドのみ(&S)", MainCommand::BoardSideboardOnly);
  board_menu_.AppendItem("混合(&H)", MainCommand::BoardHybrid);

  TtSubMenu file = MakeMenu({{"新規(&N)", MainCommand::New}});
  file.AppendMenu("エクスポート(&E)", export_menu_);
  file.AppendSeparator();
  file.AppendItem("デッキセットを開く(&O)...\tCtrl+O", MainCommand::OpenDeckSet);
  file.AppendItem("デッキセットを保存(&S)...", MainCommand::SaveDeckSet);
  file.AppendMenu("最近使ったデッキセット(&R)", recent_menu_);
  file.AppendSeparator();
  file.AppendItem("終了(&X)", MainCommand::Exit);
  AppendMenu("ファイル(&F)", file);

  AppendMenu("データ(&D)",
             MakeMenu({{"追加(&A)...", MainCommand::AddDeckFiles},
                       {"編集(&E)...", MainCommand::EditDeckFiles},
                       {nullptr, 0},
                       {"インポート(&I)...", MainCommand::ImportDeckLists},
                       {"クリップボードからデッキを作成(&C)...", MainCommand::DeckFromClipboard}}));

  TtSubMenu items;
  items.AppendMenu("表示する項目(&V)", board_menu_);
  items.AppendItem("更新(&U)\tF5", MainCommand::Refresh);
  items.AppendSeparator();
  items.AppendItem("特殊項目の選択(&S)...", MainCommand::SpecialEntries);
  items.AppendSeparator();
  items.AppendItem("コピー(&C)\tCtrl+C", MainCommand::Copy);
  items.AppendItem("一時的に非表示(&H)\tDelete", MainCommand::HideRow);
  AppendMenu("項目(&E)", items);

  TtSubMenu operations =
      MakeMenu({{"全てのデッキをカラムに追加(&A)", MainCommand::AllDecksAsColumns},
                {"表示するデッキの選択(&D)...", MainCommand::SelectDecks},
                {nullptr, 0}});
  operations.AppendMenu("特殊カラムの追加(&P)", special_column_menu_);
  operations.AppendSeparator();
  operations.AppendMenu("並び替え(&S)", sort_menu_);
  operations.AppendSeparator();
  operations.AppendItem("全てのカラムを削除(&C)", MainCommand::DeleteAllColumns);
  AppendMenu("操作(&O)", operations);

  view_menu_.AppendItem("色分け(&C)", MainCommand::CellShading);
  view_menu_.AppendItem("グラフ(&G)...", MainCommand::Chart);
  view_menu_.AppendSeparator();
  view_menu_.AppendItem("検索(&F)...\tCtrl+F", MainCommand::Find);
  view_menu_.AppendItem("次を検索(&N)\tF3", MainCommand::FindNext);
  view_menu_.AppendItem("前を検索(&P)\tShift+F3", MainCommand::FindPrevious);
  view_menu_.AppendSeparator();
  view_menu_.AppendItem("絞り込み(&L)...\tCtrl+L", MainCommand::FilterRows);
  view_menu_.AppendItem("絞り込みを解除(&R)\tCtrl+Shift+L", MainCommand::ClearFilter);
  view_menu_.AppendSeparator();
  view_menu_.AppendItem("カラムへ移動(&J)...\tCtrl+G", MainCommand::JumpToColumn);
  view_menu_.AppendItem("全てのカラムの幅を合わせる(&W)", MainCommand::FitAllColumns);
  AppendMenu("表示(&V)", view_menu_);

  AppendMenu("ツール(&T)", MakeMenu({{"設定(&O)...", MainCommand::Settings},
                                     {"平均デッキを作成(&A)...", MainCommand::AverageDeck},
                                     {"アーキタイプ一覧(&L)...", MainCommand::ArchetypeList}}));
  AppendMenu("ヘルプ(&H)", MakeMenu({{"使い方(&U)", MainCommand::Guide},
                                     {"バージョン情報(&A)...", MainCommand::Version}}));

  if (IsTestMode()) {
    TtSubMenu test;
    for (int number = 1; number <= 5; ++number) {
      test.AppendItem("Test" + std::to_string(number), MainCommand::FirstTest + number - 1);
    }
    AppendMenu("開発中", test);
  }
}

void MainMenu::SetRecentDeckSets(bool has_last_session, const std::vector<std::string>& paths) {
  while (recent_menu_.GetItemCount() > 0) recent_menu_.DeleteItem(0);
  recent_menu_.AppendItem("前回終了時のデッキセット(&L)", MainCommand::LastSessionDeckSet);
  recent_menu_.SetItemEnabled(0, has_last_session);
  if (paths.empty()) return;
  recent_menu_.AppendSeparator();
  for (size_t index = 0; index < paths.size() && index < kRecentDeckSetCount; ++index) {
    // The number is the item's access key; an "&" in the path is shown as it is.
    std::string path = paths[index];
    for (size_t at = path.find('&'); at != std::string::npos; at = path.find('&', at + 2))
      path.insert(at, "&");
    recent_menu_.AppendItem("&" + std::to_string(index + 1) + " " + path,
                            MainCommand::FirstRecentDeckSet + static_cast<int>(index));
  }
}

void MainMenu::CheckBoardMode(int mode) {
  board_menu_.CheckRadioItem(0, kBoardModeCount - 1, mode);
}

EntryMenu::EntryMenu() {
  AppendItem("一時的に非表示(&H)\tDelete", MainCommand::HideRow);
  AppendSeparator();
  AppendItem("プレビュー(&P)", MainCommand::Preview);
  preview_position_ = GetItemCount() - 1;
}

ColumnMenu::ColumnMenu(const TtMenu& special_column_menu, const TtMenu& sort_menu) {
  AppendItem("削除(&D)", MainCommand::DeleteColumn);
  delete_position_ = GetItemCount() - 1;
  AppendItem("このカラムの並び替え(&C)", MainCommand::SortByColumn);
  sort_position_ = GetItemCount() - 1;
  AppendItem("差分カラムを追加(&F)...", MainCommand::DifferenceColumn);
  difference_position_ = GetItemCount() - 1;
  AppendItem("このアーキタイプの平均デッキを作成(&V)...", MainCommand::ArchetypeAverageDeck);
  archetype_position_ = GetItemCount() - 1;
  AppendSeparator();
  AppendMenu("特殊カラムの追加(&P)", special_column_menu);
  AppendSeparator();
  AppendMenu("並び替え(&S)", sort_menu);
}

void ColumnMenu::EnableColumnItems(bool delete_enabled, bool sort_enabled,
                                   bool difference_enabled) {
  SetItemEnabled(delete_position_, delete_enabled);
  SetItemEnabled(sort_position_, sort_enabled);
  SetItemEnabled(difference_position_, difference_enabled);
}

void MainFrame::FillScriptMenus() {
  special_column_items_ = std::make_unique<ScriptItemMenu>(ScriptMenuList::Processors,
                                                           main_menu_.GetSpecialColumnMenu());
  sort_items_ = std::make_unique<ScriptItemMenu>(ScriptMenuList::Sorters, main_menu_.GetSortMenu());
  auto on_menu = [this](ScriptMenu& menu) {
    RegisterScriptMenuHandler(static_cast<ScriptItemMenu&>(menu));
  };
  // A list the menus cannot show is a script error; the items read before it stay.
  GetTable().RunGuarded([&] {
    script_host_.FillScriptMenu(ScriptMenuList::Processors, *special_column_items_, on_menu);
  });
  GetTable().RunGuarded(
      [&] { script_host_.FillScriptMenu(ScriptMenuList::Sorters, *sort_items_, on_menu); });
}

// A choice in a script menu arrives by position; the item's data is what the script put there.
void MainFrame::RegisterScriptMenuHandler(ScriptItemMenu& menu) {
  TtMenu items = menu.GetMenu();
  if (menu.GetList() == ScriptMenuList::Processors) {
    RegisterMenuCommandHandler(items.GetHandle(), [this, items](int position) {
      if (std::shared_ptr<TtSquirrel::Object> processor =
              ScriptItemMenu::ProcessorAt(items, position)) {
        GetTable().AddSpecialColumn(*processor);
      }
      return Handled();
    });
  } else {
    RegisterMenuCommandHandler(items.GetHandle(), [this, items](int position) {
      if (std::shared_ptr<Sorter> sorter = ScriptItemMenu::SorterAt(items, position)) {
        GetTable().SortBy(sorter->object());
      }
      return Handled();
    });
  }
}

void MainFrame::ReleaseScriptMenus() {
  ReleaseItemData(main_menu_.GetSpecialColumnMenu());
  ReleaseItemData(main_menu_.GetSortMenu());
}

}  // namespace Tarvane
