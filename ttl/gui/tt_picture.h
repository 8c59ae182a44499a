#pragma once
// A picture drawn in memory, anti-aliased, with no display needed: charts are drawn on it before
// they are saved as PNG, copied to the clipboard or shown in a window. Text is set in the
// Japanese sans-serif face that the program ships with its fonts.
#include <memory>
#include <string>

#include "ttl/core/tt_canvas.h"

struct TtPictureData;

class TtPicture : public TtCanvas {
public:
  // The largest side a picture may have; bigger sizes are refused before memory is taken.
  static constexpr int kMaximumSide = 10000;

  // A white picture. Throws TtException for a side below 1 or above kMaximumSide.
  TtPicture(int width, int height);
  ~TtPicture() override;
  TtPicture(const TtPicture&) = delete;
  TtPicture& operator=(const TtPicture&) = delete;

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void FillRectangle(double x, double y, double width, double height,
                     TtWin::COLORREF colour) override;
  void DrawLine(double x1, double y1, double x2, double y2, double line_width,
                TtWin::COLORREF colour) override;
  void DrawText(double x, double y, const std::string& text, double size, bool bold,
                TtWin::COLORREF colour, Align align) override;
  TtTextSize MeasureText(const std::string& text, double size, bool bold) override;

  // The size text takes in every picture, on a canvas or not (vector files measure with it).
  static TtTextSize MeasureTextOnPicture(const std::string& text, double size, bool bold);

  // Writes the picture as a PNG file, replacing the file only when the whole picture was
  // written. Throws TtFileAccessException when the name cannot be spelt and
  // TtFile::WriteException when the file cannot be written.
  void SavePng(const std::string& path) const;
  // The PNG file's bytes.
  std::string PngBytes() const;

  // The colour of one pixel, for tests and for comparing pictures.
  TtWin::COLORREF PixelAt(int x, int y) const;
  TtPictureData* GetData() const { return data_.get(); }

private:
  // Draws whatever is pending into the pixels.
  void Flush() const;

  int width_;
  int height_;
  std::unique_ptr<TtPictureData> data_;
};
