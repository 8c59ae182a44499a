#pragma once
// The language the headless programs speak: Japanese when the user's locale is Japanese, English
// otherwise. (The window program always speaks Japanese.)
#include <string>

namespace TtLanguage {

// True when the first of LC_ALL, LC_MESSAGES and LANG that is set and not empty starts with "ja".
bool IsJapanese();

// The text for the user's language, in UTF-8 for the terminal: the English text as it is, or the
// Japanese one (CP932, as the program's literals are) converted.
std::string Say(const std::string& english, const std::string& japanese);

}  // namespace TtLanguage
