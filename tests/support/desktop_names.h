#pragma once
// File names as a UTF-8 desktop writes them (the bytes the file system holds), which CP932
// spells exactly, as another character, or not at all. Written as escapes because the test
// sources' own literals are CP932 at run time.
#include <string>

namespace DesktopNames {

inline const std::string kCafe = "caf\xC3\xA9";        // café: é is not in CP932
inline const std::string kJose = "jos\xC3\xA9";        // josé
inline const std::string kWaveDash = "w\xE3\x80\x9C";  // w〜: U+301C, CP932 gives back U+FF5E
inline const std::string kFullwidthTilde = "w\xEF\xBD\x9E";  // w～: U+FF5E, which CP932 has
inline const std::string kEmoji = "\xF0\x9F\x98\x80";        // U+1F600
inline const std::string kLatin1 = "caf\xE9";                // é as one Latin-1 byte: not UTF-8

// The CP932 spelling of the tilde name: the same file as kFullwidthTilde, not kWaveDash.
inline const std::string kTildeCp932 = "w\x81\x60";

}  // namespace DesktopNames
