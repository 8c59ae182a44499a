#pragma once
// The main window's saved placement: a 44-byte record of eleven little-endian 32-bit words,
// stored in the settings file as 88 lowercase hexadecimal digits.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace Tarvane {

struct WindowPlacement {
  // The show command: how the window was shown when it was saved.
  enum ShowCommand : int32_t { Normal = 1, Minimized = 2, Maximized = 3 };

  static constexpr size_t kByteSize = 44;
  using Bytes = std::array<uint8_t, kByteSize>;

  int32_t length = kByteSize;
  int32_t flags = 0;
  int32_t show_command = Normal;
  int32_t minimized_x = 0;
  int32_t minimized_y = 0;
  int32_t maximized_x = 0;
  int32_t maximized_y = 0;
  // The window's rectangle in its normal (neither minimised nor maximised) state.
  int32_t normal_left = 0;
  int32_t normal_top = 0;
  int32_t normal_right = 0;
  int32_t normal_bottom = 0;

  Bytes ToBytes() const;
  static WindowPlacement FromBytes(const Bytes& bytes);

  // The bytes in memory order, two lowercase digits each.
  std::string Encode() const;
  // 88 digits, or 89 with the last character ignored; anything else, or a pair that does not
  // read as a hexadecimal number, gives no placement.
  static std::optional<WindowPlacement> Decode(const std::string& text);

  bool operator==(const WindowPlacement&) const = default;
};

}  // namespace Tarvane
