#pragma once
// A picture written as SVG: rectangles, lines and text as text, so that the labels stay
// searchable and sharp at any scale. Text is measured as on TtPicture, so that a drawing lays
// out alike on both.
#include <string>

#include "ttl/core/tt_canvas.h"

class TtSvgPicture : public TtCanvas {
public:
  // A white picture. Throws TtException for a side below 1 or above TtPicture::kMaximumSide.
  TtSvgPicture(int width, int height);

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void FillRectangle(double x, double y, double width, double height,
                     TtWin::COLORREF colour) override;
  void DrawLine(double x1, double y1, double x2, double y2, double line_width,
                TtWin::COLORREF colour) override;
  void DrawText(double x, double y, const std::string& text, double size, bool bold,
                TtWin::COLORREF colour, Align align) override;
  TtTextSize MeasureText(const std::string& text, double size, bool bold) override;

  // The whole document in UTF-8.
  std::string Document() const;
  // Writes the document, replacing the file only when all of it was written. Throws as
  // TtFile::ReplaceContents does.
  void SaveSvg(const std::string& path) const;

private:
  int width_;
  int height_;
  std::string body_;
};
