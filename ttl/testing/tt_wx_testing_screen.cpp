// The test driver's part that goes through the X server rather than the widgets: the real
// pointer and keyboard, and pixels of the screen.
#include "ttl/testing/tt_testing.h"

#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/uiaction.h>

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
