#pragma once
// Finding a typed text inside card names and other table texts: ASCII letters match in either
// case, and a match starts only where a character starts, so the second byte of a Japanese
// character never matches an ASCII text.
#include <string>

namespace Tarvane {

// Whether `text` holds `part`; every text holds the empty part.
bool ContainsText(const std::string& text, const std::string& part);

}  // namespace Tarvane
