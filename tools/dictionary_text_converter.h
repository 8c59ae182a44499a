#pragma once
// Turns the UTF-8 text of public card data into CP932 field text for dictionary lines. Characters
// that the code page lacks but that card data uses all the time get an explicit spelling first
// (dashes, the minus sign, bullets, accented Latin letters); whatever still cannot be held
// becomes "?". Both are counted, so the user learns how much was changed.
#include <string>
#include <string_view>

namespace Tarvane {

class DictionaryTextConverter {
public:
  // The CP932 text of a field. Control characters (TAB, CR, LF among them) become spaces, so a
  // value never breaks the line format.
  std::string ToCp932(std::string_view utf8);

  // Characters spelled differently through the explicit table.
  long MappedCharacters() const { return mapped_; }
  // Characters (or broken UTF-8 bytes) replaced by "?".
  long ReplacedCharacters() const { return replaced_; }

private:
  std::string ConvertPerCharacter(const std::string& utf8);

  long mapped_ = 0;
  long replaced_ = 0;
};

}  // namespace Tarvane
