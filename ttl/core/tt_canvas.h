#pragma once
// A surface that pictures are drawn on, so that one drawing serves a picture in memory, a vector
// file and a window alike. Coordinates are pixels from the top left; text is CP932.
#include <string>

#include "ttl/core/tt_win.h"

struct TtTextSize {
  double width = 0;
  double height = 0;
};

class TtCanvas {
public:
  enum class Align { Left, Centre, Right };

  virtual ~TtCanvas() = default;

  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual void FillRectangle(double x, double y, double width, double height,
                             TtWin::COLORREF colour) = 0;
  virtual void DrawLine(double x1, double y1, double x2, double y2, double line_width,
                        TtWin::COLORREF colour) = 0;
  // Text whose top edge is at y and whose left end, middle or right end is at x; size is the
  // font size in points.
  virtual void DrawText(double x, double y, const std::string& text, double size, bool bold,
                        TtWin::COLORREF colour, Align align) = 0;
  virtual TtTextSize MeasureText(const std::string& text, double size, bool bold) = 0;
};
