#pragma once
// Writes small 24-bit BMP files for the toolbar picture tests.
#include <cstdint>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "ttl/core/tt_win.h"

namespace TarvaneTest {

inline void Write(const std::string& path, int width, int height,
                  const std::function<TtWin::COLORREF(int x, int y)>& pixel) {
  int row_size = (width * 3 + 3) / 4 * 4;
  std::uint32_t data_size = static_cast<std::uint32_t>(row_size * height);
  std::vector<std::uint8_t> bytes(54 + data_size, 0);
  auto put32 = [&bytes](size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
  };
  bytes[0] = 'B';
  bytes[1] = 'M';
  put32(2, static_cast<std::uint32_t>(bytes.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<std::uint32_t>(width));
  put32(22, static_cast<std::uint32_t>(height));
  bytes[26] = 1;
  bytes[28] = 24;
  put32(34, data_size);
  for (int y = 0; y < height; ++y) {
    // Rows are stored bottom up, each pixel blue, green, red.
    size_t row = 54 + static_cast<size_t>(height - 1 - y) * row_size;
    for (int x = 0; x < width; ++x) {
      TtWin::COLORREF colour = pixel(x, y);
      bytes[row + x * 3] = static_cast<std::uint8_t>(TtWin::BlueOf(colour));
      bytes[row + x * 3 + 1] = static_cast<std::uint8_t>(TtWin::GreenOf(colour));
      bytes[row + x * 3 + 2] = static_cast<std::uint8_t>(TtWin::RedOf(colour));
    }
  }
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

}  // namespace TarvaneTest
