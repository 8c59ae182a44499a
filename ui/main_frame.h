#pragma once
// The program's one top-level window: menu bar, toolbar, the main list with the analysis table,
// a two-part status bar, the row and column pop-up menus and the card preview. It owns the
// script host, which holds the whole model, and it is where every menu item, toolbar button
// and list notification ends; the handlers call the table's operations and the dialogs.
//
// The frame is also the program's message reporter and status bar for the table and the data
// side: message boxes are owned by the frame once its window exists.
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "app/message_reporter.h"
#include "script/squirrel_vm.h"
#include "table/script_item_menu.h"
#include "table/status_bar_texts.h"
#include "table/work_progress.h"
#include "ttl/core/tt_menu.h"
#include "ttl/gui/tt_file_dialog.h"
#include "ttl/gui/tt_form.h"
#include "ttl/gui/tt_image_list.h"
#include "ttl/gui/tt_tool_bar.h"
#include "ttl/gui/tt_window_controls.h"
#include "ui/chart_window.h"
#include "ui/main_list.h"
#include "ui/preview_dialog.h"

namespace Tarvane {

// Command identifiers of the main window: menu items and toolbar buttons.
namespace MainCommand {
inline constexpr int Exit = 1000;
inline constexpr int New = 1001;
inline constexpr int ExportDropDown = 1002;
inline constexpr int ExportCsv = 1003;
inline constexpr int ExportTsv = 1004;
inline constexpr int AddDeckFiles = 1005;
inline constexpr int EditDeckFiles = 1006;
inline constexpr int BoardDropDown = 1007;
// 1008 to 1011: the board display modes 0 to 3 in order.
inline constexpr int BoardBoth = 1008;
inline constexpr int BoardMainboardOnly = 1009;
inline constexpr int BoardSideboardOnly = 1010;
inline constexpr int BoardHybrid = 1011;
inline constexpr int Refresh = 1012;
inline constexpr int SpecialEntries = 1013;
inline constexpr int AllDecksAsColumns = 1014;
inline constexpr int SelectDecks = 1015;
inline constexpr int SpecialColumnDropDown = 1016;
inline constexpr int SortDropDown = 1017;
inline constexpr int DeleteAllColumns = 1018;
inline constexpr int Settings = 1019;
inline constexpr int Version = 1020;
inline constexpr int HideRow = 1021;
inline constexpr int Preview = 1022;
inline constexpr int DeleteColumn = 1023;
inline constexpr int SortByColumn = 1024;
// 1025 to 1029: the items of the development menu, which do nothing.
inline constexpr int FirstTest = 1025;
inline constexpr int ImportDeckLists = 1030;
inline constexpr int DeckFromClipboard = 1031;
inline constexpr int AverageDeck = 1032;
inline constexpr int DifferenceColumn = 1033;
inline constexpr int CellShading = 1034;
inline constexpr int Guide = 1090;
inline constexpr int ArchetypeList = 1035;
inline constexpr int ArchetypeAverageDeck = 1036;
inline constexpr int Chart = 1037;
// Finding, filtering and the keyboard.
inline constexpr int Find = 1100;
inline constexpr int FindNext = 1101;
inline constexpr int FindPrevious = 1102;
inline constexpr int FilterRows = 1103;
inline constexpr int ClearFilter = 1104;
inline constexpr int JumpToColumn = 1105;
inline constexpr int FitAllColumns = 1106;
inline constexpr int Copy = 1107;
// Deck sets: opening and saving, the last session, and the recent files from 1111 on.
inline constexpr int OpenDeckSet = 1108;
inline constexpr int SaveDeckSet = 1109;
inline constexpr int LastSessionDeckSet = 1110;
inline constexpr int FirstRecentDeckSet = 1111;
}  // namespace MainCommand

// The toolbar's pictures, read once at start-up from the bitmap beside the executable: a strip
// of 16 x 15 pictures whose magenta pixels are transparent.
class ToolImageList : public TtImageList {
public:
  static constexpr int kWidth = 16;
  static constexpr int kHeight = 15;
  static constexpr TtWin::COLORREF kMaskColour = TtWin::Rgb(255, 0, 255);

