// The test driver's part that goes through the X server rather than the widgets: the real
// pointer and keyboard, the window manager's list of windows in stacking order, and pixels of
// the screen.
#include "ttl/testing/tt_testing.h"

#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/uiaction.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "ttl/gui/wx/tt_wx_internal.h"
#include "ttl/testing/tt_wx_testing_internal.h"

namespace TtTesting {

using TtTestingInternal::Widget;

void MovePointer(TtWin::POINT screen_point) {
  wxUIActionSimulator().MouseMove(screen_point.x, screen_point.y);
  ProcessEvents();
}

void PressLeftButton() {
  wxUIActionSimulator().MouseDown();
  ProcessEvents();
}

void HoldEscapeKey(bool down) {
  wxUIActionSimulator simulator;
  if (down) {
    simulator.KeyDown(WXK_ESCAPE);
  } else {
    simulator.KeyUp(WXK_ESCAPE);
  }
  ProcessEvents();
}

void ReleaseLeftButton() {
  wxUIActionSimulator().MouseUp();
  ProcessEvents();
}

namespace {

// A window property of 32-bit items (X hands them over as longs).
std::vector<unsigned long> WindowListProperty(Display* display, Window window, const char* name,
                                              Atom type) {
  Atom actual_type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  std::vector<unsigned long> items;
  if (XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, 65536, False, type,
                         &actual_type, &format, &count, &remaining, &data) == Success &&
      data && format == 32) {
    auto* values = reinterpret_cast<unsigned long*>(data);
    items.assign(values, values + count);
  }
  if (data) XFree(data);
  return items;
}

std::string WindowTitle(Display* display, Window window) {
  Atom actual_type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  std::string title;
  if (XGetWindowProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False), 0, 4096,
                         False, XInternAtom(display, "UTF8_STRING", False), &actual_type, &format,
                         &count, &remaining, &data) == Success &&
      data) {
    title.assign(reinterpret_cast<char*>(data), count);
  }
  if (data) XFree(data);
  return TtWx::FromWxString(wxString::FromUTF8(title));
}

}  // namespace

std::vector<std::string> StackingOrder(const std::vector<std::string>& wait_for) {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return {};
  std::vector<std::string> titles;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
  while (true) {
    ProcessEvents();
    titles.clear();
    for (unsigned long window : WindowListProperty(display, DefaultRootWindow(display),
                                                   "_NET_CLIENT_LIST_STACKING", XA_WINDOW)) {
      titles.push_back(WindowTitle(display, window));
    }
    bool complete = std::all_of(wait_for.begin(), wait_for.end(), [&](const std::string& title) {
      return std::find(titles.begin(), titles.end(), title) != titles.end();
    });
    if (complete || std::chrono::steady_clock::now() > deadline) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  XCloseDisplay(display);
  return titles;
}

TtWin::COLORREF ScreenPixel(TtWin::POINT screen_point) {
  wxScreenDC screen;
  wxBitmap bitmap(1, 1);
  {
    wxMemoryDC memory(bitmap);
    memory.Blit(0, 0, 1, 1, &screen, screen_point.x, screen_point.y);
  }
  wxImage image = bitmap.ConvertToImage();
  return TtWin::Rgb(image.GetRed(0, 0), image.GetGreen(0, 0), image.GetBlue(0, 0));
}

bool SaveScreenshot(const TtWindow* window, const std::string& path) {
  wxRect area =
      window ? Widget(*window)->GetScreenRect() : wxRect(wxPoint(0, 0), wxGetDisplaySize());
  wxScreenDC screen;
  wxBitmap bitmap(area.GetWidth(), area.GetHeight());
  {
    wxMemoryDC memory(bitmap);
    memory.Blit(0, 0, area.GetWidth(), area.GetHeight(), &screen, area.GetX(), area.GetY());
  }
  return bitmap.SaveFile(wxString::FromUTF8(path), wxBITMAP_TYPE_PNG);
}

}  // namespace TtTesting
