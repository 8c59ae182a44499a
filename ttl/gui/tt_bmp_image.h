#pragma once
// Bitmaps read from files, such as the toolbar's picture strip.
#include <memory>
#include <string>

#include "ttl/core/tt_win.h"

struct TtBmpImageData;

class TtBmpImage {
public:
  TtBmpImage();
  ~TtBmpImage();
  TtBmpImage(TtBmpImage&&) noexcept;
  TtBmpImage& operator=(TtBmpImage&&) noexcept;

  // Throws TtWindowsSystemCallException for "::LoadImage" when the file is missing or not a
  // picture, and TtFileAccessException when the path cannot be converted.
  static TtBmpImage LoadFromFile(const std::string& path);

  bool IsEmpty() const;
  int GetWidth() const;
  int GetHeight() const;
  TtWin::COLORREF GetPixel(int x, int y) const;
  TtBmpImageData* GetData() const { return data_.get(); }

private:
  std::unique_ptr<TtBmpImageData> data_;
};
