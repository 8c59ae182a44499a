#pragma once
// What the window logic needs from the widget set: the toolkit's classes call these, and only
// the backend files (wx/tt_wx_*.cpp) implement them. Nothing here names the widget set.
#include <string>

#include "ttl/core/tt_win.h"
#include "ttl/gui/tt_window.h"

class TtDialog;
class TtPropertySheet;
class TtToolBar;

namespace TtBackend {

// Creates the widget for a window of the class, hidden; throws for "::CreateWindowEx".
TtWin::HWND CreateNativeWindow(TtWindow& window, TtWin::HWND parent, TtWin::DWORD style,
                               TtWin::DWORD extended_style, const char* class_name, int id);
void DestroyNativeWindow(TtWin::HWND handle);
bool IsTopLevel(TtWin::HWND handle);
void ApplyDefaultFont(TtWin::HWND handle);
// What the widget does with a message that no handler took, when the message came from code
// (messages from the widget set itself get their native processing instead).
TtWin::LRESULT DefaultProcessing(TtWindow& window, TtWin::UINT message, TtWin::WPARAM wparam,
                                 TtWin::LPARAM lparam);
void PostMessage(TtWin::HWND handle, TtWin::UINT message, TtWin::WPARAM wparam,
                 TtWin::LPARAM lparam);
TtWin::HWND DesktopHandle();

// The message loop and the quit message. Without a running loop the quit stays pending.
void PostQuit(int exit_code);
int RunLoop();

// Dialogs: the widget, the modal run (which lays the dialog out first) and its end.
TtWin::HWND CreateDialogWindow(TtDialog& dialog, TtWindow* parent, bool modeless);
int RunModal(TtWin::HWND handle);
// False when the dialog is not in a modal run (a test answered it without showing it).
bool EndModal(TtWin::HWND handle, int result);

// Property sheets: the sheet with its book of pages, the page widgets, selecting a page.
TtWin::HWND CreatePropertySheetWindow(TtPropertySheet& sheet, TtWindow* parent);
TtWin::HWND CreatePropertyPageWindow(TtWin::HWND sheet, const std::string& title, int width_units,
                                     int height_units);
void SelectPropertyPage(TtWin::HWND sheet, int index);
int GetSelectedPropertyPage(TtWin::HWND sheet);

// Toolbars: the widget's tools follow the toolbar's button list.
void RebuildToolBar(TtToolBar& tool_bar);
TtWin::RECT ToolBarButtonRectangle(const TtToolBar& tool_bar, int index);

}  // namespace TtBackend

// The backend's door into the private parts of a window: the handle table is kept in step
// with the widgets' lives.
class TtBackendAccess {
public:
  // The widget of a window died: WM_DESTROY is dispatched, then the handle is forgotten.
  static void NativeWindowDestroyed(TtWin::HWND handle);
};
