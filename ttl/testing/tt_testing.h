#pragma once
// Support for tests that drive real windows: answers for modal dialogs, message boxes, file
// dialogs, the folder browser and pop-up menus given in advance instead of by a person, and
// simulated clicks that travel the same way a user's do. Built on the widget set's modal
// dialog hook; tests use this header and never the widget set itself.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ttl/core/tt_win.h"

class TtListView;
class TtMenu;
class TtToolBar;
class TtWindow;

namespace TtTesting {

struct MessageBoxSeen {
  std::string text;
  std::string caption;
  int button_set = -1;
  int icon = -1;
  // Whether the icon could be drawn, and the buttons' texts from left to right.
  bool icon_shown = false;
  std::vector<std::string> buttons;
};

struct FileDialogSeen {
  std::string title;
  std::string directory;
  std::string file_name;
  // name|pattern;pattern|... as the widget set's dialog got it from TtFileDialog::BuildFilterText.
  std::string filter_text;
  bool save = false;
  bool multiple = false;
  bool overwrite_prompt = false;
  bool file_must_exist = false;
  // The texts of the accept and cancel buttons (CP932).
  std::string accept_button;
  std::string cancel_button;
};

struct FolderBrowserSeen {
  std::string description;
  std::string initial_path;
  std::string accept_button;
  std::string cancel_button;
};

// Which item of a pop-up menu to choose: a menu (the pop-up or one of its sub-menus) and a
// position in it; no menu closes the pop-up without a choice.
struct PopupChoice {
  TtWin::HMENU menu = nullptr;
  int position = -1;
};

// While an object of this class lives, modal things are answered from its queue in order.
// Something modal that nobody expected is closed at once (cancelled) and reported by Finish.
class ModalAnswers {
public:
  ModalAnswers();
  ~ModalAnswers();
  ModalAnswers(const ModalAnswers&) = delete;
  ModalAnswers& operator=(const ModalAnswers&) = delete;

  // answer: IDOK, IDCANCEL, IDYES or IDNO.
  ModalAnswers& MessageBox(int answer, MessageBoxSeen* seen = nullptr);
  // OK with these paths (CP932); an open dialog with multiple selection returns them all.
  ModalAnswers& FileDialog(std::vector<std::string> paths, FileDialogSeen* seen = nullptr);
  // OK with paths as the desktop hands them over (UTF-8), CP932 spelling or not.
  ModalAnswers& FileDialogAsTyped(std::vector<std::string> utf8_paths,
                                  FileDialogSeen* seen = nullptr);
  ModalAnswers& CancelFileDialog(FileDialogSeen* seen = nullptr);
  // Shown modally for real, then cancelled once it is on screen (and placed by the window
  // manager, if there is one).
  ModalAnswers& CancelFileDialogShown();
  // A message box shown modally for real: the action gets its rectangle on screen once it is
  // there, then the box is cancelled.
  ModalAnswers& MessageBoxShown(std::function<void(TtWin::RECT shown)> action);
  ModalAnswers& FolderBrowser(std::string path, FolderBrowserSeen* seen = nullptr);
  ModalAnswers& FolderBrowserAsTyped(std::string utf8_path, FolderBrowserSeen* seen = nullptr);
  ModalAnswers& CancelFolderBrowser(FolderBrowserSeen* seen = nullptr);
  // One of the toolkit's modal dialogs or property sheets: the action runs while it is open
  // (with every control created and laid out) and ends it, for example by sending the
  // command of its OK button or calling PressOk; a dialog the action leaves open ends with 0.
  ModalAnswers& Dialog(std::function<void(TtWindow& dialog)> action);
  // A toolkit dialog shown modally for real: the action runs once it is on screen; a dialog the
  // action leaves open is cancelled.
  ModalAnswers& DialogShown(std::function<void(TtWindow& dialog)> action);
  // A pop-up menu: the chooser sees the menu and the screen point and picks an item.
  ModalAnswers& PopupMenu(
      std::function<PopupChoice(const TtMenu& menu, TtWin::POINT point)> choose);

