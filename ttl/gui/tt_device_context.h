#pragma once
// Drawing on a window: during its paint message (TtPaintDeviceContext, the begin/end painting
// pair) or at any other time (TtReleasableDeviceContext).
#include <memory>
#include <string>

#include "ttl/core/tt_win.h"

class TtFont;
class TtIcon;
class TtPicture;
class TtWindow;
struct TtDeviceContextData;

class TtDeviceContext {
public:
  virtual ~TtDeviceContext();
  TtDeviceContext(const TtDeviceContext&) = delete;
  TtDeviceContext& operator=(const TtDeviceContext&) = delete;

  void DrawIcon(int x, int y, const TtIcon& icon);
  void DrawText(int x, int y, const std::string& text);
  void DrawPicture(int x, int y, const TtPicture& picture);
  void FillRectangle(const TtWin::RECT& rectangle, TtWin::COLORREF colour);
  void SetTextColour(TtWin::COLORREF colour);
  void SelectFont(const TtFont& font);

protected:
  TtDeviceContext();
  std::unique_ptr<TtDeviceContextData> data_;
};

// Only inside a WM_PAINT handler.
class TtPaintDeviceContext : public TtDeviceContext {
public:
  explicit TtPaintDeviceContext(TtWindow& window);
};

class TtReleasableDeviceContext : public TtDeviceContext {
public:
  explicit TtReleasableDeviceContext(TtWindow& window);
};
