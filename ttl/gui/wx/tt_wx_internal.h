#pragma once
// Shared between the backend files and the test driver (ttl/testing/) only.
#include <wx/dirdlg.h>
#include <wx/filedlg.h>
#include <wx/statusbr.h>

#include <functional>
#include <optional>

#include "ttl/gui/tt_image_list.h"
#include "ttl/gui/wx/tt_wx.h"

class TtListView;

namespace TtWxInternal {

// A static text that keeps its whole text and wraps it again whenever its width changes, as
// the platform's left-aligned statics do, or, on one line, cuts it after the last whole word
// that fits and ends it in an ellipsis.
class StaticText : public wxStaticText {
public:
  enum class Fit { Wrap, WordEllipsis, OneLine };
  StaticText(wxWindow* parent, int id, long style, Fit fit);
  void SetFullText(const wxString& text);
  const wxString& GetFullText() const { return full_text_; }
  void Rewrap();

private:
  wxString full_text_;
  Fit fit_;
  int wrapped_width_ = -1;
};

// Whether the widget set is up; before it is, and after it went, no widget may be touched.
bool PlatformReady();
// The widget of a toolkit window, or the system call error the platform would give for a
// window that has none.
wxWindow* Widget(const TtWindow& window, const char* call);

// The wx style of a top-level window or dialog with the toolkit's window styles.
long TopLevelStyle(TtWin::DWORD style, TtWin::DWORD extended_style);

void BindCommonEvents(wxWindow* window);
// Size, paint, mouse and close events of the toolkit's own windows (forms, panels, dialogs).
void BindPanelEvents(wxWindow* window);
void SendSizeMessage(wxWindow* window);
void RememberNormalRectangle(wxWindow* window);
// Whether a shown top-level window is not yet on screen: the widget set learns that the window
// manager has mapped it some time after the window was shown.
bool AwaitsScreen(wxTopLevelWindow* top);
// Whether a top-level window shown at a set place has not yet been reported there at its size.
bool AwaitsPlacement(wxWindow* window);
void FontChanged(wxWindow* window);

wxWindow* CreateListView(TtListView& list, wxWindow* parent, int id, TtWin::DWORD style,
                         TtWin::DWORD extended_style);
wxWindow* CreateToolBar(TtWindow& window, wxWindow* parent, int id, TtWin::DWORD style,
                        TtWin::DWORD extended_style);
wxWindow* CreateStatusBar(wxWindow* parent, int id);
void PlaceStatusBar(wxStatusBar* bar);

// An image list holding one picture.
TtImageList ImageListOf(const wxBitmap& bitmap);
// A picture of an image list, or null for a bad index.
const wxBitmap* ImageOf(const TtImageList& list, int index);

// Where button i of a toolbar widget lies in the widget.
wxRect ToolBarButtonRect(wxWindow* tool_bar, int index);

// The text a list grid paints in a cell (row -1: the header), ellipsis included.
wxString ShownListText(wxWindow* grid, int row, int col);

// Forgets the row colours a list grid asked its parent for, so the next look asks again.
void ResetListLooks(wxWindow* grid);

// Menus: a choice reaches the owner as the platform reports it; tests may answer pop-ups.
void DeliverMenuChoice(TtWin::HWND owner, TtMenuModel& menu, int index);
std::function<bool(TtMenuModel& menu, TtWin::POINT point, TtWin::HMENU& chosen, int& position)>&
PopupMenuHook();

// The message box: the platform's icon beside the text and the program's own (Japanese)
// button texts in the classic order, whatever the desktop's language.
class MessageBox : public wxDialog {
public:
  MessageBox(wxWindow* parent, const wxString& text, const wxString& caption, int button_set,
             int icon, bool second_is_default);
  const wxString& GetText() const { return text_; }
  int GetButtonSet() const { return button_set_; }
  int GetIcon() const { return icon_; }
  bool ShowsIcon() const { return shows_icon_; }

private:
  wxString text_;
  int button_set_;
  int icon_;
  bool shows_icon_ = false;
};

// The common dialogs' buttons in the program's language (the desktop's chooser names them in
// the desktop's, which is English where no Japanese locale is installed); and what they read.
void SetChooserButtonTexts(wxWindow* chooser, const char* accept, const char* cancel);
wxString ChooserButtonText(wxWindow* chooser, bool accept);

// The common dialogs, with a place where a test's answer is put instead of the user's.
class FileDialog : public wxFileDialog {
public:
  using wxFileDialog::wxFileDialog;
  std::optional<wxArrayString> answered_paths;
  // What the dialog was opened with, as the widget may only tell once it was shown.
  wxString initial_directory;
  wxString initial_file_name;
};

class DirDialog : public wxDirDialog {
public:
  using wxDirDialog::wxDirDialog;
  std::optional<wxString> answered_path;
  wxString initial_path;
};

}  // namespace TtWxInternal
