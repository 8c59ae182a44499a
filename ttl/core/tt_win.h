#pragma once
// The window system's vocabulary as the toolkit speaks it: handles, message parameters, the
// records that notifications carry, and the message, notification, style and result numbers.
// The numbers are the classic desktop platform's, so that code written against the toolkit reads
// the same whatever widget set the backend uses. Nothing here needs the widget set.
#include <cstdint>

struct TtNativeWindowTag;
class TtMenuModel;

namespace TtWin {

// A window of the widget set, opaque outside the backend; null is "no window".
using HWND = TtNativeWindowTag*;
// A menu is the toolkit's own menu model (see tt_menu.h).
using HMENU = TtMenuModel*;
using HINSTANCE = void*;
using UINT = unsigned int;
using DWORD = std::uint32_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
// 0x00BBGGRR, as the platform packs colours.
using COLORREF = std::uint32_t;

constexpr COLORREF Rgb(int red, int green, int blue) {
  return static_cast<COLORREF>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
constexpr int RedOf(COLORREF c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(COLORREF c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(COLORREF c) { return static_cast<int>((c >> 16) & 0xFF); }
constexpr COLORREF CLR_DEFAULT = 0xFF000000;

constexpr WPARAM MakeWParam(int low, int high) {
  return static_cast<WPARAM>((static_cast<std::uint32_t>(low) & 0xFFFF) |
                             ((static_cast<std::uint32_t>(high) & 0xFFFF) << 16));
}
constexpr LPARAM MakeLParam(int low, int high) {
  return static_cast<LPARAM>(
      static_cast<std::int32_t>((static_cast<std::uint32_t>(low) & 0xFFFF) |
                                ((static_cast<std::uint32_t>(high) & 0xFFFF) << 16)));
}
constexpr int LowWord(std::uintptr_t value) { return static_cast<int>(value & 0xFFFF); }
constexpr int HighWord(std::uintptr_t value) { return static_cast<int>((value >> 16) & 0xFFFF); }
// The signed halves, as coordinates are packed.
constexpr int SignedLowWord(std::intptr_t value) {
  return static_cast<std::int16_t>(value & 0xFFFF);
}
constexpr int SignedHighWord(std::intptr_t value) {
  return static_cast<std::int16_t>((value >> 16) & 0xFFFF);
}

struct POINT {
  std::int32_t x = 0;
  std::int32_t y = 0;
};

struct RECT {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
};

// The window placement record: eleven 32-bit words, 44 bytes.
struct WINDOWPLACEMENT {
  UINT length = 44;
  UINT flags = 0;
  UINT showCmd = 1;
  POINT ptMinPosition;
  POINT ptMaxPosition;
  RECT rcNormalPosition;
};
static_assert(sizeof(WINDOWPLACEMENT) == 44);

// The header of every notification (the second parameter of WM_NOTIFY points to it).
struct NMHDR {
  HWND hwndFrom = nullptr;
  std::uintptr_t idFrom = 0;
  UINT code = 0;
};

// List view notifications: item changed, column click, begin drag.
struct NMLISTVIEW {
  NMHDR hdr;
  int iItem = -1;
  int iSubItem = 0;
  UINT uNewState = 0;
  UINT uOldState = 0;
  UINT uChanged = 0;
  POINT ptAction;
  LPARAM lParam = 0;
};

// List view click, right click, double click and activation.
struct NMITEMACTIVATE {
  NMHDR hdr;
  int iItem = -1;
  int iSubItem = 0;
  UINT uNewState = 0;
  UINT uOldState = 0;
  UINT uChanged = 0;
  POINT ptAction;
  LPARAM lParam = 0;
  UINT uKeyFlags = 0;
};

struct NMCUSTOMDRAW {
  NMHDR hdr;
  DWORD dwDrawStage = 0;
  void* hdc = nullptr;
  RECT rc;
  std::uintptr_t dwItemSpec = 0;
  UINT uItemState = 0;
  LPARAM lItemlParam = 0;
};

// The list view's custom draw record: the handler may set the text and background colours.
struct NMLVCUSTOMDRAW {
  NMCUSTOMDRAW nmcd;
  COLORREF clrText = CLR_DEFAULT;
  COLORREF clrTextBk = CLR_DEFAULT;
  int iSubItem = 0;
};

// Toolbar drop-down: iItem is the button's command identifier.
struct NMTOOLBAR {
  NMHDR hdr;
  int iItem = 0;
  RECT rcButton;
};

// Property sheet page notifications.
struct PSHNOTIFY {
  NMHDR hdr;
  LPARAM lParam = 0;
};

// Messages.
constexpr UINT WM_NULL = 0x0000;
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_SIZE = 0x0005;
constexpr UINT WM_SETFOCUS = 0x0007;
constexpr UINT WM_SETREDRAW = 0x000B;
constexpr UINT WM_PAINT = 0x000F;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_SETFONT = 0x0030;
constexpr UINT WM_NOTIFY = 0x004E;
constexpr UINT WM_CONTEXTMENU = 0x007B;
constexpr UINT WM_NCCREATE = 0x0081;
constexpr UINT WM_INITDIALOG = 0x0110;
constexpr UINT WM_COMMAND = 0x0111;
constexpr UINT WM_MENUCOMMAND = 0x0126;
constexpr UINT WM_MOUSEMOVE = 0x0200;
constexpr UINT WM_LBUTTONDOWN = 0x0201;
constexpr UINT WM_LBUTTONUP = 0x0202;
constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
constexpr UINT WM_RBUTTONDOWN = 0x0204;
constexpr UINT WM_RBUTTONUP = 0x0205;
constexpr UINT WM_USER = 0x0400;

// WM_SIZE kinds.
constexpr int SIZE_RESTORED = 0;
constexpr int SIZE_MINIMIZED = 1;
constexpr int SIZE_MAXIMIZED = 2;

// Mouse key flags of the mouse messages.
constexpr int MK_LBUTTON = 0x1;
constexpr int MK_RBUTTON = 0x2;
constexpr int MK_SHIFT = 0x4;
constexpr int MK_CONTROL = 0x8;

// Command notification codes (high half of WM_COMMAND's first parameter).
constexpr int BN_CLICKED = 0;
constexpr int LBN_SELCHANGE = 1;
constexpr int LBN_DBLCLK = 2;
constexpr int EN_CHANGE = 0x0300;

// Standard command identifiers: the dialog keyboard's Enter and Escape.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// Notification codes (NMHDR::code).
constexpr UINT NM_CLICK = static_cast<UINT>(-2);
constexpr UINT NM_DBLCLK = static_cast<UINT>(-3);
constexpr UINT NM_RETURN = static_cast<UINT>(-4);
constexpr UINT NM_RCLICK = static_cast<UINT>(-5);
constexpr UINT NM_CUSTOMDRAW = static_cast<UINT>(-12);
constexpr UINT LVN_ITEMCHANGED = static_cast<UINT>(-101);
constexpr UINT LVN_COLUMNCLICK = static_cast<UINT>(-108);
constexpr UINT LVN_BEGINDRAG = static_cast<UINT>(-109);
constexpr UINT LVN_ITEMACTIVATE = static_cast<UINT>(-114);
constexpr UINT PSN_SETACTIVE = static_cast<UINT>(-200);
constexpr UINT PSN_KILLACTIVE = static_cast<UINT>(-201);
constexpr UINT PSN_APPLY = static_cast<UINT>(-202);
constexpr UINT PSN_RESET = static_cast<UINT>(-203);
constexpr UINT TBN_DROPDOWN = static_cast<UINT>(-710);

// Answers to PSN_APPLY and TBN_DROPDOWN.
constexpr LRESULT PSNRET_NOERROR = 0;
constexpr LRESULT PSNRET_INVALID = 1;
constexpr LRESULT TBDDRET_DEFAULT = 0;

// List view item state bits (NMLISTVIEW::uNewState, uOldState).
constexpr UINT LVIS_SELECTED = 0x0002;
constexpr UINT LVIS_DROPHILITED = 0x0008;
// The check box state image: 1 unticked, 2 ticked, shifted by 12.
constexpr UINT LVIS_STATEIMAGEMASK = 0xF000;
constexpr UINT LVIF_STATE = 0x0008;

// Custom draw stages and answers.
constexpr DWORD CDDS_PREPAINT = 0x00000001;
constexpr DWORD CDDS_ITEM = 0x00010000;
constexpr DWORD CDDS_ITEMPREPAINT = CDDS_ITEM | CDDS_PREPAINT;
constexpr DWORD CDDS_SUBITEM = 0x00020000;
constexpr LRESULT CDRF_DODEFAULT = 0x00;
constexpr LRESULT CDRF_NEWFONT = 0x02;
constexpr LRESULT CDRF_SKIPDEFAULT = 0x04;
constexpr LRESULT CDRF_NOTIFYITEMDRAW = 0x20;
constexpr LRESULT CDRF_NOTIFYSUBITEMDRAW = 0x20;

// Window styles. Some bits mean different things for top-level windows and controls (the
// minimise box is the group bit, the maximise box the tab-stop bit), as on the platform.
constexpr DWORD WS_OVERLAPPED = 0x00000000;
constexpr DWORD WS_POPUP = 0x80000000;
constexpr DWORD WS_CHILD = 0x40000000;
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr DWORD WS_CAPTION = 0x00C00000;
constexpr DWORD WS_BORDER = 0x00800000;
constexpr DWORD WS_DLGFRAME = 0x00400000;
constexpr DWORD WS_VSCROLL = 0x00200000;
constexpr DWORD WS_HSCROLL = 0x00100000;
constexpr DWORD WS_SYSMENU = 0x00080000;
constexpr DWORD WS_THICKFRAME = 0x00040000;
constexpr DWORD WS_GROUP = 0x00020000;
constexpr DWORD WS_TABSTOP = 0x00010000;
constexpr DWORD WS_MINIMIZEBOX = 0x00020000;
constexpr DWORD WS_MAXIMIZEBOX = 0x00010000;
constexpr DWORD WS_OVERLAPPEDWINDOW = 0x00CF0000;
constexpr DWORD WS_EX_TOOLWINDOW = 0x00000080;
constexpr DWORD WS_EX_CLIENTEDGE = 0x00000200;
constexpr DWORD WS_EX_CONTEXTHELP = 0x00000400;
constexpr DWORD WS_EX_STATICEDGE = 0x00020000;

// Control styles.
constexpr DWORD SS_RIGHT = 0x0002;
constexpr DWORD SS_SUNKEN = 0x1000;
constexpr DWORD SS_WORDELLIPSIS = 0xC000;
constexpr DWORD BS_AUTOCHECKBOX = 0x0003;
constexpr DWORD BS_MULTILINE = 0x2000;
constexpr DWORD ES_AUTOHSCROLL = 0x0080;
constexpr DWORD ES_NUMBER = 0x2000;
constexpr DWORD LBS_NOTIFY = 0x0001;
constexpr DWORD LBS_MULTIPLESEL = 0x0008;
constexpr DWORD LBS_NOINTEGRALHEIGHT = 0x0100;
constexpr DWORD LVS_REPORT = 0x0001;
constexpr DWORD LVS_SINGLESEL = 0x0004;
constexpr DWORD LVS_SHOWSELALWAYS = 0x0008;
constexpr DWORD LVS_SHAREIMAGELISTS = 0x0040;
constexpr DWORD LVS_EX_GRIDLINES = 0x0001;
constexpr DWORD LVS_EX_CHECKBOXES = 0x0004;
constexpr DWORD LVS_EX_HEADERDRAGDROP = 0x0010;
constexpr DWORD LVS_EX_FULLROWSELECT = 0x0020;
constexpr DWORD TBSTYLE_TOOLTIPS = 0x0100;
constexpr DWORD TBSTYLE_FLAT = 0x0800;
constexpr DWORD TBSTYLE_LIST = 0x1000;
constexpr DWORD TBSTYLE_EX_DRAWDDARROWS = 0x0001;
constexpr DWORD TBSTYLE_EX_MIXEDBUTTONS = 0x0008;
constexpr std::uint8_t BTNS_BUTTON = 0x00;
constexpr std::uint8_t BTNS_SEP = 0x01;
constexpr std::uint8_t BTNS_CHECK = 0x02;
constexpr std::uint8_t BTNS_DROPDOWN = 0x08;
constexpr std::uint8_t BTNS_SHOWTEXT = 0x40;
constexpr std::uint8_t BTNS_WHOLEDROPDOWN = 0x80;
constexpr std::uint8_t TBSTATE_CHECKED = 0x01;
constexpr std::uint8_t TBSTATE_PRESSED = 0x02;
constexpr std::uint8_t TBSTATE_ENABLED = 0x04;
constexpr DWORD SBARS_SIZEGRIP = 0x0100;
constexpr DWORD CCS_BOTTOM = 0x0003;

// Show commands.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOWMINIMIZED = 2;
constexpr int SW_SHOWMAXIMIZED = 3;
constexpr int SW_SHOWNOACTIVATE = 4;
constexpr int SW_MAXIMIZE = 3;
constexpr int SW_SHOW = 5;
constexpr int SW_MINIMIZE = 6;
constexpr int SW_RESTORE = 9;

// Window position flags and z-order places.
constexpr UINT SWP_NOSIZE = 0x0001;
constexpr UINT SWP_NOMOVE = 0x0002;
constexpr UINT SWP_NOZORDER = 0x0004;
constexpr UINT SWP_NOACTIVATE = 0x0010;
constexpr UINT SWP_SHOWWINDOW = 0x0040;
constexpr UINT SWP_HIDEWINDOW = 0x0080;
inline const HWND HWND_TOP = nullptr;
inline const HWND HWND_BOTTOM = reinterpret_cast<HWND>(1);
inline const HWND HWND_TOPMOST = reinterpret_cast<HWND>(-1);
inline const HWND HWND_NOTOPMOST = reinterpret_cast<HWND>(-2);

// Message box button sets, icons, default buttons.
constexpr int MB_OK = 0x00;
constexpr int MB_OKCANCEL = 0x01;
constexpr int MB_YESNOCANCEL = 0x03;
constexpr int MB_YESNO = 0x04;
constexpr int MB_ICONERROR = 0x10;
constexpr int MB_ICONQUESTION = 0x20;
constexpr int MB_ICONWARNING = 0x30;
constexpr int MB_ICONINFORMATION = 0x40;
constexpr int MB_DEFBUTTON1 = 0x000;
constexpr int MB_DEFBUTTON2 = 0x100;
constexpr int MB_DEFBUTTON3 = 0x200;

// Hit-test results of the list view and its header.
constexpr UINT LVHT_NOWHERE = 0x0001;
constexpr UINT LVHT_ONITEM = 0x000E;
constexpr UINT HHT_NOWHERE = 0x0001;
constexpr UINT HHT_ONHEADER = 0x0002;
constexpr UINT HHT_ONDIVIDER = 0x0004;

// Font weights and character set.
constexpr int FW_NORMAL = 400;
constexpr int FW_BOLD = 700;
constexpr int SHIFTJIS_CHARSET = 128;
constexpr int FF_MODERN = 0x30;

}  // namespace TtWin