  // Throws FileNotExistException when there is no file at the path, and the toolkit's
  // exception when the file is no picture.
  explicit ToolImageList(const std::string& bitmap_path);
};

// The menu bar. The export and board sub-menus, and the two sub-menus that the scripts fill,
// are members because the toolbar's drop-downs and the column menu show the same menus.
class MainMenu : public TtMenuBar {
public:
  // Builds the six menus, and the development menu when the settings file asks for test mode.
  MainMenu();

  const TtSubMenu& GetExportMenu() const { return export_menu_; }
  const TtSubMenu& GetBoardMenu() const { return board_menu_; }
  const TtSubMenuCommand& GetSpecialColumnMenu() const { return special_column_menu_; }
  const TtSubMenuCommand& GetSortMenu() const { return sort_menu_; }

  // Puts the radio mark of the board sub-menu on the item of the mode (0 to 3).
  void CheckBoardMode(int mode);
  // The tick of 表示 → 色分け.
  void CheckCellShading(bool shading) { view_menu_.SetItemChecked(0, shading); }
  bool IsCellShadingChecked() const { return view_menu_.IsItemChecked(0); }
  // ファイル → 最近使ったデッキセット: the last session's set first, then the files, newest first.
  void SetRecentDeckSets(bool has_last_session, const std::vector<std::string>& paths);
  const TtSubMenu& GetRecentMenu() const { return recent_menu_; }

private:
  TtSubMenu view_menu_;
  TtSubMenu recent_menu_;
  TtSubMenu export_menu_;
  TtSubMenu board_menu_;
  TtSubMenuCommand special_column_menu_;
  TtSubMenuCommand sort_menu_;
};

// The pop-up menu of a row.
class EntryMenu : public TtSubMenu {
public:
  EntryMenu();
  void EnablePreview(bool enabled) { SetItemEnabled(preview_position_, enabled); }
  bool IsPreviewEnabled() const { return IsItemEnabled(preview_position_); }

private:
  int preview_position_;
};

// The pop-up menu of a column header. It reports by position; with no handler for it, its two
// own items arrive as their commands, and its sub-menus are the shared script menus.
class ColumnMenu : public TtSubMenuCommand {
public:
  ColumnMenu(const TtMenu& special_column_menu, const TtMenu& sort_menu);
  void EnableColumnItems(bool delete_enabled, bool sort_enabled, bool difference_enabled);
  // このアーキタイプの平均デッキを作成: only on an archetype column.
  void EnableArchetypeItem(bool enabled) { SetItemEnabled(archetype_position_, enabled); }
  bool IsArchetypeEnabled() const { return IsItemEnabled(archetype_position_); }
  bool IsDeleteEnabled() const { return IsItemEnabled(delete_position_); }
  bool IsSortEnabled() const { return IsItemEnabled(sort_position_); }
  bool IsDifferenceEnabled() const { return IsItemEnabled(difference_position_); }

private:
  int delete_position_;
  int sort_position_;
  int difference_position_;
  int archetype_position_;
};

// Flat, list style, with tooltips: a button's text is its tooltip, not a label beside it.
class MainToolBar
    : public TtWindowWithStyle<TtToolBar, TtWin::TBSTYLE_TOOLTIPS | TtWin::TBSTYLE_FLAT |
                                              TtWin::TBSTYLE_LIST> {
public:
  explicit MainToolBar(const TtImageList& pictures) : pictures_(pictures) {}
  // Takes the pictures and adds the buttons in their order.
  bool Created() override;

private:
  const TtImageList& pictures_;
};

class MainFrame : public TtForm,
                  public MessageReporter,
                  public StatusBarTexts,
                  public WorkProgress {
public:
  static constexpr int kToolBarId = 2000;
  static constexpr int kMainListId = 2001;
  static constexpr char kTitle[] = "Tarvane / タルヴェイン";
  static constexpr int kCountPartWidth = 330;

  // Brings the data side up (the script host's construction), which may throw; the window is
  // made by Create. The pictures must outlive the frame.
  explicit MainFrame(const TtImageList& tool_pictures);
  ~MainFrame() override;

  TtWin::DWORD GetStyle() const override { return TtWin::WS_OVERLAPPEDWINDOW; }
  TtWin::DWORD GetExtendedStyle() const override { return 0; }
  bool CreatedInternal() override;

  // Applies the placement saved when the window last closed, if there is one.
  void RestoreWindowPlacement();

  // Deck list files and folders named on the command line or dropped on the window: they are
  // added as 追加 and フォルダ指定 add them (a folder gives its files, not its subfolders), and
  // each deck added gets a column.
  void OpenDeckPaths(const std::vector<std::string>& paths);
  // The same once the window is on screen and painted: the loading shows its progress there,
  // and a box about a bad file opens above the window, not before it.
  void OpenDeckPathsOnceShown(const std::vector<std::string>& paths);

  // Message boxes and status texts for the table and the data side.
  MessageAnswer ShowMessage(const std::string& text, const std::string& caption,
                            MessageButtons buttons, MessageIcon icon,
                            bool owned_by_main_window) override;
  void SetStatusText(int part, const std::string& text) override;

  // Long work: once it has run longer than the delay, the busy cursor and the decks read of all
  // in the status bar; Escape held down stops adding files.
  bool DecksRead(std::size_t done, std::size_t total) override;
  void ColumnsFilled(std::size_t done, std::size_t total) override;
  void RowsCompared(std::size_t done, std::size_t rows) override;
  void WorkEnded() override;
  void SetBusyDelay(std::chrono::milliseconds delay) { busy_delay_ = delay; }

  // The column menu for a point on the list's header (screen coordinates): remembers the
  // column under it and enables the column items for it.
  void ShowColumnMenu(TtWin::POINT screen_point);

  // The parts, for tests that drive the window as the user does.
  SquirrelVM& GetScriptHost() { return script_host_; }
  AnalysisTable& GetTable() { return main_list_.GetTable(); }
  MainMenu& GetMainMenu() { return main_menu_; }
  MainToolBar& GetToolBar() { return tool_bar_; }
  MainList& GetMainList() { return main_list_; }
  TtStatusBar& GetStatusBar() { return status_bar_; }
  EntryMenu& GetEntryMenu() { return entry_menu_; }
  ColumnMenu& GetColumnMenu() { return column_menu_; }
  PreviewDialog& GetPreview() { return preview_; }
  ChartWindow& GetChartWindow() { return chart_window_; }
  int GetClickedColumn() const { return clicked_column_; }
  bool IsDraggingRow() const { return drag_.dragging; }

private:
  // The row drag of the main list.
  struct RowDrag {
    TtDragImage image;
    int dragged_row = -1;
    // The item that carries the drop highlight, or -1.
    int drop_target = -1;
    bool dragging = false;
  };

  // Creation (main_frame.cpp).
  void CreateChildren();
  void Layout(int width, int height);
  void SaveWindowPlacement();

  // Menus and toolbar (main_frame_menus.cpp).
  void FillScriptMenus();
  void RegisterScriptMenuHandler(ScriptItemMenu& menu);
  void ShowDropDownMenu(int button_id);
  // Takes the script values out of the script menus, which the window's menu views may keep
  // after the frame and its script host are gone.
  void ReleaseScriptMenus();

  // Commands (main_frame_commands.cpp).
  void RegisterCommandHandlers();
  void New();
  void ExportCsv();
  void ExportTsv();
  void AddDeckFiles();
  void EditDeckFiles();
  void SetBoardMode(int mode);
  void SelectSpecialEntries();
  void SelectDecks();
  void ShowSettings();
  void WriteAverageDeck();
  void ShowVersion();
  // Opens the player's guide in the desktop's browser, or says why it cannot.
  void ShowGuide();
  void HideRow();
  void PreviewSelectedRow();
  // 表示 → グラフ...: the chart window, with the card of the selected row for the adoption.
  void ShowChartWindow();
  void DeleteClickedColumn();
  void SortByClickedColumn();
  void AddDifferenceColumn();

  // Archetypes (main_frame_archetypes.cpp).
  void RegisterArchetypeCommands();
  // Reads the settings' rule folder into the table; a box tells the problems, and when
  // `tell_summary`, also how many rules were loaded.
  void ApplyArchetypeRules(bool tell_summary);
  void ShowArchetypeList();
  void WriteClickedArchetypeAverageDeck();
  // Switches 色分け, ticks its item and saves it in the settings file.
  void SetCellShading(bool shading);

  // Finding, filtering, columns and copying (main_frame_find.cpp).
  void Find(const std::string& initial_text);
  void FindAgain(bool backwards);
  void FilterRows();
  void ClearFilter();
  void JumpToColumn();
  void FitAllColumns();
  void CopySelection();
  // The outcome of a command, in the status bar's last part.
  void ShowNotice(const std::string& text);

  // Deck sets (main_frame_deck_sets.cpp).
  void OpenDeckSet();
  void SaveDeckSet();
  void OpenDeckSetFile(const std::string& path, bool remember);
  void OpenRecentDeckSet(int index);
  bool ChooseDeckSetFile(TtFileDialog& dialog);
  // Puts the file first in 最近使ったデッキセット.
  void RememberDeckSet(const std::string& path);
  // At close: what the table shows becomes the set that 前回終了時のデッキセット opens.
  void SaveLastSession();
  void UpdateRecentMenu();

  // Deck lists from other programs and from the clipboard (main_frame_import.cpp).
  void ImportDeckLists();
  // Converts the files into a folder the user chooses, shows the report and offers to add the
  // lists written.
  void ImportFiles(const std::vector<std::string>& files);
  void CreateDeckFromClipboard();
  // Whether the file that is there may be replaced: the user is asked.
  bool MayReplace(const std::string& path);

  // The list's notifications and the row drag (main_frame_list.cpp).
  void RegisterListHandlers();
  WMResult OnListNotify(TtWin::NMHDR* header);
  void ShowEntryMenu(TtWin::POINT list_point);
  void BeginRowDrag(const TtWin::NMLISTVIEW& notify);
  WMResult MoveRowDrag(int x, int y);
  WMResult DropRow();
  TtWin::POINT FrameToList(int x, int y) const;

  SquirrelVM script_host_;
  int clicked_column_ = -1;
  // Shows the text of long work once it has run longer than the delay; starting marks its start.
  void ShowWork(bool starting, const std::string& text);
  // Long work: when it began, how long before it shows, and whether it shows.
  std::chrono::steady_clock::time_point work_start_;
  std::chrono::milliseconds busy_delay_{500};
  bool showing_work_ = false;
  MainMenu main_menu_;
  MainToolBar tool_bar_;
  MainList main_list_;
  TtStatusBar status_bar_;
  EntryMenu entry_menu_;
  ColumnMenu column_menu_;
  RowDrag drag_;
  PreviewDialog preview_;
  // After the list: it draws from the list's table.
  ChartWindow chart_window_;
  // The fillers of the two script menus, with their nested sub-menus.
  std::unique_ptr<ScriptItemMenu> special_column_items_;
  std::unique_ptr<ScriptItemMenu> sort_items_;
  // What 次を検索 looks for: the text of the last find.
  std::string find_text_;
  // What カラムへ移動 found last, so that the same text goes on to the next column.
  struct ColumnFind {
    std::string text;
    int column = -1;
  } column_find_;
  // Where imported deck lists go: the folder chosen last in this session, at first the "decks"
  // folder beside the program.
  std::string import_folder_;
};

}  // namespace Tarvane
