#pragma once
// Fonts, described as the platform describes them (height in pixels, weight, character set,
// pitch and family, face name); the widget set's font is made when a window first uses it.
#include <memory>
#include <string>

#include "ttl/core/tt_win.h"

struct TtFontData;

class TtFont {
public:
  // An empty face name takes the desktop's font of the family (pitch_and_family FF_MODERN
  // asks for a fixed-pitch one); the character set only documents that text is Japanese.
  explicit TtFont(int height, int weight = TtWin::FW_NORMAL, bool italic = false,
                  bool underline = false, bool strike_out = false,
                  int char_set = TtWin::SHIFTJIS_CHARSET, int pitch_and_family = 0,
                  const std::string& face_name = std::string());
  ~TtFont();
  TtFont(TtFont&&) noexcept;
  TtFont& operator=(TtFont&&) noexcept;

  int GetHeight() const;
  int GetWeight() const;
  int GetPitchAndFamily() const;
  const std::string& GetFaceName() const;
  TtFontData* GetData() const { return data_.get(); }

  // The font every window the toolkit creates starts with: 12 pixels, normal weight.
  static const TtFont& DefaultControlFont();

private:
  std::unique_ptr<TtFontData> data_;
};
