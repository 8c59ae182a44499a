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

// The language of the messages and reports that the window and the headless programs share
// (errors, the import report, reasons a file failed). They are Japanese, which the window always
// speaks, unless a headless program has turned to the user's language for its run.
bool MessagesInJapanese();

// The shared message in that language, as program text (CP932; the English text is ASCII).
std::string Text(const std::string& english, const std::string& japanese);

// While one lives, the shared messages follow the user's locale; the language before comes back
// when it ends. The headless programs hold one for their whole run.
class MessagesFollowLocale {
public:
  MessagesFollowLocale();
  ~MessagesFollowLocale();
  MessagesFollowLocale(const MessagesFollowLocale&) = delete;
  MessagesFollowLocale& operator=(const MessagesFollowLocale&) = delete;

private:
  bool previous_;
};

}  // namespace TtLanguage
