#include "model/cp932_transliterator.h"

#include <algorithm>

#include "ttl/core/tt_string.h"

namespace Tarvane {

char32_t DecodeUtf8(std::string_view text, size_t index, size_t& length) {
  auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  unsigned char lead = byte(index);
  length = 1;
  if (lead < 0x80) return lead;
  size_t count;
  char32_t code;
  char32_t minimum;
  if ((lead & 0xE0) == 0xC0) {
    count = 2, code = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    count = 3, code = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    count = 4, code = lead & 0x07, minimum = 0x10000;
  } else {
    return kInvalidUtf8;
  }
  if (index + count > text.size()) return kInvalidUtf8;
  for (size_t i = 1; i < count; ++i) {
    if ((byte(index + i) & 0xC0) != 0x80) return kInvalidUtf8;
    code = (code << 6) | (byte(index + i) & 0x3F);
  }
  if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return kInvalidUtf8;
  length = count;
  return code;
}

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

namespace {

// ASCII letters for U+00C0 to U+00FF, one per character; "" where the code page has the
// character itself (the multiplication and division signs) or a longer spelling is needed.
constexpr std::u32string_view kLatin1Letters[64] = {
    U"A", U"A", U"A", U"A", U"A",  U"A",  U"Ae", U"C", U"E", U"E", U"E",  U"E", U"I",
    U"I", U"I", U"I", U"D", U"N",  U"O",  U"O",  U"O", U"O", U"O", U"",   U"O", U"U",
    U"U", U"U", U"U", U"Y", U"Th", U"ss", U"a",  U"a", U"a", U"a", U"a",  U"a", U"ae",
    U"c", U"e", U"e", U"e", U"e",  U"i",  U"i",  U"i", U"i", U"d", U"n",  U"o", U"o",
    U"o", U"o", U"o", U"",  U"o",  U"u",  U"u",  U"u", U"u", U"y", U"th", U"y"};

// ASCII letters for U+0100 to U+017F, except the ligatures handled apart.
constexpr std::u32string_view kLatinExtendedLetters =
    U"AaAaAaCcCcCcCcDdDdEeEeEeEeEeGgGgGgGgHhHhIiIiIiIiIi__JjKkkLlLlLlLlLlNnNnNnnNnOoOoOo__"
    U"RrRrRrSsSsSsSsTtTtTtUuUuUuUuUuUuWwYyYZzZzZzs";
static_assert(kLatinExtendedLetters.size() == 0x80);

// The explicit spelling of a character the code page lacks (or holds under a different code
// than card data uses); empty when the character goes to the code page as it is.
std::u32string_view ExplicitMapping(char32_t code) {
  switch (code) {
    case 0x2014:
      return U"\u2015";  // em dash: the code page's own dash
    case 0x2212:
      return U"-";  // minus sign, as in loyalty costs "-2"
    case 0x2013:
      return U"-";  // en dash
    case 0x2010:
      return U"-";  // hyphen
    case 0x2011:
      return U"-";  // non-breaking hyphen
    case 0x2022:
      return U"\u30FB";  // bullet of modal choices: the Japanese middle dot
    case 0x00B7:
      return U"\u30FB";  // middle dot
    case 0x00A0:
      return U" ";  // no-break space
    case 0x00BD:
      return U"1/2";
    case 0x00BC:
      return U"1/4";
    case 0x00BE:
      return U"3/4";
    case 0x2122:
      return U"TM";
    case 0x00AE:
      return U"(R)";
    case 0x00A9:
      return U"(C)";
    case 0x0132:
      return U"IJ";
    case 0x0133:
      return U"ij";
    case 0x0152:
      return U"Oe";
    case 0x0153:
      return U"oe";
    default:
      break;
  }
  if (code >= 0xC0 && code <= 0xFF) return kLatin1Letters[code - 0xC0];
  if (code >= 0x100 && code <= 0x17F) return kLatinExtendedLetters.substr(code - 0x100, 1);
  return {};
}

}  // namespace

std::string Cp932Transliterator::ToCp932(std::string_view utf8) {
  // Most English text is printable ASCII, which is the same in the code page.
  if (std::all_of(utf8.begin(), utf8.end(), [this](char c) {
        return (c >= 0x20 && c < 0x7F) ||
               (controls_ == ControlCharacters::Kept && c >= 0 && c < 0x20);
      })) {
    return std::string(utf8);
  }
  std::string spelled;
  spelled.reserve(utf8.size());
  bool ascii = true;
  for (size_t index = 0; index < utf8.size();) {
    size_t length;
    char32_t code = DecodeUtf8(utf8, index, length);
    if (code == kInvalidUtf8) {
      spelled += '?';
      ++replaced_;
    } else if ((code < 0x20 || code == 0x7F) && controls_ == ControlCharacters::AsSpaces) {
      spelled += ' ';
    } else if (auto mapping = ExplicitMapping(code); !mapping.empty()) {
      for (char32_t c : mapping) {
        AppendUtf8(spelled, c);
        ascii = ascii && c < 0x80;
      }
      ++mapped_;
    } else {
      spelled.append(utf8.substr(index, length));
      ascii = ascii && code < 0x80;
    }
    index += length;
  }
  if (ascii) return spelled;
  std::string cp932;
  if (TtString::TryUtf8ToCp932(spelled, cp932)) return cp932;
  return ConvertPerCharacter(spelled);
}

// The slow path for the rare text with a character the code page cannot hold: each character
// is converted alone so that exactly one "?" stands for it.
std::string Cp932Transliterator::ConvertPerCharacter(const std::string& utf8) {
  std::string cp932;
  std::string piece;
  for (size_t index = 0; index < utf8.size();) {
    size_t length;
    DecodeUtf8(utf8, index, length);
    if (TtString::TryUtf8ToCp932(utf8.substr(index, length), piece)) {
      cp932 += piece;
    } else {
      cp932 += '?';
      ++replaced_;
    }
    index += length;
  }
  return cp932;
}

}  // namespace Tarvane
