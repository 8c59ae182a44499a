#include "app/window_placement.h"

#include <cstdio>

#include "ttl/core/tt_utility.h"

namespace Tarvane {

namespace {

constexpr size_t kWordCount = WindowPlacement::kByteSize / 4;

std::array<int32_t*, kWordCount> Words(WindowPlacement& p) {
  return {&p.length,      &p.flags,        &p.show_command, &p.minimized_x,
          &p.minimized_y, &p.maximized_x,  &p.maximized_y,  &p.normal_left,
          &p.normal_top,  &p.normal_right, &p.normal_bottom};
}

}  // namespace

WindowPlacement::Bytes WindowPlacement::ToBytes() const {
  Bytes bytes{};
  WindowPlacement copy = *this;
  auto words = Words(copy);
  for (size_t w = 0; w < kWordCount; ++w) {
    uint32_t value = static_cast<uint32_t>(*words[w]);
    for (size_t b = 0; b < 4; ++b) bytes[w * 4 + b] = static_cast<uint8_t>(value >> (8 * b));
  }
  return bytes;
}

WindowPlacement WindowPlacement::FromBytes(const Bytes& bytes) {
  WindowPlacement placement;
  auto words = Words(placement);
  for (size_t w = 0; w < kWordCount; ++w) {
    uint32_t value = 0;
    for (size_t b = 0; b < 4; ++b) value |= static_cast<uint32_t>(bytes[w * 4 + b]) << (8 * b);
    *words[w] = static_cast<int32_t>(value);
  }
  return placement;
}

std::string WindowPlacement::Encode() const {
  std::string text;
  char pair[3];
  for (uint8_t byte : ToBytes()) {
    std::snprintf(pair, sizeof(pair), "%02x", byte);
    text += pair;
  }
  return text;
}

std::optional<WindowPlacement> WindowPlacement::Decode(const std::string& text) {
  if (text.size() != kByteSize * 2 && text.size() != kByteSize * 2 + 1) return std::nullopt;
  Bytes bytes{};
  for (size_t i = 0; i < kByteSize; ++i) {
    int value = 0;
    if (!TtUtility::StringToInteger(text.substr(i * 2, 2), value, 16)) return std::nullopt;
    bytes[i] = static_cast<uint8_t>(value);
  }
  return FromBytes(bytes);
}

}  // namespace Tarvane
