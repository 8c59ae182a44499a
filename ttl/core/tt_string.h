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

// A CP932 path as the file system spells it. A path converts exactly or not at all: it must
// come back unchanged when converted back, else TtFileAccessException (EILSEQ), so a mangled
// name, or a name that means another file, never reaches the file system.
std::string ToSystemPath(const std::string& cp932_path);
// A file system path as the program spells it; same rule in the other direction. The error's
// path is DescribeSystemPath of the name, so the user sees what was typed.
std::string FromSystemPath(const std::string& system_path);
// The same two rules without the exception: false when the path has no exact spelling.
bool TryToSystemPath(const std::string& cp932_path, std::string& system_path);
bool TryFromSystemPath(const std::string& system_path, std::string& cp932_path);

// A file system path for the user to read in CP932: every character without an exact CP932
// spelling as "<U+301C>", every byte that is not UTF-8 as "<0xE9>".
std::string DescribeSystemPath(const std::string& system_path);

// The reason given with a path that has no exact spelling: the Japanese text, and the text in
// the language of the program's messages.
extern const char kUnrepresentablePathReason[];
std::string UnrepresentablePathReason();

}  // namespace TtString
