#include "model/text_encoding.h"

#include "model/cp932_transliterator.h"
#include "ttl/core/tt_language.h"
#include "ttl/core/tt_string.h"

namespace Tarvane {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LittleEndianMark = "\xFF\xFE";
constexpr std::string_view kUtf16BigEndianMark = "\xFE\xFF";
constexpr char32_t kReplacement = 0xFFFD;

std::string Utf16ToUtf8(std::string_view bytes, bool little_endian) {
  auto unit = [&](size_t i) -> char32_t {
    unsigned char first = bytes[i], second = bytes[i + 1];
    return little_endian ? first | (second << 8) : (first << 8) | second;
  };
  std::string utf8;
  utf8.reserve(bytes.size());
  size_t index = 0;
  for (; index + 1 < bytes.size(); index += 2) {
    char32_t code = unit(index);
    if (code >= 0xD800 && code <= 0xDBFF && index + 3 < bytes.size()) {
      char32_t low = unit(index + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        AppendUtf8(utf8, 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00));
        index += 2;
        continue;
      }
    }
    AppendUtf8(utf8, code >= 0xD800 && code <= 0xDFFF ? kReplacement : code);
  }
  if (index < bytes.size()) AppendUtf8(utf8, kReplacement);  // an odd last byte
  return utf8;
}

std::string RepairUtf8(std::string_view bytes) {
  std::string utf8;
  utf8.reserve(bytes.size());
  for (size_t index = 0, length; index < bytes.size(); index += length) {
    if (DecodeUtf8(bytes, index, length) == kInvalidUtf8) AppendUtf8(utf8, kReplacement);
    else utf8.append(bytes.substr(index, length));
  }
  return utf8;
}

}  // namespace

TextEncoding EncodingOfByteOrderMark(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Mark)) return TextEncoding::Utf8WithByteOrderMark;
  if (bytes.starts_with(kUtf16LittleEndianMark)) return TextEncoding::Utf16LittleEndian;
  if (bytes.starts_with(kUtf16BigEndianMark)) return TextEncoding::Utf16BigEndian;
  return TextEncoding::Cp932;
}

size_t ByteOrderMarkLength(TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::Utf8WithByteOrderMark:
      return kUtf8Mark.size();
    case TextEncoding::Utf16LittleEndian:
    case TextEncoding::Utf16BigEndian:
      return 2;
    default:
      return 0;
  }
}

bool IsValidUtf8(std::string_view bytes) {
  for (size_t index = 0, length; index < bytes.size(); index += length) {
    if (DecodeUtf8(bytes, index, length) == kInvalidUtf8) return false;
  }
  return true;
}

TextEncoding DetectTextEncoding(std::string_view bytes) {
  TextEncoding marked = EncodingOfByteOrderMark(bytes);
  if (marked != TextEncoding::Cp932) return marked;
  bool beyond_ascii = false;
  for (char c : bytes) beyond_ascii = beyond_ascii || static_cast<unsigned char>(c) >= 0x80;
  if (!beyond_ascii) return TextEncoding::Ascii;
  return IsValidUtf8(bytes) ? TextEncoding::Utf8 : TextEncoding::Cp932;
}

std::string DecodeToUtf8(std::string_view bytes, TextEncoding encoding) {
  bytes.remove_prefix(std::min(bytes.size(), ByteOrderMarkLength(encoding)));
  switch (encoding) {
    case TextEncoding::Ascii:
      return std::string(bytes);
    case TextEncoding::Cp932:
      return TtString::Cp932ToUtf8(std::string(bytes));
    case TextEncoding::Utf8:
    case TextEncoding::Utf8WithByteOrderMark:
      return RepairUtf8(bytes);
    case TextEncoding::Utf16LittleEndian:
      return Utf16ToUtf8(bytes, true);
    case TextEncoding::Utf16BigEndian:
      return Utf16ToUtf8(bytes, false);
  }
  return {};
}

std::string TextEncodingName(TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::Ascii:
      return "ASCII";
    case TextEncoding::Cp932:
      return "CP932 (Shift-JIS)";
    case TextEncoding::Utf8:
      return "UTF-8";
    case TextEncoding::Utf8WithByteOrderMark:
      return TtLanguage::Text("UTF-8 (with BOM)", "UTF-8 (BOM 付き)");
    case TextEncoding::Utf16LittleEndian:
      return TtLanguage::Text("UTF-16LE (with BOM)", "UTF-16LE (BOM 付き)");
    case TextEncoding::Utf16BigEndian:
      return TtLanguage::Text("UTF-16BE (with BOM)", "UTF-16BE (BOM 付き)");
  }
  return "";
}

}  // namespace Tarvane
