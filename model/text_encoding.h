#pragma once
// The encodings that text files from outside arrive in, and their text as UTF-8 on the way to
// the program's CP932. A byte-order mark names its encoding and is never part of the text.
#include <cstddef>
#include <string>
#include <string_view>

namespace Tarvane {

enum class TextEncoding {
  Ascii,
  Cp932,
  Utf8,
  Utf8WithByteOrderMark,
  Utf16LittleEndian,
  Utf16BigEndian
};

// The encoding that a byte-order mark at the start of the bytes names; Cp932 when none is there.
TextEncoding EncodingOfByteOrderMark(std::string_view bytes);
// The bytes of that encoding's byte-order mark (0 for the encodings without one).
size_t ByteOrderMarkLength(TextEncoding encoding);
// A byte-order mark's encoding; without one, ASCII when every byte is, UTF-8 when the bytes are
// valid UTF-8, else CP932.
TextEncoding DetectTextEncoding(std::string_view bytes);
bool IsValidUtf8(std::string_view bytes);
// The text as UTF-8 without its byte-order mark; a broken sequence becomes U+FFFD.
std::string DecodeToUtf8(std::string_view bytes, TextEncoding encoding);
// The encoding's name as reports show it.
std::string TextEncodingName(TextEncoding encoding);

}  // namespace Tarvane