  // Everything that went wrong: unexpected dialogs, and expectations never met.
  std::vector<std::string> Finish();

private:
  struct State;
  std::unique_ptr<State> state_;
};

// A dialog answered by a test is not on screen; this puts it there with the keyboard focus on
// its first control, as showing it modally does for the user.
void ShowAsModal(TtWindow& dialog);

// The labels (CP932) of a top-level window's push buttons from left to right.
std::vector<std::string> ButtonLabels(TtWindow& window);

// Runs the pending events of the widget set (and rethrows what a handler threw there).
void ProcessEvents();

// A mouse click on a push button or check box, as the user makes it.
void Click(TtWindow& control);
void ClickToolBarButton(TtToolBar& tool_bar, int id);
// The tooltip a window carries now (CP932), empty for none.
std::string ToolTipText(TtWindow& window);
// Clicks an entry of a list box with the real pointer, as the user does.
void ClickListBoxItem(TtWindow& list_box, int index);
// The same with a double click of the real pointer.
void DoubleClickListBoxItem(TtWindow& list_box, int index);
// Whether the keyboard focus is in the window (on it or on one of its parts).
bool HasFocus(TtWindow& window);
// Clicks at the middle of an item's cell in a column of a list view.
void ClickListItem(TtListView& list, int item, int column = 0);
void DoubleClickListItem(TtListView& list, int item);
void RightClickListItem(TtListView& list, int item);
// Clicks on a column's header, or on the empty header right of the last column when column
// is -1.
void ClickListHeader(TtListView& list, int column);
void RightClickListHeader(TtListView& list, int column);
// Drags a header item with the left button and drops it on another column's header item.
void DragListHeader(TtListView& list, int column, int onto_column);
// Drags an item from its first column to the point in the list's client coordinates.
void DragListItem(TtListView& list, int item, TtWin::POINT to);
// Chooses an item of a form's menu bar as the user does: the menu's position on the bar, then
// the item's position in that menu (and in its sub-menus, for deeper items).
void ChooseMenuBarItem(TtWindow& form, const std::vector<int>& positions);
// The labels of a form's menu bar as the widget set shows them (CP932).
std::vector<std::string> MenuBarLabels(TtWindow& form);
// Files dropped from a file manager onto a window (which must accept drops).
void DropFiles(TtWindow& window, const std::vector<std::string>& paths);
// Enter or Escape in a window (a dialog's keyboard).
void PressEnter(TtWindow& window);
void PressEscape(TtWindow& window);
void PressTab(TtWindow& window);
// The close box of a top-level window.
void CloseWindow(TtWindow& window);

// The real pointer, moved and pressed through the X server, so that a mouse capture decides
// which window hears of it. Positions are screen coordinates.
void MovePointer(TtWin::POINT screen_point);
void PressLeftButton();
void ReleaseLeftButton();
// The Escape key pressed or released through the X server, as the user holds it down.
void HoldEscapeKey(bool down);
// Whether the busy cursor is shown now.
bool BusyCursorShown();

// The text as painted, ending in an ellipsis where the column cuts it (item -1: the header).
std::string ListShownText(TtListView& list, int item, int column);
// The tooltip the header shows with the pointer over a column's header item (CP932).
std::string ListHeaderToolTip(TtListView& list, int column);
// A double click on the right edge of a column's header item.
void DoubleClickListHeaderEdge(TtListView& list, int column);
// A column's width set by the user, as the grid reports the end of a drag of its divider.
void SetListColumnWidthAsUser(TtListView& list, int column, int width);
// The text a static control shows now (CP932), as cut or wrapped to its width.
std::string ShownText(TtWindow& control);
// The widget set's own translation of one of its texts (its catalogue "gtk30"), as it shows it.
std::string WidgetSetText(const char* english);
// The text a status bar part shows at its width: shortened in the middle where it does not fit.
std::string StatusPartShownText(TtWindow& status_bar, int part);
// Scrolls a list view sideways until the column is in view, as the user does with the scroll bar.
void ScrollListToColumn(TtListView& list, int column);
// What the list view paints: the text of a cell and the background colour of a row.
std::string ListCellText(TtListView& list, int item, int column);
std::string ListHeaderText(TtListView& list, int column);
TtWin::COLORREF ListRowBackground(TtListView& list, int item);
// The background that one cell is painted with.
TtWin::COLORREF ListCellBackground(TtListView& list, int item, int column);
TtWin::COLORREF ListRowText(TtListView& list, int item);

// The colour of a pixel on the screen.
TtWin::COLORREF ScreenPixel(TtWin::POINT screen_point);
// Saves the screen area of a window (or the whole screen for null) as a PNG file.
bool SaveScreenshot(const TtWindow* window, const std::string& path);

}  // namespace TtTesting
