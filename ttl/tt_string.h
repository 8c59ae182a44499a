#pragma once
// The one place where CP932 text, which the program uses everywhere inside, meets UTF-8, which
// the operating system, the window system and the terminal use.
#include <string>

namespace TtString {

// Strict conversions: false when the input holds a sequence the other side cannot represent.
bool TryCp932ToUtf8(const std::string& cp932, std::string& utf8);
bool TryUtf8ToCp932(const std::string& utf8, std::string& cp932);

// Lenient conversions for display: unconvertible sequences become "?" (or U+FFFD in UTF-8).
std::string Cp932ToUtf8(const std::string& cp932);
std::string Utf8ToCp932(const std::string& utf8);

// A CP932 path as the file system spells it; throws TtFileAccessException (EILSEQ) when the
// path cannot be converted, so a mangled name never reaches the file system.
std::string ToSystemPath(const std::string& cp932_path);
// A file system path as the program spells it; same rule in the other direction.
std::string FromSystemPath(const std::string& system_path);

}  // namespace TtString
