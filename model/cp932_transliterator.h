#pragma once
// Turns UTF-8 text (card data, deck lists from other programs) into the program's CP932.
// Characters that the code page lacks but that card data uses all the time get an explicit
// spelling first (dashes, the minus sign, bullets, accented Latin letters); whatever still cannot
// be held becomes "?". Both are counted, so the user learns how much was changed. The dictionary
// builder and the deck list readers share it, so a name spelt either way meets in the dictionary.
#include <string>
#include <string_view>

namespace Tarvane {

class Cp932Transliterator {
public:
  enum class ControlCharacters { AsSpaces, Kept };

  // AsSpaces: control characters (TAB, CR, LF among them) become spaces, so a dictionary field
  // never breaks the line format. Kept: they stay, for text whose TABs and line ends matter.
  explicit Cp932Transliterator(ControlCharacters controls = ControlCharacters::AsSpaces)
      : controls_(controls) {}

  std::string ToCp932(std::string_view utf8);

  // Characters spelled differently through the explicit table.
  long MappedCharacters() const { return mapped_; }
  // Characters (or broken UTF-8 bytes) replaced by "?".
  long ReplacedCharacters() const { return replaced_; }

private:
  std::string ConvertPerCharacter(const std::string& utf8);

  ControlCharacters controls_;
  long mapped_ = 0;
  long replaced_ = 0;
};

// Appends the UTF-8 bytes of a code point.
void AppendUtf8(std::string& out, char32_t code);

constexpr char32_t kInvalidUtf8 = 0xFFFFFFFF;
// Decodes one UTF-8 character at text[index] and sets its length; kInvalidUtf8 (with length 1)
// for a broken sequence.
char32_t DecodeUtf8(std::string_view text, size_t index, size_t& length);

}  // namespace Tarvane
